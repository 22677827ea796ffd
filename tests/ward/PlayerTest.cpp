#include <gtest/gtest.h>

#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "ward/PlayerDay.h"
#include "ward/dispensers/CMapEntity_Automat.h"
#include "ward/player/CChainBonus.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "ward/staff/CMapEntity_Opravar.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapa.h"
#include "world/kinds/CMapEntity_PostelClass.h"

namespace {

class PlayerTest : public ::testing::Test, public PlayerDay {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpDay(true)); }
  void TearDown() override { tearDownDay(); }

  // Queues a walk order to the tile as a click would.
  void order(int tx, int ty) {
    akce *a = new akce();
    a->controller = walker();
    a->id = 0;
    a->priority = 3;
    a->addParam(new int32_t(tx * 32 + 16), true);
    a->addParam(new int32_t(ty * 32 + 16), true);
    queue()->pridej(a);
    queue()->flushPredFronta();
  }
  void wall(int tx, int ty) { level->getMapa()->getLayers()[0].cells[ty * 25 + tx].id = level->getMapa()->getLayers()[0].cells[0].id; }
  std::string spriteOf(CMapEntity *e) { return e->looks().getSprite() ? e->looks().getSprite()->getID() : ""; }
};

TEST(ChainBonusTest, SameWorkChainsToFiveAndStartsAgainOtherWorkBreaksIt) {
  CChainBonus chain;
  EXPECT_EQ(chain.step(CChainBonus::kExamination, 6).amount, 0u) << "the first pays nothing";
  CChainBonus::TStep second = chain.step(CChainBonus::kExamination, 6);
  EXPECT_STREQ(second.sound, "CHAIN2");
  EXPECT_EQ(second.amount, 2u * (3u * 3u + 25u));
  EXPECT_EQ(chain.step(CChainBonus::kMedicine, 6).count, 1) << "another kind breaks the chain";
  const char *sounds[] = {"CHAIN2", "CHAIN3", "CHAIN4", "CHAIN4"};
  for (const char *s : sounds) EXPECT_STREQ(chain.step(CChainBonus::kMedicine, 6).sound, s);
  CChainBonus::TStep sixth = chain.step(CChainBonus::kMedicine, 6);
  EXPECT_EQ(sixth.count, 1);
  EXPECT_EQ(sixth.sound, nullptr);
  EXPECT_EQ(sixth.amount, 0u);
  CChainBonus linen;
  EXPECT_EQ(linen.step(CChainBonus::kLinen, 6).amount, 34u) << "linen pays from the first";
  linen.step(CChainBonus::kLinen, 6);
  EXPECT_EQ(linen.step(CChainBonus::kLinen, 6).amount, 102u);
}

// Two hands, left first; an item sits centred on the hand's point, with signed halves.
TEST_F(PlayerTest, HandsFillLeftThenRightAndHoldTheirItemOnTheHandsPoint) {
  CMapEntity_Player *p = figure();
  ASSERT_NE(p, nullptr);
  const std::vector<CMapEntity *> &carried = p->carrying().getContainedList();
  ASSERT_EQ(carried.size(), 3u);
  EXPECT_EQ(carried[1]->getEntityID(), kLeftHandID);
  EXPECT_EQ(carried[2]->getEntityID(), kRightHandID);
  EXPECT_TRUE(level->getEC()->contains(carried[1]) && level->getEC()->contains(carried[2]));
  EXPECT_EQ(p->getContainedEntity(kLeftHandID), carried[1]) << "a hand's lookup answers itself";

  CMapEntity *drink = p->addEntity(std::string("DRINK"));
  CMapEntity *toy = p->addEntity(std::string("TOY"));
  ASSERT_TRUE(drink && toy);
  EXPECT_EQ(drink->carrying().getParent()->getEntityID(), kLeftHandID);
  EXPECT_EQ(toy->carrying().getParent()->getEntityID(), kRightHandID);
  EXPECT_EQ(spriteOf(carried[1]), "PLAYER1LEFTUP");
  EXPECT_EQ(spriteOf(carried[2]), "PLAYER1RIGHTUP");
  EXPECT_TRUE(p->containedFull());
  EXPECT_EQ(p->addEntity(std::string("KNIHA")), nullptr) << "both hands full";

  CMapEntity_PlayerHand *left = p->hand(true);
  left->changeFrameset("UP");
  EXPECT_FLOAT_EQ(drink->getXOffset(), 5 - 10);
  EXPECT_FLOAT_EQ(drink->getYOffset(), 30 - 14);
  left->changeFrameset("BORED1");
  EXPECT_FLOAT_EQ(drink->getXOffset(), -1 - 10) << "past the table: (-1, -1), halves signed";
  EXPECT_FLOAT_EQ(drink->getYOffset(), -1 - 14);

  drink->setKill(true);
  EXPECT_EQ(p->getContainedEntity(kDrinkID), nullptr) << "dying items are not found by ID";
  EXPECT_EQ(p->getContainedEntityClass(kComfortItemClass), drink) << "but are by class";
  left->removeEntity(drink);
  EXPECT_EQ(spriteOf(carried[1]), "PLAYER1LEFTDOWN") << "removed through the hand, shown empty";
  EXPECT_FALSE(p->containedFull());

  player->setPohlavi(1);
  player->getBasket().push_back(TBasketItem{902, 4});
  CMapEntity_Player *dressed = static_cast<CMapEntity_Player *>(p->clone());
  EXPECT_EQ(dressed->spritePrefix, "MPLAYER5") << "star index 4 dresses as 3";
  EXPECT_EQ(spriteOf(dressed->hand(false)), "MPLAYER5RIGHTDOWN");
  EXPECT_STREQ(dressed->shoes->getID(), "MSHOES1");
  dressed->setKill(true);
  level->getEC()->addEntity(dressed);
}

// A goal that no step leads to is given up with its order instead of holding the queue.
TEST_F(PlayerTest, AWalledOffGoalIsDroppedWithItsOrderAndTheNextOrderWalks) {
  CMapEntity_Player *p = figure();
  float x0 = p->getX(), y0 = p->getY();
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (dx || dy) wall(5 + dx, 14 + dy);
  order(5, 14);
  for (int i = 0; i < 5; ++i) step();
  EXPECT_EQ(p->goalX, -1);
  EXPECT_EQ(p->goalY, -1);
  EXPECT_TRUE(queue()->getFronta().empty()) << "the order no longer blocks the queue";
  EXPECT_FLOAT_EQ(p->getX(), x0);
  EXPECT_FLOAT_EQ(p->getY(), y0);

  // A tile whose row and column hold no floor at all: no corrected target either.
  for (int i = 0; i < 25; ++i) wall(i, 15);
  for (int i = 0; i < 19; ++i) wall(2, i);
  order(2, 15);
  for (int i = 0; i < 5; ++i) step();
  EXPECT_LT(p->goalX, 800) << "never a goal far off the map";
  EXPECT_TRUE(queue()->getFronta().empty());

  order(14, 10);
  EXPECT_GT(walkTo(14, 10, 200), 0) << "the figure walks to the next order";
}

// One click: the misses' releases first, the bed's choice, then the one walk order; the figure
// walks to the bed's work spot; a right click lets it finish its tile and drops the rest.
TEST_F(PlayerTest, ClickOnABedQueuesOneWalkBehindTheChoicesAndRightClickStopsOnATile) {
  CMapEntity_Game *bed = first("POSTEL1");
  ASSERT_NE(bed, nullptr);
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  const std::vector<akce *> &q = queue()->getFronta();
  ASSERT_FALSE(q.empty());
  int walks = 0;
  for (size_t i = 0; i < q.size(); ++i) {
    if (i + 1 < q.size()) {
      EXPECT_LE(q[i]->priority, q[i + 1]->priority) << "sorted by priority";
    }
    if (q[i]->controller == walker()) ++walks;
  }
  EXPECT_EQ(walks, 1);
  EXPECT_EQ(q.back()->controller, walker());
  EXPECT_EQ(named("OK").size(), 1u);
  int tx, ty;
  workTile(bed, tx, ty);
  EXPECT_EQ(*static_cast<int32_t *>(q.back()->getParam(0)), tx * 32 + 16);
  ASSERT_GT(walkTo(tx, ty, 300), 0);
  for (int i = 0; i < 4; ++i) step();
  EXPECT_TRUE(bed->getAktivni());
  EXPECT_TRUE(queue()->getFronta().empty()) << "the walk order leaves on arrival";

  order(tx + 6, ty);
  order(2, 3);
  for (int i = 0; i < 3; ++i) step();
  ASSERT_EQ(figure()->workPhase, 0);
  int next = walker()->steppingToX();
  send(K_EVENT_MOUSEDOWN, 2, 400, 300);
  EXPECT_TRUE(queue()->getFronta().empty());
  ASSERT_GT(walkTo(next, ty, 60), 0) << "finishes the tile it steps to";
  for (int i = 0; i < 10; ++i) step();
  float fx, fy;
  foot(fx, fy);
  EXPECT_EQ((int)fx, next * 32 + 16) << "and stays";
}

// The drink machine fills after 15 s of game time; the figure takes its item; the lamp goes red
// and the next drink comes 15 s later.
TEST_F(PlayerTest, DispenserFillsAfterFifteenSecondsAndTheFigureTakesItsItem) {
  CMapEntity_Automat *machine = dynamic_cast<CMapEntity_Automat *>(first("MEDDRINK"));
  ASSERT_NE(machine, nullptr);
  click((int)machine->getX() + 36, (int)machine->getY() + 60);
  EXPECT_TRUE(captionShown("No drink yet")) << "an empty machine's click said nothing";
  CMapEntity *lamp = machine->getContainedEntity(CMapEntity_Automat::kLightID);
  ASSERT_NE(lamp, nullptr);
  auto lampShows = [&]() { return std::string(lamp->looks().getSprite()->getAktivniFrameset()->getID()); };
  EXPECT_EQ(lampShows(), "RED");
  for (int i = 0; i < 745; ++i) step();
  EXPECT_EQ(machine->getContainedEntityClass(kComfortItemClass), nullptr);
  for (int i = 0; i < 10; ++i) step();
  ASSERT_NE(machine->getContainedEntityClass(kComfortItemClass), nullptr) << "stocked at 15 s";
  EXPECT_EQ(lampShows(), "GREEN");
  ASSERT_NE(machine->CMapEntity::getContainedEntityClass(kComfortItemClass), nullptr);

  // A click with no mouse-move event before it: the marker still goes where the click was.
  const int cx = (int)machine->getX() + 36, cy = (int)machine->getY() + 60;
  KInput::notePointer(cx, cy);
  step();
  step();
  send(K_EVENT_MOUSEDOWN, 1, cx, cy);
  std::vector<CMapEntity_Game *> ok = named("OK");
  ASSERT_EQ(ok.size(), 1u);
  EXPECT_FLOAT_EQ(ok[0]->getX(), (float)(cx + 9));
  EXPECT_FLOAT_EQ(ok[0]->getY(), (float)(cy + 24));
  int frames = 0;
  while (!figure()->getContainedEntity(kDrinkID) && frames < 400) {
    step();
    ++frames;
  }
  CMapEntity *drink = figure()->getContainedEntity(kDrinkID);
  ASSERT_NE(drink, nullptr);
  EXPECT_EQ(drink->carrying().getParent()->getEntityID(), kLeftHandID);
  step();
  EXPECT_EQ(machine->getContainedEntityClass(kComfortItemClass), nullptr);
  EXPECT_EQ(lampShows(), "RED");
  for (int i = 0; i < 740; ++i) step();
  EXPECT_EQ(machine->getContainedEntityClass(kComfortItemClass), nullptr) << "15 s from the taking, not the old cycle";
  for (int i = 0; i < 20; ++i) step();
  EXPECT_NE(machine->getContainedEntityClass(kComfortItemClass), nullptr);
  click(cx, cy);
  EXPECT_TRUE(captionShown("Nobody in bed to give it to"));
}

// Making the bed puts the linen in a hand; the trolley takes it and pays the chain bonus.
TEST_F(PlayerTest, MadeBedsLinenGoesToTheTrolleyForTheCleanupBonus) {
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(first("POSTEL1"));
  ASSERT_NE(bed, nullptr);
  bed->setUklizeno(false);
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  int tx, ty;
  workTile(bed, tx, ty);
  ASSERT_GT(walkTo(tx, ty, 300), 0);
  for (int i = 0; i < 4; ++i) step();
  EXPECT_TRUE(bed->isMadeUp());
  ASSERT_NE(figure()->getContainedEntity(kRubbishID), nullptr) << "the linen";

  CMapEntity_Game *trolley = first("VOZIK");
  int money = level->getMoney();
  click((int)trolley->getX() + 40, (int)trolley->getY() + 50);
  workTile(trolley, tx, ty);
  ASSERT_GT(walkTo(tx, ty, 400), 0);
  for (int i = 0; i < 4; ++i) step();
  EXPECT_EQ(figure()->getContainedEntity(kRubbishID), nullptr);
  EXPECT_EQ(level->getMoney(), money + 25);
  bool chained = false;
  for (CMapEntity_Game *c : named("BONUSTEXT"))
    chained |= static_cast<CMapEntity_BonusText *>(c)->text == "CLEANUP +25" && static_cast<CMapEntity_BonusText *>(c)->lead == "1x";
  EXPECT_TRUE(chained) << "a single linen is a chain of one, its 1x leading its bonus";

  // Two more: each pays its step, and the caption shows the last step's bonus.
  for (int i = 0; i < 2; ++i) figure()->addEntity(std::string("ODPAD"));
  money = level->getMoney();
  click((int)trolley->getX() + 40, (int)trolley->getY() + 50);
  for (int i = 0; i < 100 && figure()->getContainedEntity(kRubbishID); ++i) step();
  EXPECT_EQ(level->getMoney(), money + 50 + 75);
  std::string captions;
  for (CMapEntity_Game *c : named("BONUSTEXT")) captions += static_cast<CMapEntity_BonusText *>(c)->text + "|";
  EXPECT_NE(captions.find("CLEANUP +75|"), std::string::npos) << captions;
}

// The spray comes off its stand into a hand and goes back onto it, also when the stand is clicked
// again before she got there.
TEST_F(PlayerTest, SprayStandGivesItsSprayAndTakesItBack) {
  CMapEntity_Game *stand = first("ANTIV");
  ASSERT_NE(stand, nullptr);
  ASSERT_NE(stand->CMapEntity::getContainedEntity(kSprayID), nullptr);
  int tx, ty;
  workTile(stand, tx, ty);
  for (int round = 0; round < 2; ++round) {
    click((int)stand->getX() + 24, (int)stand->getY() + 45);
    ASSERT_GT(walkTo(tx, ty, 300), 0);
    for (int i = 0; i < 4; ++i) step();
    EXPECT_EQ(figure()->getContainedEntity(kSprayID) != nullptr, round == 0);
    EXPECT_EQ(stand->CMapEntity::getContainedEntity(kSprayID) != nullptr, round == 1);
    EXPECT_FALSE(stand->getAktivni());
    order(tx, ty - 3);
    for (int i = 0; i < 60; ++i) step();
  }
  // Clicked as quickly as a person clicks: the stand (she takes the spray), a germ over a bed, the
  // stand again: she puts the spray back.
  CMapEntity_Game *bed = first("POSTEL1");
  CMapEntity_Game *germ = add("BACILY", bed->getX() + (float)bed->approachX - 20, bed->getY() + (float)bed->approachY - 70);
  click((int)stand->getX() + 24, (int)stand->getY() + 45);
  click((int)germ->getX() + 24, (int)germ->getY() + 24);
  click((int)stand->getX() + 24, (int)stand->getY() + 45);
  bool took = false;
  for (int i = 0; i < 600 && (queue()->find(walker(), 0) >= 0 || walker()->arrivedNow()); ++i, step())
    took = took || figure()->getContainedEntity(kSprayID);
  EXPECT_TRUE(took && stand->CMapEntity::getContainedEntity(kSprayID)) << "she kept the spray, or never took it";
}

// The repairman mends a broken bed in about a second; a bed that goes away under him is let go.
TEST_F(PlayerTest, RepairmanMendsABrokenBedAndLetsGoOfABedThatIsGone) {
  CMapEntity_Opravar *man = dynamic_cast<CMapEntity_Opravar *>(first("OPRAVAR"));
  CMapEntity_Game *bed = first("POSTEL4");
  ASSERT_TRUE(man && bed);
  bed->setHealth(0);
  man->bed = bed;
  man->working = 1;
  for (int i = 0; i < 60; ++i) step();
  EXPECT_EQ(bed->getHealth(), 100);
  EXPECT_EQ(man->working, 0);
  EXPECT_FLOAT_EQ(man->getX(), 550);

  bed->setHealth(0);
  man->bed = bed;
  man->working = 1;
  bed->setKill(true);
  step();
  step();
  EXPECT_EQ(man->working, 0);
  EXPECT_EQ(man->bed, nullptr);
  EXPECT_FLOAT_EQ(man->getY(), 60);
}

} // namespace
