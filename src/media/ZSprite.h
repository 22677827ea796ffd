#pragma once
#include <cstdint>
#include <vector>

class Frameset;
class KGraphic;

// A named set of animations cut from one picture, with one current animation and a drawing
// position. Prototypes live in the sprite factory; everything that shows a picture owns a copy.
class ZSprite {
public:
  explicit ZSprite(char const *name);
  ZSprite(ZSprite const &other);
  ZSprite &operator=(ZSprite const &) = delete;
  ~ZSprite();

  char const *getID() const { return name; }
  void pridejFrameset(Frameset *frameset);
  void nastavFrameset(int i);
  void nastavFrameset(char const *name);
  // Moves the current animation on (see Frameset::step); drawing never does.
  void step();

  // The clip arguments are the visible part from the frame's top-left corner, -1 for its own edge.
  void put(KGraphic *g, float zoom, short right, short bottom, short left, short top);
  void putVyrez(KGraphic *g, short right, short bottom, short left, short top);
  void putAlpha(KGraphic *g, float alpha, float zoom, short right, short bottom, short left, short top);
  void putWithColor(KGraphic *g, float red, float green, float blue, float zoom, short right, short bottom,
                    short left, short top, float alpha);
  void putAlphaTopLeft(KGraphic *g, unsigned int value) {}

  // The pictures of every frameset (handles of the surface manager), appended.
  void collectSurfaces(std::vector<unsigned int> &out) const;

  unsigned int getPozadi(KGraphic *g) const;
  float getAngle() const;
  void setAngle(float a);
  void changeAngle(float d);

  Frameset *getAktivniFrameset() const { return currentFrameset; }
  int getAktivniIndex() const { return currentIndex; }
  unsigned int getPocetFramesetu() const { return (unsigned int)framesets.size(); }
  Frameset *getFrameset(unsigned int i) const { return i < framesets.size() ? framesets[i] : nullptr; }

  // Written by the owner before each draw; a negative float position lands here in two's complement.
  uint32_t x;
  uint32_t y;

private:
  std::vector<Frameset *> framesets;
  int32_t currentIndex;
  char name[256];
  Frameset *currentFrameset;
};
