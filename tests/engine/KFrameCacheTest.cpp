#include <gtest/gtest.h>

#include <vector>

#include "engine/KFrameCache.h"

namespace {

// A piece is kept once steady, and only while whatever is drawn every frame before it stays clear
// of it; a change or such an overlap redraws the picture without it, and it must then stay steady
// twice as long before it is kept again.
TEST(KFrameCache, KeepsSteadyPiecesWhileNothingDrawnEachFrameComesUnderThem) {
  KFrameCache cache;
  std::vector<KScenePiece> scene = {
      {1, 10, {0, 0, 800, 600}},     // the floor, covering the screen
      {2, 20, {100, 100, 300, 300}}, // a bed
      {3, 0, {500, 100, 540, 180}},  // a walker, changing every frame
      {4, 40, {520, 50, 560, 120}},  // a lamp drawn over the walker's path
  };
  auto frame = [&] {
    ++scene[2].look;
    return cache.plan(scene, 7, true);
  };
  for (long i = 0; i < KFrameCache::kSteadyFrames; ++i) EXPECT_FALSE(frame().usePicture) << i;
  KFrameCache::Plan p = frame();
  EXPECT_TRUE(p.usePicture && p.redraw);
  EXPECT_EQ(p.kept, (std::vector<char>{1, 1, 0, 0})) << "the lamp meets the walker drawn before it";
  EXPECT_FALSE(frame().redraw);

  // The walker on the bed, drawn after it, changes nothing kept; drawn before it, it lets it go.
  scene[2].box = {200, 150, 240, 230};
  EXPECT_FALSE(frame().redraw);
  std::swap(scene[1], scene[2]);
  p = frame();
  EXPECT_TRUE(p.redraw);
  EXPECT_FALSE(p.kept[2]);
  std::swap(scene[1], scene[2]);
  scene[2].box = {500, 100, 540, 180};
  long again = 0;
  while (again < 8 * KFrameCache::kSteadyFrames && !frame().kept[1]) ++again;
  EXPECT_GE(again, 2 * KFrameCache::kSteadyFrames - 1);
  EXPECT_LT(again, 8 * KFrameCache::kSteadyFrames);

  // A covering floor that changes takes everything with it.
  scene[0].look = 11;
  p = frame();
  EXPECT_FALSE(p.usePicture);
}

} // namespace
