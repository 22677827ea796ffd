#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "media/CGlobals.h"
#include "patients/CPacientController.h"
#include "support/GameWindowDay.h"
#include "support/PatientState.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"

// The demonstration ward in the real window: a patient arrives on the couch, is registered at a
// desk chair, takes a heart at the gauge's peak, changes on the bench and is laid into a bed.

namespace {

class PatientWindowTest : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    load("ward_demo");
  }

  void TearDown() override { tearDownWindowDay(); }

  CMapEntity_PacientClass *arrived() {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e))
        if (!p->getKill()) return p;
    return nullptr;
  }
};

TEST_F(PatientWindowTest, APatientArrivesRegistersTakesAHeartChangesAndIsLaidIntoABed) {
  // The intro notebook holds the day until a click; then the first patient fades in on the couch.
  for (int i = 0; i < 60; ++i) playFrame();
  EXPECT_EQ(arrived(), nullptr) << "no patient while the intro is open";
  pushButton(1, true, 400, 300);
  pushButton(1, false, 400, 300);
  ASSERT_TRUE(playUntil([&] { return arrived() != nullptr; }, 200)) << "nobody came";
  CMapEntity_PacientClass *p = arrived();
  ASSERT_TRUE(playUntil(
      [&] {
        float a = p->looks().getAlpha();
        return a == -1.0f || a >= 1.0f;
      },
      120))
      << "the patient never faded in: " << p->looks().getAlpha();
  EXPECT_EQ(p->getPhase(), kPhaseArrived);
  savePNG((std::string(TOB_BINARY_DIR) + "/patient-couch.png").c_str());

  // Onto the first chair: the nurse works and the gauge rises.
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(level->getEC()->getEntityByID(1));
  ASSERT_NE(chair, nullptr);
  ASSERT_NE(chair->getGauge(), nullptr);
  int chairX, chairY;
  actionMiddle(chair, chairX, chairY);
  dragTo(p, chairX, chairY);
  ASSERT_EQ(p->getPhase(), kPhaseOnChair) << "not registered";
  EXPECT_EQ(chair->occupant, p);
  CMapEntity_Game *nurse = level->getEC()->getEntityByID(60);
  ASSERT_NE(nurse, nullptr);
  EXPECT_STREQ(nurse->looks().getSprite()->getAktivniFrameset()->getID(), "AKTIVNI");
  ASSERT_TRUE(playUntil([&] { return chair->getGauge()->full != 0; }, 600)) << "the gauge never peaked";
  savePNG((std::string(TOB_BINARY_DIR) + "/patient-desk.png").c_str());
  // Her hearts stand clear of the gauge, which a lower chair's draws over them.
  const framediff::Area seatedHearts = shownBy(p->getContainedEntity(CMapEntity_PacientClass::kHeartsID));
  EXPECT_GT(seatedHearts.count, 100);
  EXPECT_FALSE(seatedHearts.meets(shownBy(chair->getGauge()))) << seatedHearts;

  // A click at the peak: a heart rises, the patient changes into coloured pyjamas on the bench.
  float before = p->getMood();
  int px, py;
  actionMiddle(p, px, py);
  pushMotion(px, py);
  playFrame();
  pushButton(1, true, px, py);
  playFrame();
  pushButton(1, false, px, py);
  playFrame();
  EXPECT_GT(p->getMood(), before);
  EXPECT_EQ(p->getPhase(), kPhaseOnCouch);
  EXPECT_NE(level->getEC()->getEntityByID(kRisingHeartID), nullptr) << "no heart";
  EXPECT_NE(level->getEC()->getEntityByID(64), nullptr) << "no dust puff";
  EXPECT_EQ(p->looks().getSprite()->getID(), std::string(CMapEntity_PacientClass::kindName(p->getKind())) + "PYZAMO");
  for (int i = 0; i < 10; ++i) playFrame();
  savePNG((std::string(TOB_BINARY_DIR) + "/patient-bench.png").c_str());

  // Into a free bed: it lies there and "Z"s rise.
  // Beds come in on their carriers; a bed that has arrived stands on its own.
  CMapEntity_PostelClass *bed = nullptr;
  auto freeBed = [&] {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e))
        if (!b->carrying().getParent() && !b->getOccupant() && b->isMadeUp() && !b->isOccupied() &&
            (b->looks().getAlpha() == 1.0f || b->looks().getAlpha() == -1.0f))
          bed = b;
    return bed != nullptr;
  };
  ASSERT_TRUE(playUntil(freeBed, 400)) << "no bed stands free";
  int bx, by;
  actionMiddle(bed, bx, by);
  dragTo(p, bx, by);
  ASSERT_EQ(p->getPhase(), kPhaseInBed) << "not laid into the bed";
  EXPECT_EQ(bed->getOccupant(), p);
  EXPECT_EQ(p->getBedLink(), bed);
  ASSERT_TRUE(playUntil([&] { return level->getEC()->getEntityByID(380) != nullptr; }, 100)) << "no Z rises";
  for (int i = 0; i < 30; ++i) playFrame();
  savePNG((std::string(TOB_BINARY_DIR) + "/patient-bed.png").c_str());

  // An outbreak shows the time it has left: a ring of dots beside the patient, gold while an
  // answer pays for fast service, red in its last two seconds (a dot a half second), then gone.
  // With two hearts left a missed outbreak loses her, and her hearts blink on a red badge.
  auto count = [&](int x, int y, int w, int h, int minR, int minG, int maxG, int maxB) {
    std::vector<unsigned char> px = grab(x, y, w, h);
    int n = 0;
    for (size_t i = 0; i + 3 < px.size(); i += 4)
      n += px[i] >= minR && px[i + 1] >= minG && px[i + 1] <= maxG && px[i + 2] <= maxB;
    return n;
  };
  float cx = 0.0f, cy = 0.0f;
  p->outbreakRingCentre(cx, cy);
  const int r = (int)CMapEntity_PacientClass::kRingRadius + 4;
  auto gold = [&] { return count((int)cx - r, (int)cy - r, 2 * r, 2 * r, 230, 190, 235, 90); };
  auto red = [&] { return count((int)cx - r, (int)cy - r, 2 * r, 2 * r, 230, 0, 60, 60); };
  for (CMapEntity_Game *puff : alive(64)) puff->setKill(true);
  playFrame();
  const int goldBefore = gold(), redBefore = red();
  CPacientController::of(p)->startOutbreak();
  playFrame();
  EXPECT_GE(gold() - goldBefore, 13 * 9) << "thirteen gold dots";
  savePNG((std::string(TOB_BINARY_DIR) + "/patient-outbreak.png").c_str());
  ASSERT_TRUE(playUntil([&] { return p->getOutbreakLeft() <= 1500 && (p->getOutbreakLeft() / 150) % 2 == 0; }, 400));
  EXPECT_GE(red() - redBefore, 9) << "its last seconds in red";
  EXPECT_LE(red() - redBefore, 5 * 16);
  ASSERT_TRUE(playUntil([&] { return p->getBedState() != kBedOutbreak; }, 200));
  playFrame();
  EXPECT_LE(red(), redBefore + 4) << "the ring stays after the outbreak";

  // A neighbour's cough leaves her the two hearts the outbreak's end would take: she is warned.
  CMapEntity *hearts = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
  TPatientState::setMood(p, 0.25f - CPacientController::of(p)->outbreakCost());
  CPacientController::of(p)->startOutbreak();
  add("NEMOCNEJBACILY", p->getX(), p->getY());
  int redFrames = 0;
  for (int frames = 0; frames < 50; ++frames) {
    playFrame();
    const bool shownRed = count((int)hearts->getX(), (int)hearts->getY(), 20, 10, 170, 0, 60, 70) >= 30;
    if (shownRed && !redFrames) savePNG((std::string(TOB_BINARY_DIR) + "/patient-losing.png").c_str());
    redFrames += shownRed;
  }
  EXPECT_TRUE(redFrames >= 15 && redFrames <= 35) << redFrames << " of 50 frames red";

  // Waving her bill as her hearts run out (0.01 in 1.5 s): the badge shows over it 7 s ahead.
  TPatientState::setMeterFull(p, 0.0f);
  TPatientState::setMood(p, 0.12f);
  engineObj.setDifficulty(1.0f, 125, 125.0f);
  p->setPatience(0.01f);
  ASSERT_TRUE(playUntil([&] { return std::string(hearts->looks().getSprite()->getAktivniFrameset()->getID()).back() == 'R'; }, 1000, 1000));
  EXPECT_GE(p->getMood(), 0.045f);
  auto badge = [&] { return draw(), count((int)hearts->getX(), (int)hearts->getY(), 33, 16, 170, 0, 60, 70); };
  const int shown = badge();
  savePNG((std::string(TOB_BINARY_DIR) + "/patient-losing-bill.png").c_str());
  p->getContainedEntityClass(CMapEntity_PacientClass::kHandClass)->looks().setVisible(false);
  EXPECT_GE(shown, badge()) << "the bill hides the badge";
}

} // namespace
