#include "media/Frame.h"

#include <cstring>

void copyName(char (&field)[256], char const *name) {
  if (!name) name = "";
  size_t n = std::strlen(name);
  if (n > sizeof(field) - 1) n = sizeof(field) - 1;
  std::memcpy(field, name, n);
  field[n] = 0;
}

Frame::Frame(char const *name, unsigned int x, unsigned int y, unsigned int w, unsigned int h, unsigned int delay,
             int bX, int bY, unsigned int bW, unsigned int bH, short sortY, int aX, int aY, int aW, int aH)
    : delay(delay), x(x), y(y), w(w), h(h), bX(bX), bY(bY), bW(bW), bH(bH), sortY(sortY == -1 ? bY : sortY),
      aX(aX), aY(aY), aW(aW), aH(aH) {
  copyName(this->name, name);
}

Frame::Frame(Frame const &other) { *this = other; }

Frame &Frame::operator=(Frame const &other) {
  if (this == &other) return *this;
  delay = other.delay;
  x = other.x;
  y = other.y;
  w = other.w;
  h = other.h;
  copyName(name, other.name);
  bX = other.bX;
  bY = other.bY;
  bW = other.bW;
  bH = other.bH;
  sortY = other.sortY;
  aX = other.aX;
  aY = other.aY;
  aW = other.aW;
  aH = other.aH;
  wX = other.wX;
  wY = other.wY;
  wW = other.wW;
  wH = other.wH;
  return *this;
}

Rect Frame::getBoundingBox() const { return Rect{bX, bY, (int32_t)bW, (int32_t)bH}; }

Rect Frame::getActionBoundingBox() const { return Rect{aX, aY, aW, aH}; }

// Summed as unsigned so that a size read from a negative number wraps instead of overflowing.
int Frame::getBoundingBoxCenterX() const { return (int)((uint32_t)bX + bW / 2u); }

int Frame::getBoundingBoxCenterY() const { return (int)((uint32_t)bY + bH / 2u); }

std::pair<int, int> Frame::getBoundingBoxCenter() const {
  return std::make_pair(getBoundingBoxCenterX(), getBoundingBoxCenterY());
}
