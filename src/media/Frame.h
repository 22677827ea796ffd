#pragma once
#include <cstdint>
#include <utility>

#include "media/Rect.h"

// One rectangle of a sprite picture: how long it shows and the boxes the game logic tests.
class Frame {
public:
  Frame(char const *name, unsigned int x, unsigned int y, unsigned int w, unsigned int h, unsigned int delay,
        int bX, int bY, unsigned int bW, unsigned int bH, short sortY, int aX, int aY, int aW, int aH);
  Frame(Frame const &other);
  Frame &operator=(Frame const &other);

  char const *getID() const { return name; }
  unsigned int getPauza() const { return delay; }
  unsigned int getX() const { return x; }
  unsigned int getY() const { return y; }
  unsigned int getSirka() const { return w; }
  unsigned int getVyska() const { return h; }
  int getBX() const { return bX; }
  int getBY() const { return bY; }
  unsigned int getBW() const { return bW; }
  unsigned int getBH() const { return bH; }
  int getAX() const { return aX; }
  int getAY() const { return aY; }
  int getAW() const { return aW; }
  int getAH() const { return aH; }
  short getSortY() const { return (short)sortY; }

  // Where the picture shows painted words (a label, a sign's text); empty when it shows none.
  Rect getWordsBox() const { return Rect{wX, wY, wW, wH}; }
  void setWordsBox(const Rect &r) {
    wX = r.x;
    wY = r.y;
    wW = r.w;
    wH = r.h;
  }

  Rect getBoundingBox() const;
  Rect getActionBoundingBox() const;
  int getBoundingBoxCenterX() const;
  int getBoundingBoxCenterY() const;
  std::pair<int, int> getBoundingBoxCenter() const;

  void setID(char const *name);
  void setPauza(unsigned int delay) { this->delay = delay; }
  void setAX(int v) { aX = v; }
  void setAY(int v) { aY = v; }
  void setAW(int v) { aW = v; }
  void setAH(int v) { aH = v; }
  void setSortY(int v) { sortY = v; }
  void setBY(int v) {
    bY = v;
    sortY = v;
  }

private:
  uint32_t delay;
  uint32_t x;
  uint32_t y;
  uint32_t w;
  uint32_t h;
  char name[256];
  int32_t bX;
  int32_t bY;
  uint32_t bW;
  uint32_t bH;
  int32_t sortY;
  int32_t aX;
  int32_t aY;
  int32_t aW;
  int32_t aH;
  int32_t wX = 0;
  int32_t wY = 0;
  int32_t wW = 0;
  int32_t wH = 0;
};

// Copies a name into a 256-byte name field, cutting it at 255 characters.
void copyName(char (&field)[256], char const *name);
