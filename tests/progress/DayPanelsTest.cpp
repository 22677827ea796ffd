#include <gtest/gtest.h>

#include <string>

#include "HudDay.h"
#include "core/CPlayer.h"
#include "media/CGlobals.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "progress/CHelpWindowController.h"
#include "progress/CHodinyRucickaController.h"
#include "progress/CMapEntity_Notes.h"
#include "progress/CMapEntity_Sesit.h"
#include "progress/CMapEntity_StatusBar.h"
#include "progress/CMapEntity_SummarySesit.h"
#include "progress/CMapEntity_WindowClass.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/Links.h"

namespace {

class DayPanelsTest : public ::testing::Test, public HudDay {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpDay(true)); }
  void TearDown() override { tearDownDay(); }

  // A frame of play: the update, then the overlay that opens and rates.
  void play(int frames = 1) {
    for (int i = 0; i < frames; ++i) {
      step();
      level->renderInfo();
    }
  }

  void send(uint32_t type, uint32_t button) {
    KEvent ev = event(type, button);
    level->handleMessages(&ev);
  }

  static float angleOf(CMapEntity *e) { return e->looks().getSprite()->getAktivniFrameset()->getAngle(); }

  static CMapEntity *carriedAt(CMapEntity *bar, const char *name) {
    for (CMapEntity *c : bar->carrying().getContainedList())
      if (c != bar && c->name == name) return c;
    return nullptr;
  }
};

TEST_F(DayPanelsTest, IntroPausesAtFullSizeUntilALeftClickAndTheSummaryEndsTheDay) {
  loadDay();
  play();
  CMapEntity_HelpWindow *help = dynamic_cast<CMapEntity_HelpWindow *>(first("HELPWINDOW"));
  ASSERT_NE(help, nullptr);
  // Dark screen, notebook, text box, in that order, then the day's name the overlay adds.
  const std::vector<CMapEntity *> &parts = help->carrying().getContainedList();
  ASSERT_GE(parts.size(), 4u);
  EXPECT_EQ(parts[1]->name, "DARKSCREEN");
  EXPECT_EQ(parts[2]->name, "SESIT");
  EXPECT_EQ(parts[2]->getEntityClassID(), 33u);
  EXPECT_FLOAT_EQ(parts[2]->getX(), 260);
  CMapEntity_TextBox *box = dynamic_cast<CMapEntity_TextBox *>(parts[3]);
  ASSERT_NE(box, nullptr);
  EXPECT_FLOAT_EQ(box->getX(), 260 + 73);
  EXPECT_FLOAT_EQ(box->getY(), 50 + 90);
  EXPECT_EQ(box->boxWidth, 150);
  EXPECT_EQ(box->fontName, "gamefont");
  EXPECT_EQ(box->text, level->getIntroText());
  EXPECT_EQ(help->looks().getSortZ(), 7);
  EXPECT_FALSE(help->getEndLevel());

  // The notebook zooms in over 8 frames; the game pauses once it stands at full size.
  play();
  EXPECT_GT(parts[2]->looks().getZoom(), 1.0f);
  EXPECT_FALSE(CGlobals::instance()->paused);
  play(8);
  EXPECT_FLOAT_EQ(parts[2]->looks().getZoom(), 1.0f);
  EXPECT_TRUE(CGlobals::instance()->paused);
  const float clockPart = level->getTimeLeftPercent();

  // Neither a right click, a mouse move, nor a key closes it.
  send(K_EVENT_MOUSEDOWN, 2);
  send(K_EVENT_MOUSEMOVE, 0);
  send(K_EVENT_KEYDOWN_FIRST, 0);
  play(5);
  EXPECT_FALSE(help->getKill());
  EXPECT_TRUE(CGlobals::instance()->paused);
  EXPECT_EQ(level->getTimeLeftPercent(), clockPart) << "the day's clock stands still";

  send(K_EVENT_MOUSEDOWN, 1);
  play();
  EXPECT_EQ(first("HELPWINDOW"), nullptr);
  EXPECT_EQ(first("SESIT"), nullptr) << "the parts go with the window";
  EXPECT_FALSE(CGlobals::instance()->paused);
  EXPECT_FALSE(level->getLevelOver());

  // Past the expert goal the scores mark reads "EXPERT".
  CMapEntity_StatusBar *bar = dynamic_cast<CMapEntity_StatusBar *>(first("STATUSBAR"));
  ASSERT_NE(bar, nullptr);
  EXPECT_STREQ(bar->getScoresMark()->getAktivniFrameset()->getID(), "GOAL");
  level->changeMoney(350);
  play();
  EXPECT_STREQ(bar->getScoresMark()->getAktivniFrameset()->getID(), "EXPERT");

  // The day ends; 3 s of game time later the summary rates it and pays the bank.
  player->setMoney(1000);
  level->addFamousExtra(800, "B-Hives");
  level->addFamousExtra(87, "B-Hives");
  level->finishClock();
  play(5);
  ASSERT_TRUE(level->getDayOver());
  play(145);
  EXPECT_EQ(first("SUMMARYWINDOW"), nullptr);
  play(10);
  CMapEntity_SummaryWindow *summary = dynamic_cast<CMapEntity_SummaryWindow *>(first("SUMMARYWINDOW"));
  ASSERT_NE(summary, nullptr);
  EXPECT_TRUE(summary->getEndLevel());
  CMapEntity_SummarySesit *page = dynamic_cast<CMapEntity_SummarySesit *>(summary->getContainedEntity(184));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->title, "EXCELLENT WORK, DOCTOR!");
  EXPECT_EQ(page->scoreToday, 350);
  EXPECT_EQ(page->moneySaved, 250 + 887) << "a first expert finish pays the expert bonus and the famous extra";
  EXPECT_EQ(page->goal, level->getMoneyLimit()) << "the goal stands over the score";
  EXPECT_EQ(page->bankNote, "Added to your bank.");
  EXPECT_EQ(page->famousNote, "Includes $887 extra for your first B-Hives cure.");
  EXPECT_EQ(page->expert, 1);
  EXPECT_EQ(player->getMoney(), 1000 + 250 + 887);
  CMapEntity_TextBox *outro = dynamic_cast<CMapEntity_TextBox *>(summary->getContainedEntity(1001));
  ASSERT_NE(outro, nullptr);
  EXPECT_EQ(outro->text, level->getOutroText());
  EXPECT_FLOAT_EQ(outro->getX(), 260 + 40);
  EXPECT_EQ(outro->boxWidth, 210);

  play(10);
  EXPECT_TRUE(CGlobals::instance()->paused);
  send(K_EVENT_MOUSEDOWN, 1);
  play();
  EXPECT_TRUE(level->getLevelOver()) << "closing the summary ends the day";
  EXPECT_FALSE(CGlobals::instance()->paused);
}

TEST_F(DayPanelsTest, AClickDuringTheZoomClosesTheWindowWithoutEverPausing) {
  loadDay();
  // The window opens in the first frame and its behaviour binds in the next.
  play(2);
  ASSERT_NE(first("HELPWINDOW"), nullptr);
  send(K_EVENT_MOUSEDOWN, 1);
  play();
  EXPECT_EQ(first("HELPWINDOW"), nullptr);
  play(20);
  EXPECT_FALSE(CGlobals::instance()->paused);
  EXPECT_FALSE(level->getLevelOver());
  EXPECT_GT(level->getTimeLeftPercent(), 0.0f) << "the day runs";
}

TEST_F(DayPanelsTest, StatusBarsCarryTheHandTheMenuButtonAndAnIconPerPerkHeld) {
  CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
  CMapEntity_Game *bare = f->cloneEntity("STATUSBAR");
  EXPECT_EQ(bare->carrying().getContainedSize(), 3u) << "the hand and the menu button only";
  ASSERT_NE(carriedAt(bare, "BARRUCICKA"), nullptr);
  EXPECT_FLOAT_EQ(carriedAt(bare, "BARRUCICKA")->getXOffset(), 408);
  EXPECT_FLOAT_EQ(carriedAt(bare, "STATUSMENU")->getXOffset(), 703);
  delete bare;

  for (uint32_t perk : {308u, 270u, 296u, 274u, 902u}) player->getBasket().push_back({perk, 0});
  CMapEntity_Game *full = f->cloneEntity("STATUSBAR");
  full->setXY(100, 540);
  struct {
    const char *icon;
    float x, y;
  } icons[] = {{"PERKBURSTICON", 523, 24}, {"PERKCURETOUCHICON", 554, 25}, {"PERKLUCKICON", 587, 24},
               {"PERKVIRUSICON", 620, 24}};
  for (auto &i : icons) {
    CMapEntity *icon = carriedAt(full, i.icon);
    ASSERT_NE(icon, nullptr) << i.icon;
    EXPECT_FLOAT_EQ(icon->getX(), 100 + i.x) << i.icon;
    EXPECT_FLOAT_EQ(icon->getY(), 540 + i.y) << i.icon;
  }
  EXPECT_EQ(full->carrying().getContainedSize(), 7u);
  delete full;

  CMapEntity_Game *small = f->cloneEntity("STATUSBAR2");
  EXPECT_FLOAT_EQ(carriedAt(small, "PERKCURETOUCHICON")->getXOffset(), 528);
  EXPECT_FLOAT_EQ(carriedAt(small, "PERKBURSTICON")->getXOffset(), 558);
  EXPECT_EQ(carriedAt(small, "PERKLUCKICON"), nullptr);
  delete small;

  EXPECT_EQ(CMapEntity_Notes::shortName("Day 1"), "1");
  EXPECT_EQ(CMapEntity_Notes::shortName("Day 12"), "12");
  EXPECT_EQ(CMapEntity_Notes::shortName("Tutorial"), "rial");
  EXPECT_EQ(CMapEntity_Notes::shortName("Day "), "");
  EXPECT_EQ(CMapEntity_Notes::shortName(""), "");
}

TEST_F(DayPanelsTest, GaugeFollowsTheDayAndTheClockStepsOnGameTime) {
  loadDay();
  play(2);
  send(K_EVENT_MOUSEDOWN, 1);
  play();
  CMapEntity_Game *bar = first("STATUSBAR");
  ASSERT_NE(bar, nullptr);
  CMapEntity *gauge = carriedAt(bar, "BARRUCICKA");
  CMapEntity_Game *clock = first("HODINY");
  ASSERT_TRUE(gauge && clock);
  CMapEntity *hand = carriedAt(clock, "HODINYRUCICKA");
  ASSERT_NE(hand, nullptr);
  EXPECT_FLOAT_EQ(hand->getX(), clock->getX() + 12);
  EXPECT_FLOAT_EQ(hand->getY(), clock->getY() + 14);

  play(40);
  const float part = level->getTimeLeftPercent();
  ASSERT_GT(part, 0.1f);
  EXPECT_NEAR(angleOf(gauge), 90.0f - 180.0f * part, 0.01f);
  CHodinyRucickaController *turner = dynamic_cast<CHodinyRucickaController *>(hand->getController());
  ASSERT_NE(turner, nullptr);
  // One step a frame, the drawn angle one step behind.
  const float before = turner->getAngle();
  play();
  EXPECT_FLOAT_EQ(turner->getAngle(), before + 3.0f);
  EXPECT_FLOAT_EQ(angleOf(hand), before);

  // Paused, neither hand moves.
  CGlobals::instance()->paused = true;
  const float still = turner->getAngle();
  for (int i = 0; i < 5; ++i) {
    frame(20);
    level->update(0, true);
  }
  EXPECT_FLOAT_EQ(turner->getAngle(), still);
  CGlobals::instance()->paused = false;

  // Whole turns come back to 0; past the day's end the gauge rests at -90.
  while (turner->getAngle() != 0.0f) play();
  level->finishClock();
  play(3);
  EXPECT_FLOAT_EQ(angleOf(gauge), -90.0f);
  play(20);
  EXPECT_FLOAT_EQ(angleOf(gauge), -90.0f);
}

TEST_F(DayPanelsTest, EveryNotebookCopyHasItsOwnSideBarShownOnlyForANewPatient) {
  CMapEntity_Sesit *a = dynamic_cast<CMapEntity_Sesit *>(CMapEntitiesFactory::instance()->cloneEntity("SESIT"));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(CMapEntitiesFactory::instance()->returnEntityByName("SESIT")->looks().getSprite() != nullptr, true);
  EXPECT_FALSE(a->getShown());
  TLink<CDayPanelsLink>::get()->showSecondPage(a);
  EXPECT_TRUE(a->getShown());
  CMapEntity_Sesit *b = dynamic_cast<CMapEntity_Sesit *>(a->clone());
  ASSERT_NE(b, nullptr);
  ASSERT_NE(b->getSidebar(), nullptr);
  EXPECT_NE(b->getSidebar(), a->getSidebar());
  EXPECT_TRUE(b->getShown());
  delete a;
  EXPECT_STREQ(b->getSidebar()->getID(), "SIDEBAR");
  delete b;
}

} // namespace
