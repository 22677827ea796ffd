#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "media/GameGlobals.h"
#include "patients/CPacientController.h"
#include "patients/CPatientLeaving.h"
#include "progress/CMapEntity_SummarySesit.h"
#include "support/GameWindowDay.h"
#include "support/PatientState.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerController.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"

// The short day "ward_short" in the real window, played by injected mouse input: one patient from
// its arrival to its payment, then the day's summary; and the same day left alone.

namespace {

class TreatmentWindowTest : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    // A newcomer's difficulty, as the engine starts a profile.
    engineObj.setDifficulty(0.85f, 125, 106.25f);
    load("ward_short");
  }

  void TearDown() override { tearDownWindowDay(); }

  CMapEntity_PacientClass *patient() {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e))
        if (!p->getKill()) return p;
    return nullptr;
  }

  bool captionShown(const std::string &text) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(e))
        if (t->text == text) return true;
    return false;
  }
  // Screen columns within a caption's first line where its tinted glyphs show (the pink of the
  // payments, (0.8, 0.15, 0.5) over the white caption font): a whole "FAST SERVICE +50" covers
  // about a hundred, its figure alone a handful.
  int captionColumns(const std::string &text) {
    CMapEntity_BonusText *t = nullptr;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_BonusText *b = dynamic_cast<CMapEntity_BonusText *>(e))
        if (b->text == text && !b->getKill()) t = b;
    if (!t) return 0;
    int columns = 0;
    for (int x = (int)t->getX(); x < (int)t->getX() + 200; ++x)
      for (int y = (int)t->getY(); y < (int)t->getY() + 20; ++y) {
        uint32_t c = pixel(x, y);
        int r = (int)(c >> 24), g = (int)((c >> 16) & 0xFF), b = (int)((c >> 8) & 0xFF);
        if (r > 120 && g < 70 && r > 2 * g && b > g && b < r) {
          ++columns;
          break;
        }
      }
    return columns;
  }
  CMapEntity_SummarySesit *summaryPage() {
    CMapEntity_Game *w = level->getEC()->getEntityByID(1017);
    return w ? dynamic_cast<CMapEntity_SummarySesit *>(w->getContainedEntity(kSummarySesitID)) : nullptr;
  }
  std::string shot(const char *name) { return std::string(TOB_BINARY_DIR) + "/" + name; }
};

TEST_F(TreatmentWindowTest, OnePatientFromArrivalToPaymentAndTheDaysSummary) {
  ASSERT_TRUE(playUntil([&] { return patient() != nullptr; }, 400)) << "nobody came";
  CMapEntity_PacientClass *p = patient();
  ASSERT_TRUE(playUntil([&] { float a = p->looks().getAlpha(); return a == -1.0f || a >= 1.0f; }, 120));

  // Registration: onto the chair, a click at the gauge's peak, the bench, then a bed.
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(level->getEC()->getEntityByID(1));
  ASSERT_TRUE(chair && chair->getGauge());
  dragOnto(p, chair);
  ASSERT_EQ(p->getPhase(), kPhaseOnChair);
  ASSERT_TRUE(playUntil([&] { return chair->getGauge()->full != 0; }, 600)) << "the gauge never peaked";
  clickOn(p);
  ASSERT_EQ(p->getPhase(), kPhaseOnCouch);
  for (int i = 0; i < 10; ++i) playFrame();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(level->getEC()->getFirstEntityByClassID(kBedClass));
  ASSERT_NE(bed, nullptr);
  dragOnto(p, bed);
  ASSERT_EQ(p->getPhase(), kPhaseInBed);
  ASSERT_EQ(bed->getOccupant(), p);

  // The outbreak is examined at once: a prescription for this bed.
  ASSERT_TRUE(playUntil([&] { return p->getBedState() == kBedOutbreak; }, 2000)) << "no outbreak";
  clickOn(bed);
  ASSERT_TRUE(playUntil([&] { return figure()->workPhase == CPlayerController::kExamining; }, 400)) << "no examination";
  for (int i = 0; i < 20; ++i) playFrame();
  savePNG(shot("treatment-examination.png").c_str());
  EXPECT_EQ(p->getBedState(), kBedWaitingMedicine);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kPrescriptionID) != nullptr; }, 200));
  CMapEntity_Game *cabinet = level->getEC()->getFirstEntityByClassID(kCabinetClass);
  ASSERT_NE(cabinet, nullptr);
  EXPECT_TRUE(cabinet->getHighlightOn());

  // Handed in at the cabinet, which lays out the medicine; the figure carries it to the bed.
  clickOn(cabinet);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kPrescriptionID) == nullptr; }, 600));
  ASSERT_TRUE(playUntil([&] { return floorMedicine() != nullptr; }, 400)) << "no medicine made";
  clickOn(floorMedicine());
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kMedicineID) != nullptr; }, 600));
  EXPECT_EQ(static_cast<CMapEntity_Lek *>(figure()->getContainedEntity(kMedicineID))->bedNumber, bed->getBedNumber());
  clickOn(bed);
  ASSERT_TRUE(playUntil([&] { return p->getBedState() == kBedTakingMedicine || p->getBedState() == kBedFastService; }, 600));
  for (int i = 0; i < 20; ++i) playFrame();
  savePNG(shot("treatment-medicine.png").c_str());
  EXPECT_GE(captionColumns("FAST SERVICE +50"), 80) << "only part of the caption was drawn";

  // Cured, sent home, paid by mood.
  ASSERT_TRUE(playUntil([&] { return p->getBedState() == kBedGivingMoney; }, 3000)) << "never cured: " << p->getMeterFull();
  int money = level->getMoney();
  float mood = p->getMood(), purse = p->getMoney();
  clickOn(bed);
  ASSERT_TRUE(playUntil([&] { return level->getCured() == 1; }, 600)) << "not paid";
  int paid = paymentFor(purse, mood);
  EXPECT_GE(level->getMoney(), money + paid);
  EXPECT_TRUE(captionShown("CASH +" + std::to_string(paid)));
  EXPECT_EQ(level->getLost(), 0);

  // The ward tidied: the bed made, its linen into the trolley.
  ASSERT_TRUE(playUntil([&] { return !bed->getOccupant() && !bed->isMadeUp(); }, 200));
  clickOn(bed);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kRubbishID) != nullptr; }, 600));
  clickOn(level->getEC()->getFirstEntityByClassID(30));
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kRubbishID) == nullptr; }, 600));

  ASSERT_TRUE(playUntil([&] { return summaryPage() != nullptr; }, 3000)) << "no summary";
  for (int i = 0; i < 40; ++i) playFrame();
  savePNG(shot("treatment-summary.png").c_str());
  CMapEntity_SummarySesit *page = summaryPage();
  EXPECT_EQ(page->patientsCured, 1);
  EXPECT_EQ(page->patientsLost, 0);
  EXPECT_EQ(page->scoreToday, level->getMoney());
  EXPECT_GE(level->getMoney(), level->getMoneyLimit());
  EXPECT_EQ(page->title, "EXCELLENT WORK, DOCTOR!");
}

// Nobody helps the patient: it is lost, and with the goal missed the same day comes again.
TEST_F(TreatmentWindowTest, ADayLeftAloneLosesEveryPatientAndIsPlayedAgain) {
  ASSERT_TRUE(playUntil([&] { return patient() != nullptr; }, 400)) << "nobody came";
  // Most frames only update, for speed; the day's end is seen when a frame is drawn.
  ASSERT_TRUE(playUntil([&] { return summaryPage() != nullptr; }, 20000, 10)) << "no summary";
  for (int i = 0; i < 40; ++i) playFrame();
  savePNG(shot("treatment-alone-summary.png").c_str());
  CMapEntity_SummarySesit *page = summaryPage();
  EXPECT_EQ(level->getCured(), 0);
  EXPECT_EQ(page->patientsLost, 1);
  EXPECT_EQ(page->patientsCured, 0);
  EXPECT_EQ(page->title, "TRY AGAIN");
  EXPECT_LT(level->getMoney(), level->getMoneyLimit()) << "the engine builds this day again";
}

// Two cured patients sent home pay and count cured, chain bonus or not; the day's own arrival,
// left on the couch until its hearts run out, is the one patient lost.
TEST_F(TreatmentWindowTest, EveryPatientWhoPaysCountsCuredAndOnlyTheOneWhoseMoodRanOutLost) {
  ASSERT_TRUE(playUntil([&] { return level->getEC()->getFirstEntityByClassID(kBedClass) != nullptr; }, 400));
  std::vector<CMapEntity_PostelClass *> beds;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e)) beds.push_back(b);
  ASSERT_EQ(beds.size(), 2u);
  std::vector<CMapEntity_PacientClass *> patients;
  for (size_t i = 0; i < beds.size(); ++i) {
    auto *p = dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity("PACIENT2"));
    level->getEC()->addEntity(p);
    playFrame();
    ASSERT_GT(beds[i]->ulozPacienta(p, p->getColour()), 0);
    TPatientState::inBed(p, beds[i], kBedLying);
    TPatientState::setMeterFull(p, 0.0f);
    TPatientState::setMood(p, i == 0 ? 0.9f : 0.7f);
    p->addEntity(CMapEntitiesFactory::instance()->cloneEntity("BAR"), true, true);
    patients.push_back(p);
  }
  for (int i = 0; i < 10; ++i) playFrame();
  // Each pays by the mood it leaves with, after waiting to be sent home.
  std::vector<int> paid;
  for (size_t i = 0; i < beds.size(); ++i) {
    clickOn(beds[i]);
    CMapEntity_PacientClass *p = patients[i];
    ASSERT_TRUE(playUntil([&] { return p->getPhase() == kPhaseGone; }, 800)) << "patient " << i << " was not sent home";
    paid.push_back(paymentFor(p->getMoney(), p->getMood()));
    ASSERT_TRUE(playUntil([&] { return level->getCured() == (int)i + 1; }, 800)) << "patient " << i << " never paid";
    EXPECT_TRUE(captionShown("CASH +" + std::to_string(paid[i])));
  }
  for (CMapEntity_PostelClass *bed : beds) {
    ASSERT_TRUE(playUntil([&] { return !bed->getOccupant() && !bed->isMadeUp(); }, 200));
    clickOn(bed);
    ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kRubbishID) != nullptr; }, 600));
    clickOn(level->getEC()->getFirstEntityByClassID(30));
    ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kRubbishID) == nullptr; }, 600));
  }
  ASSERT_TRUE(playUntil([&] { return summaryPage() != nullptr; }, 20000, 10));
  for (int i = 0; i < 40; ++i) playFrame();
  savePNG(shot("treatment-counts-summary.png").c_str());
  CMapEntity_SummarySesit *page = summaryPage();
  EXPECT_EQ(page->patientsCured, 2);
  EXPECT_EQ(page->patientsLost, 1) << "only the patient left on the couch";
  EXPECT_GE(page->scoreToday, paid[0] + paid[1]);
}

} // namespace
