#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/GameWindowDay.h"
#include "ward/player/CMapEntity_Player.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"

// The first working days in the real window, played by injected mouse input from a patient's
// arrival to the medicine: it is laid out on the counter by the back wall, and one click on it
// sends the doctor to the floor in front of the counter, where she takes it.

namespace {

class MedicineWindowTest : public GameWindowDay, public ::testing::WithParamInterface<const char *> {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    engineObj.setDifficulty(0.85f, 125, 106.25f);
    load(GetParam());
  }
  void TearDown() override { tearDownWindowDay(); }

  template <class Done> bool playUntil(Done done, int frames) {
    for (int i = 0; i < frames; ++i) {
      if (done()) return true;
      playFrame(i % 5 == 0);
    }
    return done();
  }
  CMapEntity_PacientClass *patient() {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (auto *p = dynamic_cast<CMapEntity_PacientClass *>(e))
        if (!p->getKill() && p->phase == kPhaseArrived && (p->getAlpha() == -1.0f || p->getAlpha() >= 1.0f)) return p;
    return nullptr;
  }
  CMapEntity_Player *figure() { return dynamic_cast<CMapEntity_Player *>(level->getEC()->getEntityByID(kPlayerID)); }
  CMapEntity_Game *floorMedicine() {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityID() == kMedicineID && !e->getKill() && !e->getParent()) return e;
    return nullptr;
  }
  template <class T> T *firstFree(unsigned cls) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == cls && !e->getParent())
        if (auto *t = dynamic_cast<T *>(e)) return t;
    return nullptr;
  }
  void clickOn(CMapEntity *e) {
    int x, y;
    middle(e, x, y);
    clickAt(x, y);
  }
  void shot(const std::string &name) {
    for (int i = 0; i < 3; ++i) playFrame();
    savePNG((std::string(TOB_BINARY_DIR) + "/medicine-" + GetParam() + "-" + name + ".png").c_str());
  }
};

TEST_P(MedicineWindowTest, OneClickTakesTheMedicineFromTheCounter) {
  // The day's notebook is clicked away; the first patient is registered and bedded.
  ASSERT_TRUE(playUntil([&] { return patient() != nullptr || level->getEC()->getEntityByID(1002); }, 300));
  if (level->getEC()->getEntityByID(1002)) {
    clickAt(400, 300);
    ASSERT_TRUE(playUntil([&] { return !level->getEC()->getEntityByID(1002); }, 300)) << "the notebook stays";
  }
  ASSERT_TRUE(playUntil([&] { return patient() != nullptr; }, 1500)) << "nobody came";
  CMapEntity_PacientClass *p = patient();
  auto *chair = firstFree<CMapEntity_DiagnosticTool>(17);
  ASSERT_TRUE(chair && chair->gauge);
  dragOnto(p, chair);
  ASSERT_EQ(p->phase, kPhaseOnChair);
  ASSERT_TRUE(playUntil([&] { return chair->gauge->full != 0; }, 600)) << "the gauge never filled";
  clickOn(p);
  ASSERT_EQ(p->phase, kPhaseOnCouch);
  for (int i = 0; i < 10; ++i) playFrame();
  // The first bed, once its adder has set it down.
  CMapEntity_PostelClass *bed = nullptr;
  ASSERT_TRUE(playUntil(
      [&] {
        for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
          if (auto *b = dynamic_cast<CMapEntity_PostelClass *>(e))
            if (b->cislo == 1 && !b->getParent()) bed = b;
        return bed != nullptr;
      },
      600));
  dragOnto(p, bed);
  ASSERT_EQ(p->phase, kPhaseInBed);

  // Examined at the outbreak; the prescription handed in at the cabinet.
  ASSERT_TRUE(playUntil([&] { return p->bedState == kBedOutbreak; }, 3000)) << "no outbreak";
  clickOn(bed);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kPrescriptionID) != nullptr; }, 600));
  clickOn(level->getEC()->getFirstEntityByClassID(kCabinetClass));
  ASSERT_TRUE(playUntil([&] { return floorMedicine() != nullptr; }, 900)) << "no medicine made";

  // On the counter's top by the back wall, beside its cabinet: the wood shows under the bottle.
  CMapEntity_Game *medicine = floorMedicine(), *cabinet = level->getEC()->getFirstEntityByClassID(kCabinetClass);
  const int mx = (int)medicine->getX(), my = (int)medicine->getY();
  shot("on-the-counter");
  uint32_t under = pixel(mx + 2, my + 31);
  int r = (int)(under >> 24), g = (int)((under >> 16) & 0xFF), b = (int)((under >> 8) & 0xFF);
  EXPECT_TRUE(r > g && g > b && r - b > 60) << "no counter under the medicine at " << mx << ", " << my << ": " << r << " " << g << " " << b;
  EXPECT_LT(std::abs(mx - (int)cabinet->getX()), 200) << "the medicine lies far from its cabinet";
  EXPECT_LT(std::abs(my - (int)cabinet->getY()), 120) << "the medicine lies far from its cabinet";
  // Clicked at the bottle's top left, over the wall: the doctor walks to the floor below it.
  clickAt(mx + 4, my + 3);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kMedicineID) != nullptr; }, 600))
      << "one click on the medicine at " << medicine->getX() << ", " << medicine->getY() << " did not take it";
  // She stood on the floor in front of the counter, drawn in front of it.
  const float footY = figure()->getY() + 88;
  EXPECT_GE(footY, 96.0f);
  EXPECT_LE(footY, 128.0f);
  shot("taken");
}

INSTANTIATE_TEST_SUITE_P(FirstDays, MedicineWindowTest, ::testing::Values("ward_day2", "day03", "day04"),
                         [](const ::testing::TestParamInfo<const char *> &i) { return std::string(i.param); });

} // namespace
