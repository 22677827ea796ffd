#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "progress/CMapEntity_StatusBar.h"
#include "support/FrameDiff.h"
#include "support/GameWindowDay.h"
#include "media/CGlobals.h"

// The hud_demo day in the real window: what the notebook, the gauge and the summary put on
// screen, found by drawing the frame with and without them.

namespace {

const int kW = 800, kH = 600;
using framediff::Area;
using framediff::changed;

class HudDayGL : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    load("hud_demo");
  }

  void TearDown() override { tearDownWindowDay(); }

  void click(int x, int y) {
    pushButton(1, true, x, y);
    pushButton(1, false, x, y);
  }

  CMapEntity *gaugeHand() {
    CMapEntity_Game *bar = first("STATUSBAR");
    if (!bar) return nullptr;
    for (CMapEntity *c : bar->carrying().getContainedList())
      if (c->name == "BARRUCICKA") return c;
    return nullptr;
  }

  // The pixels a picture of the sprite collection changes when put over the frame at (x, y).
  Area pictureAt(const char *sprite, const char *frameset, int x, int y) {
    ZSprite *s = spriteFactory->cloneSprite(sprite);
    if (!s) return Area();
    s->nastavFrameset(frameset);
    draw();
    std::vector<unsigned char> without = grab();
    s->x = (uint32_t)x;
    s->y = (uint32_t)y;
    s->put(screen, 1.0f, -1, -1, -1, -1);
    Area a = changed(grab(), without);
    delete s;
    return a;
  }

  // Where a figure of the "bed" font lands when drawn from the right, ending at x, from y.
  Area figureFromRight(const char *text, int x, int y) {
    fonts->setAktivniFont("bed");
    Area a;
    a.count = 1;
    a.x0 = x - (int)fonts->getAktivniFont()->getStringWidth(text, 0.0f);
    a.x1 = x - 1;
    a.y0 = y;
    a.y1 = y + bedFontTable[0].height - 1;
    return a;
  }

  // True when the ring two pixels around the figure is all of one colour, the fill of a box:
  // nothing else is drawn there and no border or line cuts through.
  static bool inABox(const std::vector<unsigned char> &shot, const Area &f) {
    const unsigned char *fill = &shot[((size_t)(f.y0 - 2) * kW + f.x0 - 2) * 4];
    for (int y = f.y0 - 2; y <= f.y1 + 2; ++y)
      for (int x = f.x0 - 2; x <= f.x1 + 2; ++x) {
        if (x > f.x0 - 2 && x < f.x1 + 2 && y > f.y0 - 2 && y < f.y1 + 2) continue;
        const unsigned char *p = &shot[((size_t)y * kW + x) * 4];
        for (int c = 0; c < 3; ++c)
          if (std::abs((int)p[c] - (int)fill[c]) > 12) return false;
      }
    return true;
  }

};

TEST_F(HudDayGL, NotebookFreezesTheDayGaugeSweepsAndTheSummaryLeadsOn) {
  for (int i = 0; i < 12; ++i) playFrame();
  CMapEntity_Game *help = first("HELPWINDOW");
  ASSERT_NE(help, nullptr);
  CMapEntity *sesit = help->getContainedEntity(53);
  ASSERT_NE(sesit, nullptr);
  EXPECT_TRUE(CGlobals::instance()->paused);
  Area a = shownBy(sesit);
  EXPECT_GT(a.count, 300 * 420 / 2) << a;
  EXPECT_TRUE(a.inside(255, 45, 565, 475)) << a << " the notebook at (260, 50)";
  savePNG((std::string(TOB_BINARY_DIR) + "/hud_intro.png").c_str());

  // While it is open the day's clock stands, and so does the gauge on screen.
  CMapEntity *gauge = gaugeHand();
  ASSERT_NE(gauge, nullptr);
  std::vector<unsigned char> before = grab();
  const float part = level->getTimeLeftPercent();
  for (int i = 0; i < 20; ++i) playFrame();
  EXPECT_EQ(level->getTimeLeftPercent(), part);
  draw();
  EXPECT_EQ(changed(before, grab()).count, 0) << "nothing moves while the game is paused";

  click(400, 300);
  playFrame();
  playFrame();
  EXPECT_EQ(first("HELPWINDOW"), nullptr);
  EXPECT_FALSE(CGlobals::instance()->paused);

  // The hand lies flat at the start of the day, stands upright at its middle and lies flat
  // again at its end, always about its place on the bar (408, 552).
  Area start = shownBy(gauge);
  EXPECT_GT(start.w(), start.h()) << start;
  while (level->getTimeLeftPercent() < 0.5f) playFrame();
  Area middle = shownBy(gauge);
  EXPECT_GT(middle.h(), middle.w()) << middle;
  EXPECT_TRUE(middle.inside(380, 530, 440, 600)) << middle;
  level->changeMoney(350);
  while (level->getTimeLeftPercent() < 1.0f) playFrame();
  Area end = shownBy(gauge);
  EXPECT_GT(end.w(), end.h()) << end;
  EXPECT_TRUE(end.inside(380, 530, 440, 600)) << end;

  // 3 s of game time after the day's end the summary opens, and the bank is paid.
  player->setMoney(100);
  playFrame();
  ASSERT_TRUE(level->getDayOver());
  for (int i = 0; i < 140; ++i) playFrame();
  EXPECT_EQ(first("SUMMARYWINDOW"), nullptr) << "not before 3 s";
  for (int i = 0; i < 15; ++i) playFrame();
  CMapEntity_Game *summary = first("SUMMARYWINDOW");
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(player->getMoney(), 350);
  for (int i = 0; i < 12; ++i) playFrame();
  EXPECT_TRUE(CGlobals::instance()->paused);
  CMapEntity *page = summary->getContainedEntity(184);
  ASSERT_NE(page, nullptr);
  a = shownBy(page);
  EXPECT_TRUE(a.inside(255, 45, 565, 475)) << a;
  std::vector<unsigned char> shot = grab();
  savePNG((std::string(TOB_BINARY_DIR) + "/hud_summary.png").c_str());
  // The page's dark red title and figures stand on the notebook.
  int red = 0;
  for (int y = 130; y < 340; ++y)
    for (int x = 270; x < 550; ++x) {
      const unsigned char *p = &shot[((size_t)y * kW + x) * 4];
      if (p[0] > 90 && p[1] < 40 && p[2] < 40) ++red;
    }
  EXPECT_GT(red, 150) << "the rating, the figures and the expert line";

  click(400, 300);
  playFrame();
  EXPECT_TRUE(level->getLevelOver()) << "the click leads on";
}

TEST_F(HudDayGL, EveryFigureAndPictureOnTheStatusBarHasAPlaceOfItsOwn) {
  for (unsigned short id : {270, 274, 296, 308}) player->getBasket().push_back({id, 0});
  load("hud_demo");
  for (int i = 0; i < 12; ++i) playFrame();
  click(400, 300);
  playFrame();
  playFrame();
  ASSERT_EQ(first("HELPWINDOW"), nullptr);
  auto *bar = dynamic_cast<CMapEntity_StatusBar *>(first("STATUSBAR"));
  ASSERT_NE(bar, nullptr);
  const Area barArea{0, 540, kW - 1, kH - 1, 1};

  // The figures land where the overlay puts them: the money ends at x 125, the goal at 273.
  Area money = figureFromRight("88888", 125, 580), goal = figureFromRight("88888", 273, 580);
  draw();
  std::vector<unsigned char> none = grab();
  level->changeMoney(99);
  draw();
  Area drawn = changed(grab(), none);
  level->changeMoney(-99);
  EXPECT_TRUE(money.holds(drawn)) << drawn;

  // Each figure stands in a box of its own, the goal on the GOAL and on the EXPERT badge.
  draw();
  EXPECT_TRUE(inABox(grab(), money)) << "money " << money;
  EXPECT_TRUE(inABox(grab(), goal)) << "goal " << goal;
  bar->showExpertMark();
  draw();
  EXPECT_TRUE(inABox(grab(), goal)) << "goal on the expert badge " << goal;
  Area expertBadge = pictureAt("STATUSSCORES", "EXPERT", 157, 571);
  CMapEntity_Game *notes = first("NOTES");
  ASSERT_NE(notes, nullptr);
  fonts->setAktivniFont("bed");
  const int dayWidth = (int)fonts->getAktivniFont()->getStringWidth("88", 0.0f);
  const int notesX = (int)notes->getX() + 30 + (30 - dayWidth) / 2, notesY = (int)notes->getY() + 60;
  EXPECT_TRUE(inABox(grab(), Area{notesX, notesY, notesX + dayWidth - 1, notesY + bedFontTable[0].height - 1, 1}))
      << "the day's number on the notes panel";

  // The gauge hand sweeps its half circle, the icons sit in their bay, and no two parts of the
  // bar cover one another.
  CMapEntity *hand = gaugeHand();
  ASSERT_NE(hand, nullptr);
  Area sweep;
  for (float angle : {90.0f, 45.0f, 0.0f, -45.0f, -90.0f}) {
    hand->looks().getSprite()->setAngle(angle);
    Area a = shownBy(hand);
    sweep = Area{std::min(sweep.x0, a.x0), std::min(sweep.y0, a.y0), std::max(sweep.x1, a.x1), std::max(sweep.y1, a.y1),
                 sweep.count + a.count};
  }
  Area bay = pictureAt("IKONKYPOZADI", "FRAMESET1", 519, 565);
  for (const char *name : {"PERKBURSTICON", "PERKCURETOUCHICON", "PERKLUCKICON", "PERKVIRUSICON"}) {
    CMapEntity *icon = nullptr;
    for (CMapEntity *c : bar->carrying().getContainedList())
      if (c->name == name) icon = c;
    ASSERT_NE(icon, nullptr) << name;
    Area a = shownBy(icon);
    EXPECT_TRUE(bay.holds(a)) << name << " " << a << " bay " << bay;
  }
  CMapEntity *menu = nullptr;
  for (CMapEntity *c : bar->carrying().getContainedList())
    if (c->name == "STATUSMENU") menu = c;
  ASSERT_NE(menu, nullptr);
  Area badge = pictureAt("STATUSSCORES", "GOAL", 157, 571);
  EXPECT_TRUE(badge.holds(goal) && expertBadge.holds(goal)) << badge << " " << expertBadge;
  struct Part {
    const char *name;
    Area area;
  } parts[] = {{"money", money},
               {"badge", badge},
               {"expert badge", expertBadge},
               {"gauge hand", sweep},
               {"icon bay", bay},
               {"menu button", shownBy(menu)},
               {"second background", pictureAt("PODKLAD1B", "FRAMESET1", 400, 540)}};
  for (const Part &p : parts) {
    if (p.area.count) {
      EXPECT_TRUE(barArea.holds(p.area)) << p.name << " " << p.area;
    }
    for (const Part &q : parts) {
      if (&q <= &p || std::string(q.name) == "expert badge") continue;
      EXPECT_FALSE(p.area.meets(q.area)) << p.name << " " << p.area << " and " << q.name << " " << q.area;
    }
  }
  hand->looks().getSprite()->setAngle(30.0f);
  level->changeMoney(60);
  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/hud_bar.png").c_str());
}

} // namespace
