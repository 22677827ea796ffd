#pragma once

// The laboratory's entity IDs live with the others.
#include "world/kinds/EntityIds.h"

// A drawing position truncated to whole pixels; positions far off the screen are pinned.
inline long labPixel(float v) {
  if (!(v > -1e6f)) return -1000000;
  if (v > 1e6f) return 1000000;
  return (long)v;
}
