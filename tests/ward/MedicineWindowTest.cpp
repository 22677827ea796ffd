#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "support/GameWindowDay.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

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

  // Black digits on a white label 23 px below the bottle's top, where the hand holding it leaves
  // them in view.
  static bool bedNumberReads(int x, int y) {
    int ink = 0, label = 0;
    for (int py = y + 23; py <= y + 30; ++py)
      for (int px = x + 6; px <= x + 14; ++px) {
        const uint32_t c = pixel(px, py);
        const unsigned r = c >> 24, g = (c >> 16) & 0xFF, b = (c >> 8) & 0xFF;
        ink += std::max({r, g, b}) < 20;
        label += std::min({r, g, b}) > 200;
      }
    return ink >= 4 && label >= 10;
  }

  template <class T> T *find(bool (*wanted)(T *)) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (T *t = dynamic_cast<T *>(e))
        if (!t->getKill() && wanted(t)) return t;
    return nullptr;
  }
};

TEST_P(MedicineWindowTest, OneClickTakesTheMedicineFromTheCounter) {
  // The day's notebook clicked away, the first patient is registered and laid into bed 1.
  auto shown = [](CMapEntity_PacientClass *p) {
    return p->getPhase() == kPhaseArrived && (p->looks().getAlpha() == -1.0f || p->looks().getAlpha() >= 1.0f);
  };
  ASSERT_TRUE(playUntil([&] { return find<CMapEntity_PacientClass>(shown) || first("HELPWINDOW"); }, 300, 5));
  if (first("HELPWINDOW")) clickAt(400, 300);
  ASSERT_TRUE(playUntil([&] { return find<CMapEntity_PacientClass>(shown) != nullptr; }, 1500, 5)) << "nobody came";
  CMapEntity_PacientClass *p = find<CMapEntity_PacientClass>(shown);
  // A chair still arriving in its carrier is only a picture.
  auto *chair =
      find<CMapEntity_DiagnosticTool>([](CMapEntity_DiagnosticTool *c) { return !c->carrying().getParent(); });
  ASSERT_TRUE(chair && chair->getGauge());
  dragOnto(p, chair);
  ASSERT_TRUE(playUntil([&] { return chair->getGauge()->full != 0; }, 600, 5)) << "the gauge never filled";
  clickOn(p);
  for (int i = 0; i < 10; ++i) playFrame();
  auto bedOne = [](CMapEntity_PostelClass *b) { return b->getBedNumber() == 1 && !b->carrying().getParent(); };
  ASSERT_TRUE(playUntil([&] { return find<CMapEntity_PostelClass>(bedOne) != nullptr; }, 600, 5));
  CMapEntity_PostelClass *bed = find<CMapEntity_PostelClass>(bedOne);
  dragOnto(p, bed);
  ASSERT_EQ(p->getPhase(), kPhaseInBed);

  // Examined at the outbreak; the prescription handed in at the cabinet.
  ASSERT_TRUE(playUntil([&] { return p->getBedState() == kBedOutbreak; }, 3000, 5)) << "no outbreak";
  clickOn(bed);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kPrescriptionID) != nullptr; }, 600, 5));
  CMapEntity_Game *cabinet = level->getEC()->getFirstEntityByClassID(kCabinetClass);
  clickOn(cabinet);
  ASSERT_TRUE(playUntil([&] { return floorMedicine() != nullptr; }, 900, 5)) << "no medicine made";

  // On the counter's top by the back wall, beside its cabinet: the wood shows under the bottle.
  const int mx = (int)floorMedicine()->getX(), my = (int)floorMedicine()->getY();
  for (int i = 0; i < 3; ++i) playFrame();
  savePNG((std::string(TOB_BINARY_DIR) + "/medicine-" + GetParam() + ".png").c_str());
  const uint32_t under = pixel(mx + 2, my + 31);
  const int r = (int)(under >> 24), g = (int)((under >> 16) & 0xFF), b = (int)((under >> 8) & 0xFF);
  EXPECT_TRUE(r > g && g > b && r - b > 60) << "no counter under the medicine at " << mx << ", " << my;
  EXPECT_TRUE(std::abs(mx - (int)cabinet->getX()) < 200 && std::abs(my - (int)cabinet->getY()) < 120)
      << "the medicine lies far from its cabinet";
  EXPECT_TRUE(bedNumberReads(mx, my)) << "no bed number on the label of the medicine on the counter";
  // Clicked at the bottle's top left, over the wall: the doctor walks to the floor below it.
  clickAt(mx + 4, my + 3);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kMedicineID) != nullptr; }, 600, 5))
      << "one click on the medicine at " << mx << ", " << my << " did not take it";
  const float footY = figure()->getY() + 88;
  EXPECT_TRUE(footY >= 128.0f && footY <= 160.0f) << "taken from " << footY << ", not in front of the counter";
  CMapEntity *held = figure()->getContainedEntity(kMedicineID);
  playFrame();
  EXPECT_TRUE(bedNumberReads((int)held->getX(), (int)held->getY())) << "no bed number on the medicine in her hand";
}

INSTANTIATE_TEST_SUITE_P(FirstDays, MedicineWindowTest, ::testing::Values("ward_day2", "day03", "day04"),
                         [](const ::testing::TestParamInfo<const char *> &i) { return std::string(i.param); });

// Every place a cabinet lays medicine out, clicked anywhere a person aims on the bottle: its left
// edge, its middle, its foot, the counter's drawer front below it. The counter's left end on some
// wards stands over a bed, where the floor straight below the bottle is no floor. The whole counter
// answers: an empty place, its drawers and the counter's right end say the place is empty, and
// leave her standing, as a click on the status bar does.
class MedicineSlotsWindowTest : public MedicineWindowTest {};

TEST_P(MedicineSlotsWindowTest, AClickAnywhereOnAMedicineInAnyPlaceTakesItAndOnAnEmptyOneLeavesHerStanding) {
  ASSERT_NO_FATAL_FAILURE(openWard(std::string(GetParam()) != "Tutorial"));
  auto *cabinet = dynamic_cast<CMapEntity_LekarnaClass *>(level->getEC()->getFirstEntityByClassID(kCabinetClass));
  ASSERT_NE(cabinet, nullptr);
  // The drawer front the ward's background paints along the counter's foot.
  const int drawers = 116;
  auto saidEmpty = [&] {
    int said = 0;
    for (CMapEntity_Game *c : named("BONUSTEXT"))
      said += static_cast<CMapEntity_BonusText *>(c)->text == "No medicine here", c->setKill(true);
    return said;
  };
  // Clicked there, she has not moved a step half a second later.
  auto stays = [&](int x, int y) {
    const float fx = figure()->getX(), fy = figure()->getY();
    clickAt(x, y);
    for (int i = 0; i < 30; ++i) playFrame(false);
    return figure()->getX() == fx && figure()->getY() == fy;
  };
  for (int slot = 1; slot <= 8; ++slot) {
    const TMedSlot at = cabinet->placeFor(slot);
    // Empty, the place says so at once.
    EXPECT_TRUE(stays(at.x + 10, at.y + 14)) << "walked for the empty place " << slot;
    const int onPlace = saidEmpty();
    EXPECT_TRUE(stays(at.x + 10, drawers)) << "walked for the drawers of the empty place " << slot;
    EXPECT_EQ(onPlace + saidEmpty(), 2) << "the empty place " << slot << " or its drawers said nothing";
    for (const auto &aim :
         {std::make_pair(4, 3), std::make_pair(10, 14), std::make_pair(4, 25), std::make_pair(10, drawers - at.y)}) {
      // For no bed: it stays until taken.
      CMapEntity_Game *lek = CMapEntitiesFactory::instance()->cloneEntity("LEK");
      level->getEC()->addEntity(lek);
      cabinet->layOut(level->getEC(), lek, slot);
      playFrame(false);
      clickAt(at.x + aim.first, at.y + aim.second);
      // Within two seconds: straight to the floor in front of the counter, never round the beds.
      const bool taken = playUntil([&] { return figure()->getContainedEntity(kMedicineID) != nullptr; }, 100, 20);
      EXPECT_TRUE(taken) << "place " << slot << " at " << at.x << ", " << at.y << ", clicked at +" << aim.first << ", +"
                         << aim.second << ": she stands at " << figure()->getX() << ", " << figure()->getY();
      (taken ? figure()->getContainedEntity(kMedicineID) : lek)->setKill(true);
      playFrame(false);
    }
  }
  EXPECT_TRUE(stays(548, drawers)) << "walked for the counter's right end";
  EXPECT_EQ(saidEmpty(), 1) << "the counter's right end said nothing";
  EXPECT_TRUE(stays(300, 575)) << "walked for the status bar";
}

// One day for each kind of cabinet.
INSTANTIATE_TEST_SUITE_P(Cabinets, MedicineSlotsWindowTest, ::testing::Values("Tutorial", "day04", "day11", "day16"),
                         [](const ::testing::TestParamInfo<const char *> &i) { return std::string(i.param); });

} // namespace
