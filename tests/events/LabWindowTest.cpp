#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LabTestSupport.h"
#include "support/GameWindowDay.h"
#include "engine/KFont.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "media/CFontSeznam.h"

// A laboratory day in the real window: drags made of window events, the clock on screen and its
// pause, the fade of a completed set and the summary's pay-out and score log.

namespace {

class LabWindowGL : public WindowDay<LabScratch> {
protected:
  void SetUp() override {
    openWindow();
    ASSERT_NO_FATAL_FAILURE(setUpLab(false));
    load("LAB 1");
  }

  void TearDown() override {
    tearDownLab();
    closeWindow();
  }

  void frames(int n) {
    for (int i = 0; i < n; ++i) playFrame();
  }

  void dragOnto(CMapEntity_DNA *piece, CMapEntity_Miska *dish) {
    const int px = (int)piece->getX() + 24, py = (int)piece->getY() + 24;
    const int dx = (int)dish->getX() + 44, dy = (int)dish->getY() + 26;
    pushMotion(px, py);
    frames(2);
    pushButton(1, true, px, py);
    frames(2);
    pushMotion(dx, dy);
    frames(3);
    pushButton(1, false, dx, dy);
    frames(2);
  }

  void fillSet() {
    for (CMapEntity_Miska *dish : dishes()) {
      CMapEntity_DNA *piece = pieceFor(dish);
      ASSERT_NE(piece, nullptr);
      dragOnto(piece, dish);
      ASSERT_EQ(dish->filled, 1) << "the dragged piece fills its dish";
    }
  }

  // Green pixels of the clock in the top-right corner.
  static int clockPixels() {
    std::vector<unsigned char> p(800 * 600 * 4);
    EXPECT_TRUE(window()->readPixels(0, 0, 800, 600, p.data()));
    int n = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 680; x < 800; ++x) {
        const unsigned char *c = &p[((size_t)y * 800 + x) * 4];
        if (c[1] > 180 && c[0] < 90 && c[2] < 90) ++n;
      }
    return n;
  }

};

TEST_F(LabWindowGL, EscapePausesDragsFillTheDishesAndTheSummaryPaysAndLogsOnce) {
  playFrame();
  ASSERT_NE(countdown(), nullptr);
  EXPECT_EQ(CMapEntity_MiniGameOver::clockText(countdown()->timeLeft), "00:40");
  // The day opens with its notebook, which holds the clock until it is clicked away.
  frames(100);
  EXPECT_NE(first("HELPWINDOW"), nullptr);
  EXPECT_EQ(CMapEntity_MiniGameOver::clockText(countdown()->timeLeft), "00:40");
  savePNG((std::string(TOB_BINARY_DIR) + "/lab.png").c_str());
  pushButton(1, true, 60, 570);
  pushButton(1, false, 60, 570);
  frames(2);
  EXPECT_EQ(first("HELPWINDOW"), nullptr);
  EXPECT_GT(clockPixels(), 20) << "the clock shows in green";

  // Escape pauses the lab as it pauses a day, and its menu's CONTINUE takes the lab's pointer.
  pushKey(SDL_SCANCODE_ESCAPE, true);
  pushKey(SDL_SCANCODE_ESCAPE, false);
  frames(100);
  EXPECT_GT(countdown()->timeLeft, 39000) << "the clock stands while the menu is open";
  pushButton(1, true, 410, 207);
  pushButton(1, false, 410, 207);
  frames(30);
  EXPECT_EQ(first("INGAMEMENU"), nullptr);

  ASSERT_EQ(dishes().size(), 1u);
  CMapEntity_Miska *old = dishes()[0];
  ASSERT_NO_FATAL_FAILURE(fillSet());
  frames(30);
  EXPECT_LT(old->looks().getAlpha(), 1.0f) << "the completed set fades";
  frames(90);
  ASSERT_EQ(dishes().size(), 2u) << "and the next set appears";
  EXPECT_EQ(dishes()[0]->value, 300);
  ASSERT_NO_FATAL_FAILURE(fillSet());
  savePNG((std::string(TOB_BINARY_DIR) + "/lab_filled.png").c_str());

  for (int i = 0; i < 4000 && !level->getEC()->getEntityByID(323); ++i) playFrame();
  ASSERT_NE(level->getEC()->getEntityByID(323), nullptr);
  CMiniGameSummaryController *s =
      dynamic_cast<CMiniGameSummaryController *>(level->getEC()->getEntityByID(323)->getController());
  for (int i = 0; i < 400 && !(s && s->totalShown()); ++i) {
    playFrame();
    if (!s) s = dynamic_cast<CMiniGameSummaryController *>(level->getEC()->getEntityByID(323)->getController());
  }
  ASSERT_TRUE(s && s->totalShown());
  frames(2);
  savePNG((std::string(TOB_BINARY_DIR) + "/lab_summary.png").c_str());
  const int money = engineObj.getPlayer()->getMoney();
  pushButton(1, true, 400, 300);
  pushButton(1, false, 400, 300);
  frames(3);
  EXPECT_TRUE(level->getLevelOver());
  EXPECT_EQ(engineObj.getPlayer()->getMoney(), money + 800);
  const std::string rule(66, '-');
  EXPECT_EQ(read("levellog.txt"), "\n" + rule + "\nMINIGAME LAB 1 SCORE : 800\n" + rule);
}

} // namespace
