#include <gtest/gtest.h>

#include <sys/wait.h>

#include <string>
#include <vector>

#include "support/WorldTestSupport.h"
#include "world/CMapEntity.h"
#include "world/CMapEntity_Game.h"

namespace {

int g_deleted = 0;

class Counted : public CMapEntity_Game {
public:
  explicit Counted(unsigned id = 0, unsigned cls = 0) : CMapEntity_Game(0, 0, false) {
    setEntityID(id);
    setEntityClassID(cls);
    name = "C" + std::to_string(id);
  }
  ~Counted() override { ++g_deleted; }
};

class CarryTest : public WorldTest {
protected:
  void SetUp() override {
    WorldTest::SetUp();
    g_deleted = 0;
    addSprite("HAND", "hand.png",
              {{"FRAMESET1", {{0, 0, 8, 8, 100, 0}}},
               {"FULL", {{8, 0, 8, 8, 100, 0}, {16, 0, 8, 8, 100, 0}}}});
  }

  static const char *framesetOf(CMapEntity *e) { return e->looks().getSprite()->getAktivniFrameset()->getID(); }
};

TEST_F(CarryTest, TheLimitCountsCarriedEntitiesAndLookupsTakeTheLastMatch) {
  Counted carrier(55);
  EXPECT_EQ(carrier.carrying().getContainedSize(), 1u);
  EXPECT_FALSE(carrier.carrying().hasChildren());
  EXPECT_FALSE(carrier.containedFull());
  EXPECT_EQ(carrier.getContainedEntity(55), &carrier) << "the carrier counts as carrying itself";
  for (int i = 0; i < 10; ++i) {
    EXPECT_FALSE(carrier.containedFull());
    carrier.addEntity(new Counted(i < 8 ? 1 : 55, 13), false, false);
  }
  EXPECT_TRUE(carrier.containedFull());
  EXPECT_TRUE(carrier.carrying().hasChildren());
  EXPECT_EQ(carrier.getContainedEntity(55), carrier.carrying().getContainedList()[10]) << "the later of two";
  EXPECT_EQ(carrier.getContainedEntityClass(13), carrier.carrying().getContainedList()[10]);
  EXPECT_EQ(carrier.getContainedEntity(2), nullptr);
  // The limit is the caller's to respect.
  carrier.addEntity(new Counted(3), false, false);
  EXPECT_EQ(carrier.carrying().getContainedSize(), 12u);

  Counted none;
  none.setContainedLimit(0);
  EXPECT_TRUE(none.containedFull());
}

TEST_F(CarryTest, CarryingPlacesLayersAndRegistersTheEntity) {
  Counted *carrier = new Counted(1);
  Counted *item = new Counted(2);
  Counted *sub = new Counted(3);
  item->addEntity(sub, false, false);
  carrier->setXY(100, 200);
  carrier->setSortZ(4, false);
  item->setXOffset(5, false);
  item->setYOffset(-3, false);
  CGlobals::instance()->entityAdded = false;

  carrier->addEntity(item, true, false);
  EXPECT_TRUE(CGlobals::instance()->entityAdded);
  EXPECT_EQ(item->getX(), 105.0f);
  EXPECT_EQ(item->getY(), 197.0f);
  EXPECT_EQ(item->looks().getSortZ(), 5);
  EXPECT_EQ(sub->looks().getSortZ(), 6);
  EXPECT_EQ(item->carrying().getParent(), carrier);
  EXPECT_EQ(item->carrying().getTopCarrier(), carrier);
  EXPECT_EQ(sub->carrying().getTopCarrier(), carrier) << "the whole tree knows its outermost carrier";
  ASSERT_EQ(levelAdded().size(), 1u);
  EXPECT_EQ(levelAdded()[0], item) << "the collection flag hands the entity to the level";

  Counted *low = new Counted(4);
  low->setSortZ(0, false);
  carrier->addEntity(low, false, false);
  EXPECT_EQ(levelAdded().size(), 1u);
  const std::vector<CMapEntity *> &draw = carrier->carrying().getDrawList();
  ASSERT_EQ(draw.size(), 3u);
  EXPECT_EQ(draw[0], carrier) << "drawn by layer: carrier 4, then 5, 5";
  EXPECT_EQ(draw[0]->looks().getSortZ(), 4);
  EXPECT_EQ(draw[1]->looks().getSortZ(), 5);
  EXPECT_EQ(draw[2]->looks().getSortZ(), 5);

  // A chain of carriers: the innermost knows the outermost.
  Counted *deeper = new Counted(5);
  sub->addEntity(deeper, false, false);
  EXPECT_EQ(deeper->carrying().getTopCarrier(), carrier);
  EXPECT_EQ(deeper->getX(), 105.0f);
  delete carrier;
  EXPECT_EQ(g_deleted, 5) << "deleting a carrier deletes what it carries, at every depth";
}

TEST_F(CarryTest, CarryingByNameClonesThePrototypeAtTheCarriersPosition) {
  CMapEntity_Game *proto = addPrototype("LEK", 44, 18, "HAND");
  proto->setXY(999, 999);
  CMapEntity_Game *hand = entity(600, 0, "HAND");
  hand->setXY(40, 50);
  hand->changeFrameset("FULL");
  hand->changeFrame(1, 0);
  CMapEntity *lek = hand->addEntity("LEK");
  ASSERT_NE(lek, nullptr);
  EXPECT_NE(lek, proto);
  EXPECT_EQ(lek->getEntityID(), 44u);
  EXPECT_EQ(lek->getX(), 40.0f);
  EXPECT_EQ(lek->getY(), 50.0f);
  EXPECT_EQ(lek->carrying().getParent(), hand);
  EXPECT_EQ(lek->looks().getSortZ(), 1);
  EXPECT_STREQ(framesetOf(lek), "FULL") << "a synchronised item shows its carrier's frameset";
  EXPECT_EQ(lek->looks().getSprite()->getAktivniFrameset()->getAktivniIndex(), 1);
  ASSERT_EQ(levelAdded().size(), 1u);
  EXPECT_EQ(levelAdded()[0], lek);
  delete hand;
}

TEST_F(CarryTest, CarryingAnUnknownPrototypeEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  CMapEntity_Game *hand = entity(600);
  EXPECT_EXIT(hand->addEntity(std::string("NOSUCH")), [](int s) { return WIFEXITED(s) && WEXITSTATUS(s) == 255; },
              "NOSUCHnot found in global entity object while cloning!");
  delete hand;
}

TEST_F(CarryTest, HandOverByIDRespectsTheLimitOrExchangesWhenForced) {
  Counted *player = new Counted(7);
  Counted *left = new Counted(600);
  Counted *right = new Counted(601);
  player->addEntity(left, false, false);
  player->addEntity(right, false, false);
  left->setContainedLimit(1);
  right->setContainedLimit(1);
  Counted *drink = new Counted(55);
  drink->looks().setSprite("HAND");
  drink->changeFrameset("FULL");
  drink->setXOffset(3, false);
  Counted *book = new Counted(56);
  left->addEntity(drink, false, false);
  right->addEntity(book, false, false);

  EXPECT_FALSE(left->giveEntityTo(right, 55, false)) << "a full hand takes nothing";
  EXPECT_EQ(drink->carrying().getParent(), left);
  EXPECT_FALSE(left->giveEntityTo(right, 99, true)) << "nothing of that ID to give";
  EXPECT_EQ(book->carrying().getParent(), right) << "and no exchange for nothing";

  EXPECT_TRUE(left->giveEntityTo(right, 55, true));
  EXPECT_EQ(drink->carrying().getParent(), right);
  EXPECT_EQ(book->carrying().getParent(), left) << "the forced hand-over swaps the two";
  EXPECT_EQ(drink->getXOffset(), 0.0f) << "the ID form resets the offsets";
  EXPECT_STREQ(framesetOf(drink), "FRAMESET1") << "and the resting frameset";
  EXPECT_EQ(drink->carrying().getTopCarrier(), player);
  EXPECT_EQ(left->carrying().getContainedSize(), 2u);
  EXPECT_EQ(right->carrying().getContainedSize(), 2u);
  delete player;
  EXPECT_EQ(g_deleted, 5);
}

TEST_F(CarryTest, HandingOverOneOfTwoEqualItemsKeepsTheOther) {
  Counted hand(600), tray(9);
  Counted *first = new Counted(55);
  Counted *second = new Counted(55);
  hand.addEntity(first, false, false);
  hand.addEntity(second, false, false);
  EXPECT_TRUE(hand.giveEntityTo(&tray, 55, false));
  EXPECT_EQ(second->carrying().getParent(), &tray) << "the later one goes";
  EXPECT_EQ(first->carrying().getParent(), &hand) << "the earlier one is not lost on the way";
  EXPECT_EQ(hand.carrying().getContainedSize(), 2u);
}

TEST_F(CarryTest, HandOverOfAGivenEntityAndOfTheFirstKeepOffsets) {
  Counted a(1), b(2), stranger(3);
  a.setXY(10, 10);
  b.setXY(200, 300);
  Counted *item = new Counted(44);
  item->setXOffset(6, false);
  a.addEntity(item, false, false);
  Counted *foreign = new Counted(45);
  stranger.addEntity(foreign, false, false);

  EXPECT_FALSE(a.giveEntityTo(&b, foreign, true)) << "not ours to give";
  EXPECT_EQ(foreign->carrying().getParent(), &stranger);
  EXPECT_FALSE(a.dropEntity(foreign));

  b.setContainedLimit(0);
  EXPECT_FALSE(a.giveEntityTo(&b, item, true));
  b.setContainedLimit(10);
  EXPECT_TRUE(a.giveEntityTo(&b, item, false));
  EXPECT_EQ(item->carrying().getParent(), &b);
  EXPECT_EQ(item->getX(), 206.0f) << "placed by the offset it had";

  EXPECT_TRUE(b.giveFirstEntityTo(&a));
  EXPECT_EQ(item->carrying().getParent(), &a);
  EXPECT_EQ(item->getX(), 16.0f);
  EXPECT_FALSE(b.giveFirstEntityTo(&a)) << "nothing left";
  EXPECT_FALSE(a.giveFirstEntityTo(nullptr));
  EXPECT_FALSE(a.giveEntityTo(nullptr, 44, true));
}

TEST_F(CarryTest, DroppedEntitiesKeepTheirPlaceAndForgetTheirCarrier) {
  Counted carrier(1);
  carrier.setXY(100, 100);
  Counted *a = new Counted(55);
  Counted *b = new Counted(56);
  Counted *c = new Counted(57);
  Counted *d = new Counted(58);
  a->setXOffset(5, false);
  d->setXOffset(9, false);
  a->looks().setSprite("HAND");
  carrier.addEntity(a, false, false);
  carrier.addEntity(b, false, false);
  carrier.addEntity(c, false, false);
  carrier.addEntity(d, false, false);
  a->changeFrameset("FULL");

  EXPECT_TRUE(carrier.dropEntity(b));
  EXPECT_EQ(b->carrying().getParent(), nullptr);
  EXPECT_EQ(b->carrying().getTopCarrier(), nullptr);
  EXPECT_FALSE(carrier.dropEntity(b));
  EXPECT_EQ(b->getX(), 100.0f) << "a dropped entity stays where it was";
  b->setXY(7, 8);
  EXPECT_EQ(b->getX(), 7.0f);

  EXPECT_EQ(carrier.dropEntity((unsigned short)55), a);
  EXPECT_EQ(a->carrying().getParent(), nullptr);
  EXPECT_EQ(a->getXOffset(), 0.0f);
  EXPECT_EQ(a->getX(), 105.0f);
  EXPECT_STREQ(framesetOf(a), "FRAMESET1");
  EXPECT_EQ(carrier.dropEntity((unsigned short)55), nullptr);

  EXPECT_EQ(carrier.dropEntityByIndex(0), nullptr) << "the carrier never lets go of itself";
  EXPECT_EQ(carrier.dropEntityByIndex(9), nullptr);
  EXPECT_EQ(carrier.carrying().getContainedList()[0], &carrier);
  EXPECT_EQ(carrier.dropEntityByIndex(1), c);
  EXPECT_EQ(c->carrying().getParent(), nullptr) << "nobody may be left pointing at a carrier it has left";
  EXPECT_EQ(carrier.dropEntity(std::string("C58")), d);
  EXPECT_EQ(d->carrying().getParent(), nullptr);
  EXPECT_EQ(d->getXOffset(), 9.0f);
  EXPECT_EQ(carrier.dropEntity(std::string("C58")), nullptr);
  EXPECT_FALSE(carrier.carrying().hasChildren());
  EXPECT_EQ(carrier.carrying().getDrawList().size(), 1u);
  delete a;
  delete b;
  delete c;
  delete d;
  EXPECT_EQ(g_deleted, 4);
}

TEST_F(CarryTest, RemovingDeletesOnlyCarriedMatches) {
  Counted carrier(55, 13);
  carrier.addEntity(new Counted(55, 1), false, false);
  carrier.addEntity(new Counted(55, 2), false, false);
  carrier.addEntity(new Counted(60, 13), false, false);
  Counted *kept = new Counted(61, 14);
  carrier.addEntity(kept, false, false);
  Counted outsider(61);

  carrier.removeEntity(&outsider);
  carrier.removeEntity(&carrier);
  EXPECT_EQ(g_deleted, 0) << "neither strangers nor the carrier itself";
  carrier.removeEntity((unsigned short)55);
  EXPECT_EQ(g_deleted, 2);
  EXPECT_EQ(carrier.carrying().getContainedSize(), 3u) << "the carrier stays although its own ID matched";
  carrier.removeEntityClass(13);
  EXPECT_EQ(g_deleted, 3);
  carrier.removeEntity(kept);
  EXPECT_EQ(g_deleted, 4);
  EXPECT_EQ(carrier.carrying().getDrawList().size(), 1u);
}

TEST_F(CarryTest, AnEntityHasOneCarrierAndNoCarrierCarriesItsOwnCarrier) {
  Counted a(1), b(2);
  Counted *item = new Counted(3);
  a.addEntity(item, false, false);
  b.addEntity(item, false, false);
  EXPECT_EQ(item->carrying().getParent(), &b);
  EXPECT_EQ(a.carrying().getContainedSize(), 1u) << "taken out of the first carrier, not shared";
  b.addEntity(item, false, false);
  EXPECT_EQ(b.carrying().getContainedSize(), 2u) << "carrying again does not duplicate";

  Counted *inner = new Counted(4);
  item->addEntity(inner, false, false);
  inner->addEntity(&b, false, false);
  inner->addEntity(inner, false, false);
  EXPECT_EQ(inner->carrying().getContainedSize(), 1u) << "a loop would never end";
  EXPECT_EQ(b.carrying().getParent(), nullptr);
  EXPECT_FALSE(inner->carrying().canCarry(item));
  EXPECT_FALSE(item->giveEntityTo(inner, (unsigned short)4, true)) << "nor can a hand-over make one";
  EXPECT_EQ(inner->carrying().getParent(), item);
  EXPECT_TRUE(b.carrying().carries(inner));
}

// The level's kill pass deletes a marked entity only once it carries nothing, after taking it
// out of its list; it must always finish with whatever a killed carrier still holds.
TEST_F(CarryTest, AKilledCarrierMarksEverythingItHoldsAndCanBeEmptiedWhole) {
  Counted carrier(1);
  Counted *item = new Counted(2);
  Counted *inner = new Counted(3);
  carrier.addEntity(item, false, false);
  item->addEntity(inner, false, false);
  carrier.setKill(false);
  EXPECT_FALSE(carrier.getKill());
  EXPECT_TRUE(item->getKill()) << "carried entities are marked whatever the flag";
  EXPECT_TRUE(inner->getKill());

  carrier.setKill(true);
  Counted *late = new Counted(4);
  carrier.addEntity(late, false, false);
  EXPECT_TRUE(late->getKill()) << "what a dying carrier takes on dies with it";

  std::vector<CMapEntity *> tree;
  carrier.carrying().collectCarried(tree);
  EXPECT_EQ(tree, (std::vector<CMapEntity *>{item, inner, late}));

  // A pass that meets a killed leaf first releases it through its carrier.
  item->removeEntity(inner);
  carrier.removeEntity(late);
  carrier.removeEntity(item);
  EXPECT_EQ(g_deleted, 3);
  EXPECT_FALSE(carrier.carrying().hasChildren());
}

} // namespace
