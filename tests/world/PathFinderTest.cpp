#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "world/CMapa.h"
#include "world/CPathFinder.h"

namespace {

typedef std::pair<int, int> Cell;

// A grid of open floor (tile 1) with walls (tile 2) and penalties set by hand.
class PathFinderTest : public ::testing::Test {
protected:
  void SetUp() override {
    mapa.getDefinice()[1].walkable = 1;
    mapa.getLayers().emplace_back();
    for (TMapCell &c : mapa.getLayers()[0].cells) c.id = 1;
    CPathFinder::instance()->setMapa(&mapa);
  }
  void TearDown() override { CPathFinder::destroyInstance(); }

  TMapCell &at(int x, int y) { return mapa.getLayers()[0].cells[y * 25 + x]; }
  void wall(int x, int y) { at(x, y).id = 2; }
  void blockAll() {
    for (TMapCell &c : mapa.getLayers()[0].cells) c.id = 2;
  }
  void open(int x, int y, uint16_t penalty = 0) {
    at(x, y).id = 1;
    at(x, y).penalty = penalty;
  }

  Cell step(int sx, int sy, int tx, int ty) {
    TTilePoint p = CPathFinder::instance()->showAPath((uint16_t)sx, (uint16_t)sy, (uint16_t)tx, (uint16_t)ty,
                                                      &outX, &outY);
    return Cell((int)p.x, (int)p.y);
  }

  // Walks step by step as the player does; every step must be to a walkable neighbour without
  // cutting a blocked corner.
  std::vector<Cell> walk(int sx, int sy, int tx, int ty) {
    std::vector<Cell> route;
    Cell at0(sx, sy);
    for (int i = 0; i < 200; ++i) {
      Cell next = step(at0.first, at0.second, tx, ty);
      if (next == at0) break;
      int dx = next.first - at0.first, dy = next.second - at0.second;
      EXPECT_TRUE(std::abs(dx) <= 1 && std::abs(dy) <= 1) << next.first << "," << next.second;
      EXPECT_TRUE(mapa.isWalkable(0, (unsigned)(next.second * 25 + next.first)));
      if (dx != 0 && dy != 0) {
        EXPECT_TRUE(mapa.isWalkable(0, (unsigned)(next.second * 25 + at0.first)));
        EXPECT_TRUE(mapa.isWalkable(0, (unsigned)(at0.second * 25 + next.first)));
      }
      route.push_back(next);
      at0 = next;
    }
    return route;
  }

  CMapa mapa;
  uint16_t outX = 0, outY = 0;
};

TEST_F(PathFinderTest, ArrivalTestHoldsForFarApartValues) {
  EXPECT_TRUE(distanceLessEqual(13, 10, 3.0f));
  EXPECT_FALSE(distanceLessEqual(13, 10, 2.9f));
  EXPECT_FALSE(distanceLessEqual(2147483647, -2147483647 - 1, 1000.0f));
}

TEST_F(PathFinderTest, NeighbourStartOrUnreachableTarget) {
  EXPECT_EQ(step(4, 4, 5, 4), Cell(5, 4));
  EXPECT_EQ(outX, 5);
  EXPECT_EQ(outY, 4);
  EXPECT_EQ(step(4, 4, 4, 4), Cell(4, 4));
  // From row 0 and column 0 only the cells on the grid are looked at.
  EXPECT_EQ(walk(0, 0, 3, 0), (std::vector<Cell>{{1, 0}, {2, 0}, {3, 0}}));
  EXPECT_EQ(step(0, 18, 0, 16), Cell(0, 17));

  // A walkable room closed by walls: no path; the start comes back and the target stays.
  for (int x = 14; x <= 18; ++x) {
    wall(x, 10);
    wall(x, 14);
  }
  for (int y = 11; y <= 13; ++y) {
    wall(14, y);
    wall(18, y);
  }
  EXPECT_EQ(step(3, 3, 16, 12), Cell(3, 3));
  EXPECT_EQ(outX, 16);
  EXPECT_EQ(outY, 12);
  // A start off the grid is not searched from.
  EXPECT_EQ(step(30, 3, 5, 5), Cell(30, 3));
}

TEST_F(PathFinderTest, RoutesAroundAWall) {
  // Column 12 is walled except for its bottom row.
  for (int y = 0; y < 18; ++y) wall(12, y);
  std::vector<Cell> route = walk(5, 5, 20, 5);
  ASSERT_FALSE(route.empty());
  EXPECT_EQ(route.back(), Cell(20, 5));
  bool throughGap = false;
  for (const Cell &c : route) throughGap = throughGap || c == Cell(12, 18);
  EXPECT_TRUE(throughGap);
  // The cheapest way (13 down, 8 across diagonally, 13 up) takes about 30 steps, not a wander.
  EXPECT_LE(route.size(), 34u);
}

TEST_F(PathFinderTest, RoutesAroundCostlyCellsWhenTheDetourIsCheaper) {
  // Column 12 costs 900 a cell except row 3.
  for (int y = 0; y < 19; ++y) at(12, y).penalty = 900;
  at(12, 3).penalty = 0;
  std::vector<Cell> route = walk(2, 9, 22, 9);
  ASSERT_FALSE(route.empty());
  EXPECT_EQ(route.back(), Cell(22, 9));
  for (const Cell &c : route) {
    if (c.first == 12) {
      EXPECT_EQ(c.second, 3);
    }
  }

  // When the detour costs more than the penalty, the path goes straight through.
  for (int y = 0; y < 19; ++y) at(12, y).penalty = 20;
  at(12, 3).penalty = 0;
  route = walk(2, 9, 22, 9);
  for (const Cell &c : route) EXPECT_EQ(c.second, 9);
}

TEST_F(PathFinderTest, NoDiagonalPastABlockedOrCostlyCorner) {
  EXPECT_EQ(step(5, 5, 6, 6), Cell(6, 6));
  at(6, 5).penalty = 99;
  EXPECT_EQ(step(5, 5, 6, 6), Cell(6, 6));
  at(6, 5).penalty = 100;
  EXPECT_EQ(step(5, 5, 6, 6), Cell(5, 6));
  at(6, 5).penalty = 0;
  wall(5, 6);
  EXPECT_EQ(step(5, 5, 6, 6), Cell(6, 5));
}

TEST_F(PathFinderTest, BlockedTargetMovesToTheNearestWalkableCellOfItsRowOrColumn) {
  // Walls around (10,10): the row's nearest open cells are two right and three left, the
  // column's one up and three down.
  for (Cell c : std::vector<Cell>{{10, 10}, {11, 10}, {9, 10}, {8, 10}, {10, 11}, {10, 12}}) wall(c.first, c.second);
  step(2, 2, 10, 10);
  EXPECT_EQ(outX, 10);
  EXPECT_EQ(outY, 9);

  // Equal distance: the earlier scan (rightwards before upwards) keeps it.
  open(11, 10);
  step(2, 2, 10, 10);
  EXPECT_EQ(outX, 11);
  EXPECT_EQ(outY, 10);
}

TEST_F(PathFinderTest, LeftAndUpScansNeverTakeColumnOrRowZero) {
  blockAll();
  open(0, 5); // two to the left, but on column 0
  open(2, 0); // five up, but on row 0
  open(2, 9);
  open(3, 9);
  open(3, 8);
  open(3, 7);
  open(3, 6);
  step(3, 6, 2, 5);
  EXPECT_EQ(outX, 2);
  EXPECT_EQ(outY, 9);

  blockAll();
  open(0, 5);
  open(2, 0);
  EXPECT_EQ(step(0, 5, 2, 5), Cell(0, 5));
  EXPECT_EQ(outX, 65535);
  EXPECT_EQ(outY, 65535);
}

TEST_F(PathFinderTest, ACheaperLookingRouteIntoACostlyCellDoesNotDropItsPenalty) {
  // (6,6) costs 50 and is the only way down to (6,9): straight from (5,5) diagonally it costs
  // 14 + 50; by way of (5,6) it costs 10 + 10 + 50. The diagonal is cheaper.
  for (int x = 0; x < 25; ++x)
    if (x != 6) wall(x, 7);
  at(6, 6).penalty = 50;
  EXPECT_EQ(step(5, 5, 6, 9), Cell(6, 6));
}

TEST_F(PathFinderTest, CostsPast16BitsStillPickTheCheaperOfTwoLongRoutes) {
  // Two walled-in corridors of 65 cells from (12,0) to (12,15), mirror images across column 12.
  // Every cell costs 999 except the left one's first, 500: left 65086 in all, right 65585.
  // In 16 bits the right one wraps to 49 and would win.
  blockAll();
  auto corridor = [](int dir) {
    std::vector<Cell> cells;
    int x = 12, y = 0;
    auto go = [&](int dx, int dy, int n) {
      for (int i = 0; i < n; ++i) {
        x += dx;
        y += dy;
        cells.push_back(Cell(x, y));
      }
    };
    for (int row = 0; row <= 10; row += 2) {
      go(row % 4 == 0 ? dir : -dir, 0, row == 0 ? 9 : 8);
      if (row < 10) go(0, 1, 2);
    }
    go(0, 1, 5);
    go(-dir, 0, 1);
    return cells;
  };
  std::vector<Cell> left = corridor(-1), right = corridor(1);
  ASSERT_EQ(left.size(), 65u);
  ASSERT_EQ(left.back(), Cell(12, 15));
  ASSERT_EQ(right.back(), Cell(12, 15));
  for (const Cell &c : left) open(c.first, c.second, 999);
  for (const Cell &c : right) open(c.first, c.second, 999);
  at(11, 0).penalty = 500;
  EXPECT_EQ(step(12, 0, 12, 15), Cell(11, 0));
  // The other way round, the right one is cheaper.
  at(11, 0).penalty = 999;
  at(13, 0).penalty = 500;
  EXPECT_EQ(step(12, 0, 12, 15), Cell(13, 0));
}

} // namespace
