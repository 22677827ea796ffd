#include <gtest/gtest.h>

#include <map>

#include "HudDay.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "core/CPlayer.h"
#include "media/Timer.h"
#include "progress/CMapEntity_UpgradeClass.h"
#include "progress/CMapEntity_UpgradeMenu.h"
#include "progress/CPerkIconControllers.h"
#include "progress/CUpgradeFen1Controller.h"
#include "guidance/CShopTipControllers.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
#include "world/kinds/Links.h"

namespace {

// A figure whose speed and slowing factor the test sets.
class FakeWalk : public CWalkSpeedLink {
public:
  float walkSpeed(CMapEntity_Game *p) override { return speeds.count(p) ? speeds[p] : 6.0f; }
  void setWalkSpeed(CMapEntity_Game *p, float s) override { speeds[p] = s; }
  float speedFactor(CMapEntity_Game *) override { return factor; }
  std::map<CMapEntity_Game *, float> speeds;
  float factor = 1.0f;
};

class ShopTest : public ::testing::Test, public HudDay {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpDay(true)); }
  void TearDown() override { tearDownDay(); }

  void loadDay() {
    HudDay::loadDay();
    closeNotebook();
  }

  CMapEntity_UpgradeMenu *openShop() {
    auto *w = dynamic_cast<CMapEntity_UpgradeMenu *>(add("UPGRADEMENU", 220, 60));
    step();
    return w;
  }

  static CMapEntity_UpgradeClass *row(CMapEntity *window, unsigned id) {
    return dynamic_cast<CMapEntity_UpgradeClass *>(window->getContainedEntity((unsigned short)id));
  }

  static int fullDots(CMapEntity *r) {
    int n = 0;
    for (CMapEntity *c : r->carrying().getContainedList())
      if (c->getEntityID() == 91 && std::string(c->looks().getSprite()->getAktivniFrameset()->getID()) == "FULL") ++n;
    return n;
  }

  // A left press with the pointer in the middle of the target's action box, straight after the move.
  void clickOn(CMapEntity *target) {
    int x, y;
    actionMiddle(target, x, y);
    KInput::notePointer(x, y);
    KEvent ev = event(K_EVENT_MOUSEDOWN, 1);
    level->handleMessages(&ev);
  }

  void run(int ms) {
    for (int t = 0; t < ms; t += 20) step();
  }
};

TEST_F(ShopTest, BasketPricesTheNextStarsAndASaleReplacesTheOwnedCopy) {
  loadDay();
  player->setMoney(1200);
  player->getBasket().push_back({67, 0});
  CMapEntity_UpgradeMenu *shop = openShop();
  ASSERT_NE(shop, nullptr);
  CMapEntity_UpgradeClass *meds = row(shop, 67);
  CMapEntity_UpgradeClass *charisma = row(shop, 902);
  ASSERT_NE(meds, nullptr);
  ASSERT_NE(charisma, nullptr);
  // The medicine row follows the one star owned: next star 1000, the charisma row's first 200.
  EXPECT_EQ(meds->starIndex, 1);
  EXPECT_EQ(fullDots(meds), 1);
  EXPECT_TRUE(shop->addToBasket(meds));
  EXPECT_TRUE(shop->addToBasket(charisma));
  EXPECT_EQ(shop->getPriceSum(), 1200);
  // Adding a row twice takes it out.
  EXPECT_FALSE(shop->addToBasket(charisma));
  EXPECT_EQ(shop->getPriceSum(), 1000);
  EXPECT_TRUE(shop->addToBasket(charisma));

  // Exactly the bank: sold, the old medicine copy replaced, the bank empty.
  ASSERT_TRUE(shop->sellUpgradesToPlayer());
  EXPECT_EQ(player->getMoney(), 0);
  EXPECT_EQ(player->starsOwned(67), 2);
  EXPECT_EQ(player->starsOwned(902), 1);
  EXPECT_EQ(player->getBasket().size(), 2u);
  shop->getUpgradesFromPlayer();
  step();
  EXPECT_EQ(fullDots(meds), 2);
  // With nothing left in the bank the next stars are out of reach: no BUY buttons remain.
  step();
  EXPECT_TRUE(meds->getContainedEntity(901) == nullptr || meds->getContainedEntity(901)->getKill());

  // A sale the bank cannot pay changes nothing.
  EXPECT_TRUE(shop->addToBasket(meds));
  EXPECT_FALSE(shop->sellUpgradesToPlayer());
  EXPECT_EQ(player->starsOwned(67), 2);
  // A perk costs nothing, and its copy carries no prices yet counts 0 in the sum.
  CMapEntity_UpgradeClass *perkCopy = dynamic_cast<CMapEntity_UpgradeClass *>(CMapEntitiesFactory::instance()->cloneEntity("PERKBURST"));
  EXPECT_TRUE(perkCopy->prices.empty());
  EXPECT_EQ(perkCopy->nextPrice(), -1);
  EXPECT_EQ(perkCopy->basketPrice(), 0);
  delete perkCopy;
}

TEST_F(ShopTest, BuyClickSellsOneStarAndALastStarRetiresTheRow) {
  loadDay();
  player->setMoney(10000);
  player->getBasket().push_back({905, 2});
  CMapEntity_UpgradeMenu *shop = openShop();
  CMapEntity_UpgradeClass *speed = row(shop, 905);
  ASSERT_NE(speed, nullptr);
  CMapEntity *buy = speed->getContainedEntity(901);
  ASSERT_NE(buy, nullptr);
  clickOn(buy);
  EXPECT_EQ(player->getMoney(), 0);
  EXPECT_EQ(player->starsOwned(905), 4);
  EXPECT_TRUE(shop->getBasket().empty());
  step();
  EXPECT_EQ(fullDots(speed), 4);
  EXPECT_EQ(speed->nextPrice(), -1);
  EXPECT_FALSE(speed->getAktivni());

  // Perks: one choice, free, and the other rows fade out after it.
  ASSERT_EQ(player->getPerkBought(), false);
}

TEST_F(ShopTest, BuyButtonWithoutARowIgnoresClicks) {
  loadDay();
  CMapEntity_Game *loose = add("UPGRADEOK", 100, 100);
  step();
  KEvent ev = event(K_EVENT_MOUSEDOWN, 1);
  level->handleMessages(&ev);
  clickOn(loose);
  EXPECT_FALSE(loose->getKill());
}

TEST_F(ShopTest, BurstDoublesTheWalkAndGivesBackTheSpeedItStartedFrom) {
  FakeWalk walk;
  TScopedLink<CWalkSpeedLink> scoped(&walk);
  player->getBasket().push_back({274, 0});
  player->getBasket().push_back({308, 0});
  loadDay();
  CMapEntity_Game *figure = add("PLAYER", 300, 300);
  step();
  CMapEntity_Game *bar = level->getEC()->getEntityByID(239);
  ASSERT_NE(bar, nullptr);
  auto *burst = dynamic_cast<CMapEntity_PerkIconClass *>(bar->getContainedEntity(275));
  ASSERT_NE(burst, nullptr);
  auto *behaviour = dynamic_cast<CPerkBurstIconController *>(burst->getController());
  ASSERT_NE(behaviour, nullptr);
  EXPECT_EQ(behaviour->getTimer()->getSpoustec(), 20000);
  behaviour->getTimer()->nastavSpoustec(6000);

  // An unused icon is drawn whole: its clip's bottom edge is the picture's.
  burst->renderAdditional(nullptr);
  EXPECT_EQ(burst->looks().getVyrez(3), 0);

  KEvent right = event(K_EVENT_MOUSEDOWN, 2);
  level->handleMessages(&right);
  EXPECT_EQ(burst->active, 0);
  clickOn(burst);
  EXPECT_EQ(burst->active, 1);
  EXPECT_FLOAT_EQ(walk.walkSpeed(figure), 12.0f);
  // The figure reaches a slowing tile before the end: its own speed still comes back.
  walk.factor = 0.5f;
  run(900);
  EXPECT_NE(burst->looks().getSprite()->getAktivniFrameset()->getID(), std::string("FLASH"));
  run(200);
  EXPECT_EQ(burst->looks().getSprite()->getAktivniFrameset()->getID(), std::string("FLASH"));
  run(5000);
  EXPECT_FLOAT_EQ(walk.walkSpeed(figure), 6.0f);
  EXPECT_EQ(burst->active, 0);
  EXPECT_TRUE(burst->isSpent());
  EXPECT_FALSE(burst->looks().getVisible());
  // A second click in the same day does nothing.
  clickOn(burst);
  EXPECT_EQ(burst->active, 0);
}

TEST_F(ShopTest, VirusRunsItsWholeDurationFromTheClickAndSweepsGerms) {
  player->getBasket().push_back({308, 0});
  loadDay();
  step();
  CMapEntity_Game *bar = level->getEC()->getEntityByID(239);
  auto *virus = dynamic_cast<CMapEntity_PerkIconClass *>(bar->getContainedEntity(309));
  ASSERT_NE(virus, nullptr);
  auto *behaviour = dynamic_cast<CPerkVirusIconController *>(virus->getController());
  ASSERT_NE(behaviour, nullptr);
  behaviour->getTimer()->nastavSpoustec(1000);
  run(800);
  clickOn(virus);
  add("NEMOCNEJBACILY", 200, 200);
  run(400);
  EXPECT_EQ(level->getEC()->getEntityByID(261), nullptr);
  // 400 ms after the click the activation still runs, though the level's first cycle is over.
  EXPECT_TRUE(behaviour->isRunning());
  EXPECT_EQ(virus->active, 1);
  run(700);
  EXPECT_FALSE(behaviour->isRunning());
  EXPECT_TRUE(virus->isSpent());
}

TEST_F(ShopTest, CureTouchUsesShowInTheClipUntilSpent) {
  player->getBasket().push_back({270, 0});
  loadDay();
  step();
  auto *touch = dynamic_cast<CMapEntity_PerkIconClass *>(level->getEC()->getEntityByID(239)->getContainedEntity(272));
  ASSERT_NE(touch, nullptr);
  touch->maxuses = 3;
  clickOn(touch);
  EXPECT_EQ(touch->active, 1);
  touch->countUse();
  touch->animateAdditional();
  EXPECT_NEAR(touch->looks().getVyrez(3), touch->looks().getCurrentFrame()->getVyska() / 3, 1)
      << "the spent third is cut from the top";
  EXPECT_EQ(touch->active, 1);
  touch->countUse();
  touch->countUse();
  EXPECT_EQ(touch->active, 0);
  EXPECT_TRUE(touch->isSpent());
  EXPECT_FLOAT_EQ(touch->looks().getRed(), 1.0f);
}

TEST_F(ShopTest, ShopTipEndingAfterTheShopClosedGivesEveryoneTheFocusBack) {
  // The shop's screen, whose clock never ends a day under the tip.
  load("map1");
  CMapEntity_Game *tip = add("TIPSHOP", 0, 425);
  level->getEC()->focus(tip, nullptr);
  run(3000 + 29500 + 200);
  EXPECT_EQ(player->getShopHint(), 1);
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (!e->getKill()) {
      EXPECT_TRUE(e->getFocus()) << e->name;
    }
}

} // namespace
