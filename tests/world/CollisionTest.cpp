#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "world/CMapCollisionManager.h"
#include "world/CMapa.h"

namespace {

class CollisionTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    // Body box 10..29 x 10..29 of the frame, action box the whole 32 x 32.
    addBoxSprite("BODY", Rect{10, 10, 20, 20}, Rect{0, 0, 32, 32});
    addBoxSprite("NOBODY", Rect{0, 0, 0, 0}, Rect{0, 0, 0, 0});
    manager.bindMapaEC(&mapa, collection);
  }

  CMapEntity_Game *at(const std::string &name, float x, float y, const std::string &sprite = "BODY") {
    CMapEntity_Game *e = live(name, 0, 0, x, y);
    e->looks().setSprite(sprite);
    return e;
  }

  // One layer of walkable tiles (ID 1) with blocking tiles (ID 2) at the given cells.
  void layers(std::vector<int> blocking, int count = 1) {
    mapa.getDefinice()[1].walkable = 1;
    mapa.getDefinice()[2].walkable = 0;
    mapa.getLayers().resize(count);
    for (TLayer &l : mapa.getLayers())
      for (TMapCell &c : l.cells) c.id = 1;
    for (int cell : blocking) mapa.getLayers()[0].cells[cell].id = 2;
  }

  CMapa mapa;
  CMapCollisionManager manager;
};

TEST(RectKolize, BoxesThatOnlyTouchDoNotOverlap) {
  EXPECT_FALSE(rectKolize(Rect{0, 0, 10, 10}, Rect{10, 0, 10, 10}));
  EXPECT_TRUE(rectKolize(Rect{0, 0, 10, 10}, Rect{9, 9, 10, 10}));
  EXPECT_FALSE(rectKolize(Rect{0, 0, 10, 10}, Rect{0, 10, 10, 10}));
  EXPECT_TRUE(rectKolize(Rect{5, 5, 2, 2}, Rect{0, 0, 20, 20})) << "one inside the other";
  EXPECT_TRUE(rectKolize(Rect{-30, -30, 20, 20}, Rect{-15, -15, 5, 5}));
}

TEST_F(CollisionTest, OverlappingBodiesAndActionBoxesAreListedBothWays) {
  CMapEntity_Game *a = at("A", 100, 100);
  CMapEntity_Game *b = at("B", 119, 119);  // bodies share the pixel (129, 129)
  CMapEntity_Game *c = at("C", 120, 100);  // body starts where A's ends; action boxes overlap
  CMapEntity_Game *empty = at("EMPTY", 100, 100, "NOBODY");
  manager.checkCollisions();
  EXPECT_TRUE(a->hits().isCollisionWithEntity(b));
  EXPECT_TRUE(b->hits().isCollisionWithEntity(a));
  EXPECT_FALSE(a->hits().isCollisionWithEntity(c)) << "touching is not overlapping";
  EXPECT_TRUE(a->hits().isActionCollisionWithEntity(c));
  EXPECT_TRUE(c->hits().isActionCollisionWithEntity(a));
  EXPECT_TRUE(empty->hits().getCollided().empty()) << "a 0 x 0 box collides with nothing";
  EXPECT_TRUE(empty->hits().getActionCollided().empty());

  // Without a new pass the lists stay; a pass after a move rebuilds them.
  b->setXY(300, 300);
  EXPECT_TRUE(a->hits().isCollisionWithEntity(b));
  manager.checkCollisions();
  EXPECT_FALSE(a->hits().isCollisionWithEntity(b));
  EXPECT_FALSE(b->hits().isActionCollisionWithEntity(a));
}

TEST_F(CollisionTest, NoCollisionWordsKeepEntitiesApart) {
  CMapEntity_Game *cursor = at("CURSOR", 100, 100);
  CMapEntity_Game *bed = at("BED", 105, 105);
  CMapEntity_Game *ghost = at("GHOST", 105, 105);
  cursor->hits().setNoCollision(1);
  ghost->hits().setNoCollision(1);
  bed->hits().setNoCollision(2);
  manager.checkCollisions();
  EXPECT_TRUE(cursor->hits().getCollided().empty()) << "no body collisions with any word set";
  EXPECT_FALSE(cursor->hits().isActionCollisionWithEntity(ghost)) << "the same word: never";
  EXPECT_TRUE(cursor->hits().isActionCollisionWithEntity(bed)) << "different words: action boxes still meet";

  bed->setFocus(false);
  manager.checkCollisions();
  EXPECT_FALSE(cursor->hits().isActionCollisionWithEntity(bed)) << "only while both may take input";
  bed->setFocusable(false);
  manager.checkCollisions();
  EXPECT_TRUE(cursor->hits().isActionCollisionWithEntity(bed));

  // A carrier and what it carries never meet this way.
  CMapEntity_Game *pillow = at("PILLOW", 0, 0);
  pillow->hits().setNoCollision(3);
  bed->addEntity(pillow, false, true);
  manager.checkCollisions();
  EXPECT_FALSE(bed->hits().isActionCollisionWithEntity(pillow));
  EXPECT_TRUE(cursor->hits().isActionCollisionWithEntity(pillow));
}

TEST_F(CollisionTest, ABoxStartingBelowEndsTheScanWithinTheDrawingOrder) {
  CMapEntity_Game *a = at("A", 100, 100);
  at("FAR", 0, 200);
  CMapEntity_Game *late = at("LATE", 105, 105);
  manager.checkCollisions();
  EXPECT_FALSE(a->hits().isCollisionWithEntity(late)) << "the list is taken as sorted by y";
  collection->sortDrawingOrder();
  manager.checkCollisions();
  EXPECT_TRUE(a->hits().isCollisionWithEntity(late));

  // A carried entity keeps no such order: one below A does not end the scan, a free one does.
  CMapEntity_Game *carrier = at("CARRIER", 0, 600);
  CMapEntity_Game *carried = at("CARRIED", 0, 0);
  carrier->addEntity(carried, false, true);
  std::vector<CMapEntity_Game *> &list = *collection->getEntitiesPtr();
  CMapEntity_Game *far = list[2];
  list = {a, carried, late, carrier, far};
  manager.checkCollisions();
  EXPECT_TRUE(a->hits().isCollisionWithEntity(late));
  list = {a, carrier, late, carried, far};
  manager.checkCollisions();
  EXPECT_FALSE(a->hits().isCollisionWithEntity(late));
}

// The pass finds action pairs without testing every pair; a random crowded scene, with boxes of
// no width or no height, boxes across the 16-bit wrap, words, focus and carried entities, must
// give the very lists of the plain all-pairs pass, in the same order.
TEST_F(CollisionTest, ActionListsMatchTheAllPairsPassOnARandomScene) {
  addBoxSprite("FLAT", Rect{0, 0, 0, 0}, Rect{4, 10, 40, 0});
  addBoxSprite("THIN", Rect{0, 0, 0, 0}, Rect{10, -20, 0, 60});
  addBoxSprite("TALL", Rect{0, 0, 0, 0}, Rect{-8, -90, 16, 200});
  const char *sprites[] = {"BODY", "NOBODY", "FLAT", "THIN", "TALL", "BODY"};
  std::mt19937 rng(7);
  auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
  std::vector<CMapEntity_Game *> all;
  for (int i = 0; i < 300; ++i) {
    float x = (float)(pick(300) - 60), y = (float)(pick(250) - 60);
    if (i % 50 == 0) y = 32740.0f + (float)pick(40);
    CMapEntity_Game *e = at("E" + std::to_string(i), x, y, sprites[pick(6)]);
    const int words[] = {0, 0, 0, 1, 2};
    e->hits().setNoCollision(words[pick(5)]);
    e->setFocusable(pick(2) == 0);
    e->setFocus(pick(3) == 0);
    all.push_back(e);
  }
  for (int i = 0; i < 20; ++i) all[(size_t)pick(150)]->addEntity(all[(size_t)(150 + pick(150))], false, true);
  std::vector<CMapEntity_Game *> &list = *collection->getEntitiesPtr();
  std::shuffle(list.begin(), list.end(), rng);

  manager.checkCollisions();
  size_t met = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    CMapEntity_Game *a = list[i];
    std::vector<CMapEntity *> expected;
    for (size_t j = 0; j < list.size(); ++j) {
      CMapEntity_Game *b = list[j];
      int32_t wa = a->hits().getNoCollision(), wb = b->hits().getNoCollision();
      auto free = [](CMapEntity *e) { return e->getFocus() || !e->getFocusable(); };
      bool tested = (wa == 0 && wb == 0) ||
                    (wa != wb && !a->carrying().carries(b) && !b->carrying().carries(a) && free(a) && free(b));
      TKolizniBox ab = actionBox(a), bb = actionBox(b);
      if (j != i && tested && !ab.empty() && !bb.empty() && rectKolize(ab, bb)) expected.push_back(b);
    }
    met += expected.size();
    ASSERT_EQ(a->hits().getActionCollided(), expected) << a->name;
  }
  EXPECT_GT(met, 1000u) << "the scene is crowded enough to mean something";
}

TEST_F(CollisionTest, BlockingTilesUnderTheBodyAreListed) {
  // Body 10..29 from x 54: pixels 64..83, columns 2 to (64 + 20) / 32 = 2; rows likewise from y 22.
  layers({2 * 25 + 2, 1 * 25 + 2, 3 * 25 + 3}, 3);
  mapa.getLayers()[1].cells[2 * 25 + 2].id = 2;
  mapa.getLayers()[2].cells[2 * 25 + 2].id = 3;
  CMapEntity_Game *e = at("E", 54, 54);
  manager.checkCollisions();
  EXPECT_EQ(e->hits().getCollidedTiles(), (std::vector<unsigned short>{2}))
      << "each ID once, the third layer not read";

  // A box ending exactly on a tile border (64 + 32 = 96) also covers the next column.
  addBoxSprite("WIDE", Rect{0, 0, 32, 1}, Rect{0, 0, 0, 0});
  layers({2 * 25 + 3});
  e->looks().setSprite("WIDE");
  e->setXY(64, 64);
  manager.checkCollisions();
  EXPECT_EQ(e->hits().getCollidedTiles().size(), 1u);

  // Above the grid nothing is read, however far.
  layers({0, 24, 18 * 25 + 24});
  e->setXY(0, -500);
  manager.checkCollisions();
  EXPECT_TRUE(e->hits().getCollidedTiles().empty());
  e->setXY(-500, -500);
  manager.checkCollisions();
  EXPECT_TRUE(e->hits().getCollidedTiles().empty());
  e->setXY(790, 590);
  manager.checkCollisions();
  EXPECT_EQ(e->hits().getCollidedTiles().size(), 1u);
}

TEST_F(CollisionTest, SolidEntitiesStampTheirWalkPenaltyIntoTheFirstLayer) {
  layers({}, 2);
  mapa.getLayers()[1].cells[7].penalty = 9;
  collection->bindMapa(&mapa);
  CMapEntity_Game *bed = at("BED", 54, 54);  // body 64..84 x 64..84: cells (2..2, 2..2)
  CMapEntity_Game *wall = new CMapEntity_Game(0, 0, true);
  wall->looks().setSprite("BODY");
  wall->setWalkPenalty(1000);
  wall->setXY(-10, -10);  // body 0..20: cell (0, 0)
  collection->addEntity(wall);
  CMapEntity_Game *solidBed = new CMapEntity_Game(0, 0, true);
  solidBed->looks().setSprite("BODY");
  solidBed->setWalkPenalty(300);
  solidBed->setXY(86, 54);  // body 96..116: cells (3, 2)
  collection->addEntity(solidBed);
  bed->setWalkPenalty(500);

  collection->generateEntityCollisionList();
  const TLayer &ground = mapa.getLayers()[0];
  EXPECT_EQ(ground.cells[0].penalty, 1000);
  EXPECT_EQ(ground.cells[2 * 25 + 3].penalty, 300);
  EXPECT_EQ(ground.cells[2 * 25 + 2].penalty, 0) << "only solid entities count";
  EXPECT_EQ(mapa.getLayers()[1].cells[7].penalty, 0) << "every layer is cleared first";
  EXPECT_FALSE(mapa.isWalkable(0, 0));
}

} // namespace
