#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/KFrameCache.h"

// One thing a frame draws over what lies under it all, as the next frame compares it.
struct KDamageItem {
  // Stays the same from frame to frame for the same thing.
  uint64_t id = 0;
  // Equal looks put equal pixels on the screen.
  uint64_t look = 0;
  // Where its pixels may lie, in screen pixels.
  KPixelBox box;
};

// Where a frame differs from the one before: the boxes of what changed, came, went or moved in
// the drawing order, gathered into tiles and the tiles into rectangles. Drawing only there over
// the last frame gives the same pixels as drawing it all.
class KFrameDamage {
public:
  // Side of the square tiles the damage is gathered in.
  static const int kTile = 32;

  // The frame's items, in drawing order, over `base` (a stand-in for what lies under them) in
  // `view`. False when the whole view is to be drawn: nothing known of the last frame, another
  // base or view, or most of it changed. Otherwise rects() says where to draw.
  bool compare(const std::vector<KDamageItem> &items, uint64_t base, const KPixelBox &view);
  const std::vector<KPixelBox> &rects() const { return out; }
  // The last frame is not known (the screen's pixels changed otherwise).
  void forget() { known = false; }

private:
  void mark(const KPixelBox &b);
  void compareBetween(const std::vector<KDamageItem> &items, size_t from, size_t to, size_t lastFrom, size_t lastTo);
  void gather();

  std::vector<KDamageItem> last;
  uint64_t lastBase = 0;
  KPixelBox lastView;
  bool known = false;
  int cols = 0, rows = 0;
  std::vector<char> tiles;
  std::vector<KPixelBox> out;
  // Unchanged items between the common start and end: (index now, index before).
  std::vector<std::pair<size_t, size_t>> kept;
};
