#include "engine/KDrawQuad.h"

#include <algorithm>
#include <cmath>
#include <cstring>

uint64_t KDrawQuad::mix(uint64_t h, uint64_t v) {
  h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  return h * 0xFF51AFD7ED558CCDull;
}

uint64_t KDrawQuad::mixFloat(uint64_t h, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return mix(h, bits);
}

uint64_t KDrawQuad::look(uint64_t h) const {
  h = mix(h, texture ? content : 0);
  h = mix(h, (uint64_t)target << 32 | source << 16 | destination);
  h = mix(h, (uint64_t)blend | (uint64_t)linear << 1 | (uint64_t)repeat << 2 | (uint64_t)line << 3 |
                 (uint64_t)translate << 4 | (uint64_t)rotate << 5 | (uint64_t)scale << 6);
  for (float f : {tx, ty, angle, zoom}) h = mixFloat(h, f);
  for (float f : colour) h = mixFloat(h, f);
  for (float f : v) h = mixFloat(h, f);
  for (float f : t) h = mixFloat(h, f);
  return h;
}

// Turned or zoomed corners are worked out here only to bound them, so the box is widened a pixel
// for rounding.
KPixelBox KDrawQuad::box() const {
  int corners = line ? 2 : 4;
  float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
  float c = 1, sn = 0;
  if (rotate) {
    c = std::cos(angle * 3.14159265f / 180.0f);
    sn = std::sin(angle * 3.14159265f / 180.0f);
  }
  for (int i = 0; i < corners; ++i) {
    float x = v[i * 2], y = v[i * 2 + 1];
    if (scale) {
      x *= zoom;
      y *= zoom;
    }
    if (rotate) {
      float rx = x * c - y * sn, ry = x * sn + y * c;
      x = rx;
      y = ry;
    }
    if (translate) {
      x += tx;
      y += ty;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  int widen = (line || rotate || scale || translate) ? 1 : 0;
  KPixelBox b;
  b.x0 = (int)std::floor(minX) - widen;
  b.y0 = (int)std::floor(minY) - widen;
  b.x1 = (int)std::ceil(maxX) + widen;
  b.y1 = (int)std::ceil(maxY) + widen;
  if (line) {
    b.x1 += 1;
    b.y1 += 1;
  }
  return b;
}
