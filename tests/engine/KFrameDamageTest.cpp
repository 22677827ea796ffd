#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/KFrameDamage.h"

namespace {

const KPixelBox kView = {0, 0, 320, 240};

// The items painted in order into a picture where the order matters (each covers what is under
// it with a mix of both), as blended quads do.
std::vector<uint32_t> paint(const std::vector<KDamageItem> &items) {
  std::vector<uint32_t> px((size_t)kView.x1 * kView.y1, 1);
  for (const KDamageItem &it : items)
    for (int y = std::max(it.box.y0, 0); y < std::min(it.box.y1, kView.y1); ++y)
      for (int x = std::max(it.box.x0, 0); x < std::min(it.box.x1, kView.x1); ++x) {
        uint32_t &p = px[(size_t)y * kView.x1 + x];
        p = p * 31 + (uint32_t)it.look;
      }
  return px;
}

KPixelBox randomBox(std::mt19937 &rng) {
  int x = (int)(rng() % 340) - 20, y = (int)(rng() % 260) - 20;
  return {x, y, x + 1 + (int)(rng() % 60), y + 1 + (int)(rng() % 50)};
}

// Frame after frame the items change, move, come, go and swap places in the drawing order; each
// time the rectangles are given, drawing only inside them over the last frame gives the new one.
TEST(KFrameDamage, DrawingOnlyWhereItSaysOverTheLastFrameGivesTheNewFrame) {
  std::mt19937 rng(36);
  KFrameDamage damage;
  std::vector<KDamageItem> items;
  uint64_t nextId = 1;
  for (int i = 0; i < 30; ++i) items.push_back({nextId++, rng() % 5, randomBox(rng)});
  EXPECT_FALSE(damage.compare(items, 7, kView)) << "nothing is known of the frame before";
  int inParts = 0;
  for (int frame = 0; frame < 400; ++frame) {
    const std::vector<uint32_t> before = paint(items);
    std::vector<KDamageItem> now = items;
    const int changes = (int)(rng() % 4);
    for (int c = 0; c < changes; ++c) {
      const size_t i = rng() % now.size();
      switch (rng() % 5) {
      case 0:
        now[i].look = rng() % 5;
        break;
      case 1:
        now[i].box = randomBox(rng);
        break;
      case 2:
        now.insert(now.begin() + (long)i, {nextId++, rng() % 5, randomBox(rng)});
        break;
      case 3:
        if (now.size() > 5) now.erase(now.begin() + (long)i);
        break;
      default:
        std::swap(now[i], now[rng() % now.size()]);
      }
    }
    items = now;
    if (!damage.compare(items, 7, kView)) continue;
    ++inParts;
    std::vector<uint32_t> partly = before;
    const std::vector<uint32_t> whole = paint(items);
    for (const KPixelBox &r : damage.rects())
      for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) partly[(size_t)y * kView.x1 + x] = whole[(size_t)y * kView.x1 + x];
    ASSERT_EQ(partly, whole) << "frame " << frame;
  }
  EXPECT_GT(inParts, 300);
}

TEST(KFrameDamage, AStillFrameNeedsNothingAndAnotherBaseOrABigChangeTheWholeView) {
  KFrameDamage damage;
  std::vector<KDamageItem> items = {{1, 1, {10, 10, 40, 40}}, {2, 1, {100, 100, 140, 130}}};
  EXPECT_FALSE(damage.compare(items, 7, kView));
  EXPECT_TRUE(damage.compare(items, 7, kView));
  EXPECT_TRUE(damage.rects().empty());

  // One item moved: its old and new places, in whole tiles, and nothing else.
  items[1].box = {110, 100, 150, 130};
  ASSERT_TRUE(damage.compare(items, 7, kView));
  long area = 0;
  for (const KPixelBox &r : damage.rects()) {
    area += r.area();
    EXPECT_FALSE(r.meets(items[0].box));
  }
  EXPECT_EQ(area, 2L * KFrameDamage::kTile * 2 * KFrameDamage::kTile);

  EXPECT_FALSE(damage.compare(items, 8, kView)) << "what lies under the items changed";
  EXPECT_FALSE(damage.compare(items, 8, {0, 0, 640, 480})) << "another view";
  damage.forget();
  EXPECT_FALSE(damage.compare(items, 8, {0, 0, 640, 480}));
  items.push_back({3, 1, {0, 0, 600, 400}});
  EXPECT_FALSE(damage.compare(items, 8, {0, 0, 640, 480})) << "most of the view changed";
}

} // namespace
