#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "support/WorldTestSupport.h"
#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "support/GameWindowDay.h"
#include "game/CStartupTables.h"
#include "media/GameGlobals.h"
#include "engine/KFont.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "game/CStartupTables.h"
#include "media/CFontSeznam.h"
#include "media/GameGlobals.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"

// The generated showcase screen through the game's own loader, prototype and behaviour tables,
// fonts and sprites, in the real window: each effect is found on screen by drawing the frame
// with and without it.

namespace {

const int kW = 800, kH = 600;

using framediff::Area;
using framediff::changed;

class ShowcaseLevelGL : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    fonts->addFont("big", KMiscTools::makeFilePath("data\\gfx\\font1big.png"), bigFontTable);
    load("showcase");
  }

  void TearDown() override { tearDownWindowDay(); }

  static uint32_t at(const std::vector<unsigned char> &p, int x, int y) {
    size_t i = ((size_t)y * kW + x) * 4;
    return rgba(p[i], p[i + 1], p[i + 2]);
  }

  // Pixels of the area whose colour passes the test.
  template <class Test>
  static int count(const std::vector<unsigned char> &p, int x0, int y0, int x1, int y1, Test test) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) {
        size_t i = ((size_t)y * kW + x) * 4;
        if (test((int)p[i], (int)p[i + 1], (int)p[i + 2])) ++n;
      }
    return n;
  }

  static long brightness(const std::vector<unsigned char> &p, int x0, int y0, int x1, int y1) {
    long sum = 0;
    count(p, x0, y0, x1, y1, [&](int r, int g, int b) {
      sum += r + g + b;
      return false;
    });
    return sum;
  }

  CMapEntity_Game *one(const std::string &name) {
    std::vector<CMapEntity_Game *> all = named(name);
    EXPECT_EQ(all.size(), 1u) << name;
    return all.empty() ? nullptr : all[0];
  }

};

TEST_F(ShowcaseLevelGL, EveryEffectShowsWhereItWasPlaced) {
  EXPECT_EQ(level->getLevelName(), "Showcase");
  ASSERT_NE(level->getEC()->getEntityByID(73), nullptr) << "the loader adds the action queue";

  // What an entities file cannot say, written as the windows and creators of the game write it.
  // The message window's own text box aside, the two the entities file places.
  std::vector<CMapEntity_Game *> boxes = named("TEXTBOX");
  boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                             [](CMapEntity_Game *b) { return b->carrying().getParent() != nullptr; }),
              boxes.end());
  ASSERT_EQ(boxes.size(), 2u);
  std::sort(boxes.begin(), boxes.end(), [](CMapEntity_Game *a, CMapEntity_Game *b) { return a->getY() < b->getY(); });
  CMapEntity_TextBox *heading = dynamic_cast<CMapEntity_TextBox *>(boxes[0]);
  CMapEntity_TextBox *message = dynamic_cast<CMapEntity_TextBox *>(boxes[1]);
  ASSERT_TRUE(heading && message);
  heading->text = "Every effect at once";
  message->text = "A message window|in front of|the dark screen";
  CMapEntity_Game *panel = one("MENUMESSAGEWINDOW");
  ASSERT_NE(panel, nullptr);
  panel->addEntity(message, false, true);
  message->setXOffset(35, false);
  message->setYOffset(60, false);
  message->syncWithParentPosition();
  CMapEntity_BonusText *caption = dynamic_cast<CMapEntity_BonusText *>(one("BONUSTEXT"));
  ASSERT_NE(caption, nullptr);
  caption->text = "CASH +50";
  caption->textRed = 1.0f;
  caption->textGreen = 0.85f;
  caption->textBlue = 0.2f;
  CMapEntity_Game *stick = one("HULKA");
  CMapEntity_Game *cursor = one("KURZOR");
  ASSERT_TRUE(stick && cursor);

  // The first update binds the behaviours; then the pointer goes to the stick and clicks it.
  playFrame();
  pushMotion(305, 410);
  for (int i = 0; i < 5; ++i) playFrame();
  EXPECT_FLOAT_EQ(cursor->getX(), 305);
  EXPECT_FLOAT_EQ(cursor->getY(), 410);
  pushButton(1, true, 305, 410);
  pushButton(1, false, 305, 410);
  for (int i = 0; i < 6; ++i) playFrame();
  EXPECT_TRUE(stick->getAktivni()) << "the queued click reached the stick";
  CMapEntity_Game *ok = one("OK");
  ASSERT_NE(ok, nullptr) << "the click marker";
  EXPECT_FLOAT_EQ(ok->getX(), 314);
  EXPECT_FLOAT_EQ(ok->getY(), 434);

  std::vector<unsigned char> shot = grab();
  savePNG((std::string(TOB_BINARY_DIR) + "/showcase.png").c_str());

  // Top band (sizes, speeds and sway of sparks, stars and bubbles are drawn at random; the
  // areas allow for every draw): confetti over the wall, smoke, sparks and stars.
  CMapEntity_Game *confetti = one("VICTORYCONFETTI");
  ASSERT_NE(confetti, nullptr);
  EXPECT_FLOAT_EQ(confetti->getY(), -470 + 2 * 12) << "falls 2 pixels a frame";
  Area a = shownBy(confetti);
  EXPECT_GT(a.count, 100) << a;
  EXPECT_TRUE(a.inside(0, 0, 799, 600 - 470 + 2 * 12 - 1)) << a << " the sheet's lower edge";

  std::vector<CMapEntity_Game *> puffs = named("PRACH");
  ASSERT_EQ(puffs.size(), 1u) << "one chimney puff in 240 ms";
  EXPECT_FLOAT_EQ(puffs[0]->looks().getAlpha(), 0.3f);
  a = shownBy(puffs[0]);
  EXPECT_GT(a.count, 3) << a << " however small its random zoom";
  EXPECT_TRUE(a.inside(300, 18, 339, 57)) << a;

  CMapEntity_Game *plane = one("LETADLOKOUR");
  ASSERT_NE(plane, nullptr);
  EXPECT_NEAR(plane->looks().getAlpha(), 1.0f - 12 * 0.005f, 0.001f);
  a = shownBy(plane);
  EXPECT_GT(a.count, 300) << a;
  EXPECT_TRUE(a.inside(556, 48, 604, 96)) << a << " a puff grows about its middle";

  struct Spark {
    const char *name;
    int x0, y0, x1, y1;
    int least;
  } sparks[] = {{"WHITEPARTICLE", 80, 38, 128, 76, 15},
                {"REDSTARPARTICLE", 234, 40, 286, 82, 30},
                {"STARPARTICLE", 665, 20, 745, 80, 12}};
  for (const Spark &s : sparks) {
    CMapEntity_Game *e = one(s.name);
    ASSERT_NE(e, nullptr);
    a = shownBy(e);
    EXPECT_GT(a.count, s.least) << s.name << " " << a;
    EXPECT_TRUE(a.inside(s.x0, s.y0, s.x1, s.y1)) << s.name << " " << a;
  }
  CMapEntity_Game *gold = one("STARPARTICLE");
  EXPECT_LT(gold->getY(), 60.0f) << "a gold star bursts upwards first";

  // Texts: the heading in one line of dark teal, the caption risen in its own colour, the
  // message in three lines on its window.
  a = shownBy(heading);
  EXPECT_GT(a.count, 150) << a;
  EXPECT_TRUE(a.inside(30, 176, 300, 200)) << a;
  EXPECT_LT(caption->getY(), 200.0f);
  a = shownBy(caption);
  EXPECT_GT(a.count, 80) << a;
  EXPECT_TRUE(a.inside(330, (int)caption->getY(), 470, (int)caption->getY() + 24)) << a;
  EXPECT_GT(count(shot, 330, 170, 470, 205, [](int r, int g, int b) { return r > 140 && g > 110 && b < 60; }), 40)
      << "the caption's yellow, dimmed";

  a = shownBy(message);
  EXPECT_TRUE(a.inside(485, 390, 735, 458)) << a;
  std::vector<unsigned char> noMessage;
  message->looks().setVisible(false);
  draw();
  noMessage = grab();
  message->looks().setVisible(true);
  draw();
  for (int line = 0; line < 3; ++line) {
    Area l = changed(shot, noMessage, 485, 390 + 22 * line, 735, 390 + 22 * line + 17);
    EXPECT_GT(l.count, 80) << "line " << line << ": " << l;
  }
  // The teal tint takes all red out of the font's picture; behind the dark screen its green
  // stays under 55, as on the heading.
  auto tealText = [](int r, int g, int) { return r < 20 && g > 62; };
  EXPECT_GT(count(shot, 485, 390, 735, 458, tealText), 200) << "the window stands in front of the dark screen";
  EXPECT_EQ(count(shot, 40, 176, 290, 200, tealText), 0) << "the heading lies behind it";
  EXPECT_GT(count(shot, 40, 176, 290, 200, [](int r, int g, int) { return r < 20 && g > 35; }), 80);

  // The arrow over the prescription, which flashes as it appears.
  CMapEntity_Game *arrow = one("SIPKA");
  CMapEntity_Game *recept = one("RECEPT");
  ASSERT_TRUE(arrow && recept);
  EXPECT_GT(arrow->looks().getZoom(), 1.0f) << "the arrow pulses";
  a = shownBy(arrow);
  EXPECT_GT(a.count, 400) << a;
  EXPECT_TRUE(a.inside(126, 245, 178, 305)) << a;
  EXPECT_LT(a.y1, (int)recept->getY()) << "the arrow points at the prescription without covering it";
  a = shownBy(recept);
  EXPECT_GT(a.count, 300) << a;
  EXPECT_TRUE(a.inside(140, 306, 163, 333)) << a;
  EXPECT_GT(recept->looks().getFlash(), 0.5f) << "flashing";

  // Bubbles rise from where they were placed.
  std::vector<CMapEntity_Game *> bubbles = named("BUBLINA");
  ASSERT_EQ(bubbles.size(), 3u);
  for (CMapEntity_Game *b : bubbles) {
    a = shownBy(b);
    int x = (int)b->getX(), y = (int)b->getY();
    EXPECT_GT(a.count, 6) << a;
    EXPECT_TRUE(a.inside(x - 1, y - 1, x + 24, y + 24)) << a;
  }

  // The stick, its click marker and the cursor pointing at it.
  a = shownBy(stick);
  EXPECT_TRUE(a.inside(300, 400, 311, 439)) << a;
  a = shownBy(ok);
  EXPECT_GT(a.count, 100) << a;
  EXPECT_TRUE(a.inside(314, 434, 353, 465)) << a;
  EXPECT_GT(count(shot, 314, 434, 353, 465, [](int r, int g, int b) { return g > r + 50 && g > b + 30; }), 60)
      << "the green marker, in front of the dark screen";
  a = shownBy(cursor);
  EXPECT_GT(a.count, 60) << a;
  EXPECT_TRUE(a.inside(305, 410, 344, 449)) << a;

  // The dark screen dims everything behind it by 35 % and leaves the window bright.
  CMapEntity_Game *dark = one("DARKSCREEN");
  ASSERT_NE(dark, nullptr);
  dark->looks().setVisible(false);
  draw();
  std::vector<unsigned char> bright = grab();
  dark->looks().setVisible(true);
  draw();
  for (int y : {250, 560})
    for (int x : {400, 20}) {
      uint32_t dim = at(shot, x, y), full = at(bright, x, y);
      for (int s = 8; s < 32; s += 8)
        EXPECT_NEAR((double)((dim >> s) & 0xFF), ((full >> s) & 0xFF) * 0.65, 3.0) << x << "," << y;
    }
  EXPECT_EQ(at(shot, 600, 500), at(bright, 600, 500)) << "the window's face";
  a = shownBy(panel);
  EXPECT_TRUE(a.inside(450, 330, 769, 559)) << a;
  EXPECT_GT(a.count, 320 * 230 / 2) << a;

  // Past the flash the prescription draws as before it: darker than at the flash.
  long lit = brightness(shot, 140, 306, 163, 333);
  for (int i = 0; i < 12; ++i) playFrame();
  EXPECT_TRUE(recept->looks().getFlashDone());
  long after = brightness(grab(), 140, 306, 163, 333);
  EXPECT_GT(lit, after + after / 20) << "at the flash " << lit << ", after " << after;
}

} // namespace
