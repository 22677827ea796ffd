#pragma once
#include <cstdint>

// Plain rectangle in pixels: top-left corner and size.
struct Rect {
  int32_t x;
  int32_t y;
  int32_t w;
  int32_t h;
};
