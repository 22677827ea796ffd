#include <gtest/gtest.h>

#include <string>

#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "media/CGlobals.h"
#include "menus/CIngameMenuController.h"
#include "menus/CMapButtonController.h"
#include "menus/CMapEntity_MenuButton.h"
#include "menus/CMapEntity_MenuQuestionWindow.h"
#include "progress/HudDay.h"
#include "world/CMapEntity_Fader.h"
#include "world/kinds/CMapEntity_MapkaLogo.h"

// The in-game menu on the hud_demo day: how it opens, holds the input and the pause, and lets go.
namespace {

class IngameMenuTest : public ::testing::Test, public HudDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpDay(true));
    KInput::resetHeldState();
    loadDay();
    // The day's notebook holds the input until it is clicked away.
    play(10);
    KEvent ev = event(K_EVENT_MOUSEDOWN, 1);
    level->handleMessages(&ev);
    play(2);
  }
  void TearDown() override {
    KInput::resetHeldState();
    player = engineObj.getPlayer();
    tearDownDay();
  }

  void play(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      step();
      level->renderInfo();
    }
  }
  void key(uint32_t type, uint32_t code) {
    KEvent ev = event(type, 0);
    ev.ptkKey = code;
    level->handleMessages(&ev);
  }
  void escape() { key(K_EVENT_KEYDOWN_FIRST, K_VK_ESCAPE); }
  // Moves the pointer onto the entity, lets the collisions see it, and presses the left button.
  void clickOn(CMapEntity *e) {
    pointAt(e);
    KEvent ev = event(K_EVENT_MOUSEDOWN, 1, (int)e->getX() + 6, (int)e->getY() + 6);
    level->handleMessages(&ev);
  }
  void pointAt(CMapEntity *e) {
    KInput::notePointer((int)e->getX() + 6, (int)e->getY() + 6);
    play(2);
  }

  CMapEntity_Game *live(unsigned int id) {
    CMapEntity_Game *e = level->getEC()->getEntityByID(id);
    return e && !e->getKill() ? e : nullptr;
  }
  CMapEntity *statusButton() { return first("STATUSBAR")->getContainedEntity(310); }
  CMapEntity *button(CMapEntity *panel, const std::string &name) {
    for (CMapEntity *e : panel->carrying().getContainedList())
      if (e != panel && e->name == name) return e;
    return nullptr;
  }
  bool paused() const { return CGlobals::instance()->paused; }
};

TEST_F(IngameMenuTest, EscapeOpensAndClosesTheMenuWhileOnlyTheMenuTheKeysAndTheBarButtonHaveTheInput) {
  ASSERT_EQ(first("HELPWINDOW"), nullptr);
  ASSERT_FALSE(paused());
  key(K_EVENT_KEYUP, K_VK_ESCAPE);
  key(K_EVENT_KEYDOWN_FIRST, K_VK_RETURN);
  play();
  EXPECT_EQ(live(263), nullptr) << "only a press of Space or Escape opens it";

  escape();
  CMapEntity_Game *menu = live(263);
  ASSERT_NE(menu, nullptr);
  EXPECT_FLOAT_EQ(menu->getX(), 260);
  EXPECT_FLOAT_EQ(menu->getY(), 100);
  EXPECT_TRUE(paused());
  EXPECT_TRUE(first("KEYSINGAME")->getFocus());
  EXPECT_TRUE(statusButton()->getFocus());
  EXPECT_FALSE(first("STATUSBAR")->getFocus());
  EXPECT_FALSE(first("HODINY")->getFocus());

  // The panel: dark screen, the "menu" plaque above, five buttons with MAIN MENU fourth from top.
  auto *plaque = dynamic_cast<CMapEntity_MapkaLogo *>(menu->getContainedEntity(356));
  ASSERT_NE(plaque, nullptr);
  EXPECT_EQ(plaque->caption, "menu");
  EXPECT_FLOAT_EQ(plaque->getY(), 100 - 46);
  ASSERT_NE(menu->getContainedEntity(1101), nullptr);
  auto *mainMenu = dynamic_cast<CMapEntity_MenuButton *>(button(menu, "MENUBUTTONNEWGAME"));
  ASSERT_NE(mainMenu, nullptr);
  EXPECT_EQ(mainMenu->label, "MAIN MENU");
  EXPECT_FLOAT_EQ(mainMenu->getY(), 100 + 189);

  const unsigned int clockBefore = CFakeTime::instance()->ms;
  const float dayBefore = level->getTimeLeftPercent();
  play(15);
  EXPECT_EQ(CFakeTime::instance()->ms, clockBefore) << "the game clock stands";
  EXPECT_EQ(level->getTimeLeftPercent(), dayBefore);
  EXPECT_FLOAT_EQ(menu->looks().getAlpha(), 1.0f) << "the menu fades in although the day is paused";

  // Space closes it at once, everything has its input back, and it opens again.
  key(K_EVENT_KEYDOWN_FIRST, K_VK_SPACE);
  EXPECT_TRUE(menu->getKill());
  EXPECT_FALSE(paused());
  EXPECT_TRUE(first("HODINY")->getFocus());
  play();
  EXPECT_NE(CFakeTime::instance()->ms, clockBefore);
  escape();
  EXPECT_NE(live(263), nullptr);
  EXPECT_TRUE(paused());
}

TEST_F(IngameMenuTest, TheBarButtonTogglesWithAFadeAndClosesTheOptionsPanelToo) {
  clickOn(statusButton());
  CMapEntity_Game *menu = live(263);
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(paused());
  play(15);
  ASSERT_FLOAT_EQ(menu->looks().getAlpha(), 1.0f);

  // Options: the panels swap, the day stays paused.
  clickOn(button(menu, "MENUBUTTONOPTIONSINGAME"));
  play();
  CMapEntity_Game *options = live(265);
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(live(263), nullptr);
  EXPECT_TRUE(paused());
  EXPECT_FLOAT_EQ(button(options, "MENUCHECKBOXFULLSCREEN")->getY(), 100 + 114);

  // The bar button fades the options panel out and the day runs on.
  clickOn(statusButton());
  EXPECT_EQ(options->closing, 1);
  EXPECT_FALSE(paused());
  play(30);
  EXPECT_EQ(level->getEC()->getEntityByID(265), nullptr);
  EXPECT_TRUE(first("HODINY")->getFocus());
}

TEST_F(IngameMenuTest, ThePauseEndsWithTheMenuHoweverItGoes) {
  escape();
  ASSERT_TRUE(paused());
  live(263)->setKill(true);
  play();
  EXPECT_FALSE(paused()) << "a menu gone any other way takes its pause with it";

  // A menu replaced by its options panel keeps the pause; the options gone, it ends.
  escape();
  play(15);
  clickOn(button(live(263), "MENUBUTTONOPTIONSINGAME"));
  play();
  ASSERT_NE(live(265), nullptr);
  EXPECT_TRUE(paused());
  live(265)->setKill(true);
  play();
  EXPECT_FALSE(paused());
  EXPECT_FALSE(CIngameMenuController::holdsPause());
}

TEST_F(IngameMenuTest, NoOnTheRestartQuestionGivesTheInputBackToTheMenuNotTheWard) {
  escape();
  play(15);
  CMapEntity_Game *menu = live(263);
  clickOn(button(menu, "MENUBUTTONRESTART"));
  play();
  auto *question = dynamic_cast<CMapEntity_MenuQuestionWindow *>(live(398));
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->getText(), "Restart this day? Your progress| will be lost!");
  EXPECT_FALSE(menu->getFocus());
  clickOn(button(question, "MENUBUTTONQNO"));
  play(10);
  EXPECT_EQ(live(398), nullptr);
  EXPECT_TRUE(menu->getFocus());
  EXPECT_TRUE(first("KEYSINGAME")->getFocus());
  EXPECT_TRUE(statusButton()->getFocus());
  EXPECT_FALSE(first("HODINY")->getFocus());
  EXPECT_TRUE(paused());
  // So the keys close the menu again.
  escape();
  EXPECT_TRUE(menu->getKill());
  EXPECT_FALSE(paused());
  play();
  escape();
  play(15);
  menu = live(263);
  ASSERT_NE(menu, nullptr);

  // Yes asks the engine for this very day again, saved as a replay.
  clickOn(button(menu, "MENUBUTTONRESTART"));
  play();
  clickOn(button(live(398), "MENUBUTTONQYES"));
  EXPECT_EQ(engineObj.progression().getRequestedLevel(), engineObj.getSoucasnyLevel());
  EXPECT_TRUE(level->getLevelOver());
  EXPECT_FALSE(paused());
}

TEST_F(IngameMenuTest, LosingTheWindowOpensTheMenuOnceWithoutASound) {
  CEngine::setWinFocus(false);
  play();
  ASSERT_NE(live(263), nullptr);
  EXPECT_TRUE(paused());
  EXPECT_TRUE(CEngine::getWinFocus());
  CEngine::setWinFocus(false);
  play();
  int menus = 0;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) menus += e->getEntityID() == 263 ? 1 : 0;
  EXPECT_EQ(menus, 1);
  CEngine::setWinFocus(true);
}

TEST_F(IngameMenuTest, TheMapButtonsFadeOnToTheNextDayOrSaveAndGoToTheTitleScreen) {
  CMapEntity_Game *play = CMapEntitiesFactory::instance()->cloneEntity("PLAYBUTTON");
  CMapEntity_Game *home = CMapEntitiesFactory::instance()->cloneEntity("MAINMENUBUTTON");
  CMapEntity_Game *shop = CMapEntitiesFactory::instance()->cloneEntity("UPGRADE");
  play->setXY(300, 200);
  home->setXY(500, 200);
  shop->setXY(100, 100);
  for (CMapEntity_Game *e : {play, home, shop}) level->getEC()->addEntity(e);
  this->play(2);
  EXPECT_STREQ(shop->looks().getSprite()->getAktivniFrameset()->getID(), "CLOSED") << "nothing is for sale yet";

  // A press with no perk on offer fades out over a second, then ends the map.
  player->setPerkBought(true);
  pointAt(play);
  KInput::noteButton(1, true);
  this->play();
  KInput::noteButton(1, false);
  auto *button = dynamic_cast<CPlayButtonController *>(play->getController());
  ASSERT_NE(button, nullptr);
  ASSERT_NE(button->getFader(), nullptr);
  CMapEntity_Fader *fader = button->getFader();
  EXPECT_TRUE(fader->getSmer());
  EXPECT_EQ(fader->getTimeLimit(), 1000u);
  this->play(20);
  EXPECT_FALSE(level->getLevelOver());
  this->play(60);
  EXPECT_TRUE(level->getLevelOver());
  EXPECT_FALSE(player->getPerkBought());

  // The main-menu button asks for level 0 with a fresh record. The old one is freed, and the new
  // one may take its memory: the money tells them apart.
  player->setMoney(321);
  clickOn(home);
  EXPECT_EQ(engineObj.progression().getSkipToLevel(), 0);
  EXPECT_EQ(engineObj.getPlayer()->getMoney(), CPlayer().getMoney());
  player = engineObj.getPlayer();
}

} // namespace
