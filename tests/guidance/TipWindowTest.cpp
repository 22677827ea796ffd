#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "TipDay.h"
#include "engine/KPTK.h"
#include "support/GLTestWindow.h"

// A tip bubble over the ward in the real window: where its picture, text and arrow land.

namespace {

const int kW = 800, kH = 600;

struct Area {
  int x0 = kW, y0 = kH, x1 = -1, y1 = -1, count = 0;
};

class TipWindowTest : public GLTestWindow, public TipDay {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    ASSERT_NO_FATAL_FAILURE(setUpDay(false));
    screen = KPTK::createKGraphic();
    backbuffer = screen;
    loadDay();
    step();
  }

  void TearDown() override {
    tearDownDay();
    backbuffer = nullptr;
    delete screen;
    GLTestWindow::TearDown();
  }

  void draw() {
    window()->setWorldView(0, 0, 0, 1, true);
    level->render(0, true, screen);
  }

  std::vector<unsigned char> grab() {
    std::vector<unsigned char> p((size_t)kW * kH * 4);
    EXPECT_TRUE(window()->readPixels(0, 0, kW, kH, p.data()));
    return p;
  }

  // The pixels that change when the entity (with what it carries) is left out of the frame.
  Area shownBy(CMapEntity *e, int rowFrom = 0, int rowTo = kH - 1) {
    draw();
    std::vector<unsigned char> with = grab();
    e->setVisible(false);
    draw();
    std::vector<unsigned char> without = grab();
    e->setVisible(true);
    draw();
    Area r;
    for (int y = rowFrom; y <= rowTo; ++y)
      for (int x = 0; x < kW; ++x) {
        size_t i = ((size_t)y * kW + x) * 4;
        bool differs = false;
        for (int c = 0; c < 3; ++c) differs = differs || std::abs((int)with[i + c] - (int)without[i + c]) > 3;
        if (!differs) continue;
        ++r.count;
        r.x0 = std::min(r.x0, x);
        r.y0 = std::min(r.y0, y);
        r.x1 = std::max(r.x1, x);
        r.y1 = std::max(r.y1, y);
      }
    return r;
  }

  KGraphic *screen = nullptr;
};

TEST_F(TipWindowTest, SecondOutbreakTipStandsAtTheFootOfTheWardWithItsText) {
  // Only the tip looked at: the lamp's tip would open meanwhile.
  alive("TIPHLASICTRIGGER")->setKill(true);
  CMapEntity_PacientClass *p = quietPatient(300, 300);
  ASSERT_NO_FATAL_FAILURE(layIntoBed(p, bed()));
  p->bedState = kBedTakingMedicine;
  add("TIPOUTBREAK", 0, 395);
  ASSERT_TRUE(runUntil([&] { return alive("TIPOUTBREAK2") != nullptr; }, 9000));
  step();
  CMapEntity_Game *tip = alive("TIPOUTBREAK2");
  ASSERT_TRUE(tip);

  Area bubble = shownBy(tip);
  EXPECT_GT(bubble.count, 20000);
  EXPECT_GE(bubble.y0, 395);
  EXPECT_LE(bubble.x0, 40);
  // The text box's rows, below the picture's top edge and right of its corner.
  Area words = shownBy(tip->getContainedEntity(1001), 395, kH - 1);
  EXPECT_GT(words.count, 300);
  EXPECT_GE(words.x0, 72);
  EXPECT_GE(words.y0, 395 + 60);
  draw();
  EXPECT_TRUE(savePNG((std::string(TOB_BINARY_DIR) + "/tip_outbreak2.png").c_str()));
}

} // namespace
