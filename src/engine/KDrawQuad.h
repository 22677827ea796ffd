#pragma once
#include <cstdint>

#include "engine/KFrameCache.h"

// One quad (or line) as a picture asked for it: the GL state it needs, its colour, the extra
// turn or zoom about a point, and its corners with their texture coordinates in GL order.
struct KDrawQuad {
  unsigned texture = 0; // 0 draws without a texture
  unsigned target = 0;
  uint64_t content = 0; // which upload the texture holds
  bool blend = false;
  unsigned short source = 0, destination = 0;
  bool linear = false;
  bool repeat = false;
  bool line = false; // a two-point line loop rather than a four-corner polygon
  // Applied on top of the view as the picture asked: translate, then rotate, then scale.
  bool translate = false, rotate = false, scale = false;
  float tx = 0, ty = 0, angle = 0, zoom = 1;
  float colour[4] = {1, 1, 1, 1};
  float v[8] = {};
  float t[8] = {};

  // Equal looks put equal pixels on the screen: `h` with this quad mixed in.
  uint64_t look(uint64_t h) const;
  // The pixels the quad may touch, in GL window pixels.
  KPixelBox box() const;
  // Mixes one value into a look.
  static uint64_t mix(uint64_t h, uint64_t v);
  static uint64_t mixFloat(uint64_t h, float f);
};
