#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "media/Rect.h"

class CMapa;
class CMapEntity;
class CMapEntitiesCollection;

// A box in screen pixels, in the signed 16-bit arithmetic of the collision pass.
struct TKolizniBox {
  int16_t x;
  int16_t y;
  int16_t w;
  int16_t h;
  bool empty() const { return w == 0 && h == 0; }
};

// The pixels x .. x + w - 1 and y .. y + h - 1 of the two boxes overlap; boxes that only touch
// do not.
bool rectKolize(const TKolizniBox &a, const TKolizniBox &b);
bool rectKolize(const Rect &a, const Rect &b);

// The current frame's body box (or action box) of the entity, placed at its position; an entity
// without a frame has an empty box.
TKolizniBox bodyBox(const CMapEntity *e);
TKolizniBox actionBox(const CMapEntity *e);

// Rebuilds every entity's collision lists of the level in one pass; the level runs it in updates
// after something moved.
class CMapCollisionManager {
public:
  CMapCollisionManager();

  void bindMapaEC(CMapa *m, CMapEntitiesCollection *c);
  void checkCollisions();
  void reactToCollisions();

private:
  // A box with the last column and row it reaches. A box of no width or height still reaches
  // its own first column or row: one whose corner lies inside another box meets that box. Boxes
  // whose reaches do not overlap never meet, which is cheaper to ask than rectKolize.
  struct TReach {
    TKolizniBox box;
    int16_t right;
    int16_t bottom;
    uint32_t index;
  };

  static TReach reach(const TKolizniBox &b, size_t index);
  static bool reachesOverlap(const TReach &a, const TReach &b);
  void bodyPass();
  void actionPass();
  void tilePass(CMapEntity *e, const TKolizniBox &body);

  CMapa *mapa;
  CMapEntitiesCollection *collection;
  // Scratch of one pass, kept so that a pass allocates nothing once the level has settled.
  std::vector<TReach> bodies;
  std::vector<TReach> actions;
  std::vector<int32_t> words;
  std::vector<TReach> sweep;
  std::vector<std::pair<uint32_t, uint32_t>> pairs;
  std::vector<size_t> starts;
  std::vector<uint32_t> partners;
};

// Calls f(column, row, cell index) for every grid cell that the box covers, from x / 32 to
// (x + w) / 32 and y / 32 to (y + h) / 32, both ends included; cells off the grid are left out.
template <class F> void forEachCoveredCell(const TKolizniBox &b, F f) {
  int c0 = b.x / 32, c1 = (int16_t)(b.x + b.w) / 32;
  int r0 = b.y / 32, r1 = (int16_t)(b.y + b.h) / 32;
  if (c0 < 0) c0 = 0;
  if (c1 > 24) c1 = 24;
  if (r0 < 0) r0 = 0;
  if (r1 > 18) r1 = 18;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c) f(c, r, r * 25 + c);
}
