#pragma once
#include <cstdint>

// Entity IDs through which the laboratory's entities find one another.
constexpr uint32_t kDnaID = 311;
constexpr uint32_t kDnaGeneratorID = 312;
constexpr uint32_t kMiskaID = 319;
constexpr uint32_t kCursor2ID = 320;
constexpr uint32_t kMiniGameOverID = 321;
constexpr uint32_t kMiniGameSummaryWindowID = 323;
constexpr uint32_t kMiniGameSummarySesitID = 324;
constexpr uint32_t kMiskaSetID = 355;

// A drawing position truncated to whole pixels; positions far off the screen are pinned.
inline long labPixel(float v) {
  if (!(v > -1e6f)) return -1000000;
  if (v > 1e6f) return 1000000;
  return (long)v;
}
