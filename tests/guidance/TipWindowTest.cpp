#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "TipDay.h"
#include "engine/KPTK.h"
#include "support/GameWindowDay.h"
#include "support/PatientState.h"
#include "ward/staff/CMapEntity_Marker.h"

// A tip bubble over the ward in the real window: where its picture, text and arrow land.

namespace {

const int kH = 600;

class TipWindowTest : public WindowDay<TipDay> {
protected:
  void SetUp() override {
    openWindow();
    ASSERT_NO_FATAL_FAILURE(setUpDay(false));
    loadDay();
    step();
  }

  void TearDown() override {
    tearDownDay();
    closeWindow();
  }

  // The pixels of rows rowFrom..rowTo that change when the entity (with what it carries) is left out.
  framediff::Area shownBy(CMapEntity *e, int rowFrom = 0, int rowTo = kH - 1) {
    draw();
    std::vector<unsigned char> with = grab();
    e->looks().setVisible(false);
    draw();
    std::vector<unsigned char> without = grab();
    e->looks().setVisible(true);
    draw();
    return framediff::changed(with, without, 0, rowFrom, 799, rowTo);
  }
};

TEST_F(TipWindowTest, SecondOutbreakTipStandsAtTheFootOfTheWardWithItsText) {
  // Only the tip looked at: the lamp's tip would open meanwhile.
  first("TIPHLASICTRIGGER")->setKill(true);
  CMapEntity_PacientClass *p = quietPatient(300, 300);
  ASSERT_NO_FATAL_FAILURE(layIntoBed(p, bed()));
  TPatientState::setBedState(p, kBedTakingMedicine);
  add("TIPOUTBREAK", 0, 395);
  ASSERT_TRUE(runUntil([&] { return first("TIPOUTBREAK2") != nullptr; }, 9000));
  step();
  CMapEntity_Game *tip = first("TIPOUTBREAK2");
  ASSERT_TRUE(tip);

  framediff::Area bubble = shownBy(tip);
  EXPECT_GT(bubble.count, 20000);
  EXPECT_GE(bubble.y0, 395);
  EXPECT_TRUE(bubble.x0 >= 74 && bubble.x0 <= 80) << "starts right of a couch's first seat: " << bubble.x0;
  // The text box's rows, below the picture's top edge and right of its corner.
  framediff::Area words = shownBy(tip->getContainedEntity(1001), 395, kH - 1);
  EXPECT_GT(words.count, 300);
  EXPECT_GE(words.x0, 72);
  EXPECT_GE(words.y0, 395 + 60);
  draw();
  EXPECT_TRUE(savePNG((std::string(TOB_BINARY_DIR) + "/tip_outbreak2.png").c_str()));
}

TEST_F(TipWindowTest, TheLampTipLeavesTheLampInTheCornerInViewAndPointsAtIt) {
  first("TIPCLOWNTRIGGER")->setKill(true);
  ASSERT_TRUE(runUntil([&] { return first("TIPHLASIC") != nullptr; }, 7000));
  step();
  auto *lamp = dynamic_cast<CMapEntity_Hlasic *>(first("HLASIC"));
  ASSERT_TRUE(lamp);
  // Lit, its bulb shows in the corner, up left of the lamp, beside the bubble.
  lamp->setOn(true);
  CMapEntity *light = lamp->getContainedEntity(248);
  ASSERT_TRUE(light);
  EXPECT_GT(shownBy(light).count, 80) << "the bubble hides the lamp's light";
  framediff::Area arrow = shownBy(first("TIPHLASIC")->getContainedEntity(189));
  EXPECT_TRUE(arrow.inside((int)light->getX() + 14, 0, 110, 70)) << "the arrow beside the lamp: " << arrow;
  savePNG((std::string(TOB_BINARY_DIR) + "/tip_lamp.png").c_str());
}

// The germ day as it comes: its lamp tip, then its germ tip, never both at once.
TEST_F(TipWindowTest, OnTheGermDayOneBubbleStandsAtATime) {
  load("day05");
  ASSERT_NO_FATAL_FAILURE(openWard());
  size_t most = 0, lamp = 0;
  ASSERT_TRUE(playUntil([&] {
    lamp += named("TIPHLASIC").size();
    most = std::max(most, named("TIPHLASIC").size() + named("TIPVIRUS").size());
    return first("TIPVIRUS") != nullptr;
  }, 4000, 10));
  EXPECT_EQ(most, 1u) << "bubbles standing together";
  EXPECT_GT(lamp, 0u) << "the lamp's tip is lost";
  // Left waiting for the spray, it stays where it was put with its words in view; the saved game
  // keeps that it was shown.
  step();
  CMapEntity_Game *tip = first("TIPVIRUS");
  const float home = tip->getY();
  EXPECT_EQ(player->getVirusHint(), 1);
  KInput::mousePointerTo(300, 200);
  run(12000);
  ASSERT_EQ(first("TIPVIRUS"), tip);
  EXPECT_FLOAT_EQ(tip->getY(), home);
  EXPECT_FLOAT_EQ(tip->looks().getAlpha(), 1.0f);
  EXPECT_GT(shownBy(tip->getContainedEntity(kTextBoxID), (int)home).count, 300) << "its words hidden";
  savePNG((std::string(TOB_BINARY_DIR) + "/tip_germ_day.png").c_str());
}

} // namespace
