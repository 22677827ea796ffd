#include <gtest/gtest.h>

#include "media/Timer.h"
#include "patients/CPacientController.h"
#include "patients/CPatientLeaving.h"
#include "support/PatientState.h"
#include "ward/PlayerDay.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"

namespace {

// The doctor's work on patients on the patient-free day, with patients laid into its bed.
class PlayerPatientTest : public ::testing::Test, public PlayerDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpDay(true));
    bed = dynamic_cast<CMapEntity_PostelClass *>(first("POSTEL1"));
    ASSERT_NE(bed, nullptr);
    workTile(bed, bedX, bedY);
  }
  void TearDown() override { tearDownDay(); }

  CMapEntity_PacientClass *bedded(uint8_t state, const char *species = "PACIENT1") {
    CMapEntity_PacientClass *p =
        dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity(species));
    level->getEC()->addEntity(p);
    step();
    EXPECT_GT(bed->ulozPacienta(p, p->getColour()), 0);
    // Where the laying into bed puts it.
    p->setXOffset(38.0f, false);
    p->setYOffset(-9.0f, false);
    p->syncWithParentPosition();
    TPatientState::inBed(p, bed, state);
    TPatientState::setMeterFull(p, 0.9f);
    TPatientState::setOutbreakPeriod(p, 10000000);
    p->addEntity(CMapEntitiesFactory::instance()->cloneEntity("BAR"), true, true);
    return p;
  }
  CMapEntity_LekarnaClass *addCabinet() {
    CMapEntity_Game *c = add("LEKARNA2", 40, 380);
    step();
    return dynamic_cast<CMapEntity_LekarnaClass *>(c);
  }
  CMapEntity_Lek *medicineFor(uint16_t number) {
    CMapEntity_Lek *l = dynamic_cast<CMapEntity_Lek *>(CMapEntitiesFactory::instance()->cloneEntity("LEK"));
    l->bedNumber = number;
    figure()->addEntity(l, true);
    return l;
  }
  // A click on the bed, the walk there and the work on arrival.
  void workAtBed() {
    click((int)bed->getX() + 60, (int)bed->getY() + 40);
    ASSERT_GT(walkTo(bedX, bedY, 400), 0);
    for (int i = 0; i < 5; ++i) step();
  }
  // Things without a work point are walked to where they were clicked.
  void walkAndWork(CMapEntity_Game *e, int dx, int dy) {
    int cx = (int)e->getX() + dx, cy = (int)e->getY() + dy;
    click(cx, cy);
    int tx = cx / 32, ty = cy / 32;
    if (e->approachX && e->approachY) workTile(e, tx, ty);
    ASSERT_GT(walkTo(tx, ty, 400), 0);
    for (int i = 0; i < 3; ++i) step();
  }
  void freeBed() {
    if (CMapEntity_Game *p = bed->getOccupant()) p->setKill(true);
    bed->releaseOccupant();
    bed->setUklizeno(true);
    step();
  }
  // The captions that begin so; `take` removes them once counted.
  int captionShown(const std::string &prefix, bool take = false) {
    int n = 0;
    for (CMapEntity_Game *c : named("BONUSTEXT"))
      if (static_cast<CMapEntity_BonusText *>(c)->text.rfind(prefix, 0) == 0 && !c->getKill()) ++n, c->setKill(take);
    return n;
  }
  void run(int ms) {
    for (int t = 0; t < ms; t += 20) step();
  }

  CMapEntity_PostelClass *bed = nullptr;
  int bedX = 0, bedY = 0;
};

TEST(PlayerPatientRules, FastServiceByCharismaAndTheWalkToTheCabinet) {
  EXPECT_FLOAT_EQ(CCharismaTable::amount(CCharismaTable::kFastService, CCharismaTable::level(0)), 0.35f);
  EXPECT_FLOAT_EQ(CCharismaTable::amount(CCharismaTable::kFastService, CCharismaTable::level(3)), 0.665f);
  EXPECT_FLOAT_EQ(CCharismaTable::amount(CCharismaTable::kFastService, CCharismaTable::level(9)), 0.35f);
  EXPECT_EQ(CPlayerController::walkMs(280.0f, 7.0f, 1.0f), 2857) << "the frame factor cancels out";
  EXPECT_EQ(CPlayerController::walkMs(280.0f, 7.0f, 0.5f), 5714);
}

// Outbreak -> examination -> prescription -> cabinet -> medicine -> bed, as the player plays it;
// a laundry trolley beside the bed does not take the click while she carries no linen.
TEST_F(PlayerPatientTest, AnOutbreakIsExaminedPrescribedMadeUpAtTheCabinetAndBroughtToTheBed) {
  CMapEntity_LekarnaClass *cabinet = addCabinet();
  ASSERT_NE(cabinet, nullptr);
  CMapEntity_Game *trolley = add("VOZIK", (float)(bedX * 32 + 20), (float)(bedY * 32 - 20));
  CMapEntity_PacientClass *p = bedded(kBedOutbreak);
  TPatientState::setMood(p, 0.5f);
  TPatientState::setFastService(p, 30.0f);
  int money = level->getMoney();
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  ASSERT_GT(walkTo(bedX, bedY, 400), 0);
  EXPECT_TRUE(figure()->hits().isCollisionWithEntity(trolley));
  for (int i = 0; i < 5; ++i) step();
  EXPECT_EQ(figure()->workPhase, CPlayerController::kExamining);
  EXPECT_EQ(p->getBedState(), kBedWaitingMedicine);
  EXPECT_FLOAT_EQ(p->getOutbreakCount(), 1.0f);
  EXPECT_NEAR(p->getMood(), 0.85f, 1e-5) << "answered within 3500 ms";
  EXPECT_EQ(p->getHearts(), 5);
  EXPECT_EQ(level->getMoney(), money + 30);
  EXPECT_TRUE(captionShown("FAST SERVICE +30"));
  int wait = p->getMedicineWait();
  EXPECT_GT(wait, 4000 + 5500) << "walk + production + 5500";
  EXPECT_LT(wait, 4000 + 5500 + 10000);
  EXPECT_EQ(figure()->getContainedEntity(kPrescriptionID), nullptr);

  run(1600);
  EXPECT_EQ(figure()->workPhase, CPlayerController::kDeciding);
  CMapEntity_Recept *recept = dynamic_cast<CMapEntity_Recept *>(figure()->getContainedEntity(kPrescriptionID));
  ASSERT_NE(recept, nullptr);
  EXPECT_EQ(recept->bedNumber, bed->getBedNumber());
  EXPECT_TRUE(cabinet->getHighlightOn());

  walkAndWork(cabinet, 40, 40);
  EXPECT_EQ(figure()->getContainedEntity(kPrescriptionID), nullptr);
  EXPECT_FALSE(cabinet->getHighlightOn()) << "the last prescription switches the cabinet off";
  run(4200);
  CMapEntity_Lek *shelf = dynamic_cast<CMapEntity_Lek *>(first("LEK"));
  ASSERT_NE(shelf, nullptr);
  EXPECT_EQ(shelf->bedNumber, bed->getBedNumber());
  EXPECT_EQ(shelf->carrying().getParent(), nullptr);

  click((int)shelf->getX() + 8, (int)shelf->getY() + 8);
  for (int i = 0; i < 400 && !figure()->getContainedEntity(kMedicineID); ++i) step();
  CMapEntity_Lek *carried = dynamic_cast<CMapEntity_Lek *>(figure()->getContainedEntity(kMedicineID));
  ASSERT_NE(carried, nullptr);
  EXPECT_EQ(carried->bedNumber, bed->getBedNumber());
  workAtBed();
  EXPECT_EQ(figure()->getContainedEntity(kMedicineID), nullptr);
  EXPECT_TRUE(p->getBedState() == kBedTakingMedicine || p->getBedState() == kBedFastService);
}

// A germ feeding on a coughing patient: the click on the bed still examines, and the spray in her
// other hand goes off beside it.
TEST_F(PlayerPatientTest, ACoughUnderAFeedingGermIsExaminedWhileTheSprayGoesOff) {
  addCabinet();
  CMapEntity_PacientClass *p = bedded(kBedOutbreak);
  figure()->addEntity(std::string("SPREJ"));
  add("BACILY", (float)(bedX * 32), (float)(bedY * 32));
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  ASSERT_GT(walkTo(bedX, bedY, 400), 0);
  for (int i = 0; i < 5; ++i) step();
  EXPECT_EQ(p->getBedState(), kBedWaitingMedicine) << "examined";
  EXPECT_FALSE(named("SPREJKOUR").empty()) << "sprayed";
}

// A medicine for another bed, or one the patient cannot take, stays in a hand; the game goes on.
TEST_F(PlayerPatientTest, MedicineForAnotherBedOrRefusedStaysInAHand) {
  CMapEntity_PacientClass *p = bedded(kBedWaitingMedicine);
  CMapEntity_Lek *other = medicineFor(99);
  CMapEntity_Lek *own = medicineFor(bed->getBedNumber());
  unsigned short limit = p->carrying().getContainedLimit();
  p->setContainedLimit((unsigned short)(p->carrying().getContainedList().size() - 1));
  workAtBed();
  EXPECT_EQ(figure()->workPhase, CPlayerController::kDeciding);
  EXPECT_TRUE(figure()->getContainedEntity(kMedicineID) != nullptr);
  EXPECT_TRUE(own->carrying().getParent() && other->carrying().getParent());
  EXPECT_EQ(own->carrying().getParent()->carrying().getTopCarrier(), figure()) << "refused: kept";
  EXPECT_TRUE(own->looks().getVisible());
  EXPECT_EQ(p->getBedState(), kBedWaitingMedicine);

  p->setContainedLimit(limit);
  figure()->goalX = figure()->goalY = -1;
  workAtBed();
  EXPECT_NE(p->getBedState(), kBedWaitingMedicine) << "taken";
  EXPECT_EQ(figure()->getContainedEntity(kMedicineID), other) << "the other bed's medicine stays";
  EXPECT_EQ(other->carrying().getParent()->carrying().getTopCarrier(), figure());
}

// No cabinet on the day: the outbreak is left as it is, the figure stays free and nothing ends.
// A patient that goes away during the examination is not followed and gets no prescription.
TEST_F(PlayerPatientTest, NoCabinetGivesUpTheTreatmentAGonePatientGetsNoPrescriptionAndOneInHandSaysItsPatientWent) {
  CMapEntity_PacientClass *p = bedded(kBedOutbreak);
  workAtBed();
  EXPECT_EQ(figure()->workPhase, CPlayerController::kDeciding);
  EXPECT_EQ(p->getBedState(), kBedOutbreak);
  EXPECT_FLOAT_EQ(p->getOutbreakCount(), 0.0f);
  EXPECT_EQ(figure()->getContainedEntity(kPrescriptionID), nullptr);

  addCabinet();
  TPatientState::setBedState(p, kBedOutbreak);
  figure()->goalX = figure()->goalY = -1;
  workAtBed();
  ASSERT_EQ(figure()->workPhase, CPlayerController::kExamining);
  float fx = walker()->savedX, fy = walker()->savedY;
  bed->releaseOccupant();
  p->setKill(true);
  run(1600);
  EXPECT_EQ(figure()->workPhase, CPlayerController::kDeciding);
  EXPECT_EQ(figure()->getContainedEntity(kPrescriptionID), nullptr);
  EXPECT_EQ(walker()->patient, nullptr);
  EXPECT_FLOAT_EQ(figure()->getX(), fx);
  EXPECT_FLOAT_EQ(figure()->getY(), fy);

  // A prescription in her hand whose patient goes: she is told so once.
  freeBed();
  bedded(kBedWaitingMedicine);
  dynamic_cast<CMapEntity_Recept *>(figure()->addEntity(std::string("RECEPT")))->bedNumber = bed->getBedNumber();
  run(200);
  freeBed();
  run(600);
  EXPECT_EQ(captionShown("Bed " + std::to_string(bed->getBedNumber()) + "'s patient has gone"), 1);
}

// With the cure-touch perk an outbreak is healed on the spot and a sleeper's meter drops, but not
// the meter of one whose outbreak has just ended untreated; a cured patient is sent home.
TEST_F(PlayerPatientTest, CureTouchHealsOnTheSpotAndACuredPatientIsSentHome) {
  addCabinet();
  // As the status bar carries it once the perk is bought.
  CMapEntity_PerkIconClass *icon =
      dynamic_cast<CMapEntity_PerkIconClass *>(CMapEntitiesFactory::instance()->cloneEntity("PERKCURETOUCHICON"));
  ASSERT_NE(icon, nullptr);
  first("STATUSBAR")->addEntity(icon, true, true);
  icon->active = 1;
  icon->maxuses = 2;
  icon->uses = 0;
  CMapEntity_PacientClass *p = bedded(kBedOutbreak);
  workAtBed();
  EXPECT_EQ(p->getBedState(), kBedLying);
  EXPECT_EQ(figure()->workPhase, CPlayerController::kDeciding);
  EXPECT_EQ(figure()->getContainedEntity(kPrescriptionID), nullptr);
  EXPECT_TRUE(captionShown("HEALING TOUCH!"));
  EXPECT_EQ(icon->uses, 1);
  EXPECT_GT(CPacientController::lastActivity(), (int32_t)CFakeTime::instance()->ms + 50000);

  // Asleep again because that outbreak ended untreated just now: no touch is spent on it.
  TPatientState::setBedState(p, kBedSleeping);
  TPatientState::setMeterFull(p, 0.9f);
  step();
  EXPECT_EQ(icon->uses, 1) << "spent on a cough that had ended";
  TPatientState::setMissedOutbreakAt(p, (int32_t)CFakeTime::instance()->ms - 5000);
  step();
  EXPECT_NEAR(p->getMeterFull(), 0.65f, 1e-5);
  EXPECT_TRUE(icon->isSpent());
  EXPECT_FALSE(icon->active);

  TPatientState::setBedState(p, kBedGivingMoney);
  figure()->goalX = figure()->goalY = -1;
  workAtBed();
  EXPECT_EQ(p->getPhase() == kPhasePaid || p->getPhase() == kPhaseGone, true);
}

// Clicks on the bed while the patient gets up neither pay again nor keep it from leaving.
TEST_F(PlayerPatientTest, APatientSentHomeIsPaidOnceHoweverOftenItsBedIsClicked) {
  CMapEntity_PacientClass *p = bedded(kBedGivingMoney);
  TPatientState::setMood(p, 0.8f);
  workAtBed();
  ASSERT_TRUE(p->getPhase() == kPhasePaid || p->getPhase() == kPhaseGone);
  const int afterFirst = level->getMoney();
  const int payment = paymentFor(p->getMoney(), p->getMood());
  for (int i = 0; i < 6; ++i) {
    click((int)bed->getX() + 60, (int)bed->getY() + 40);
    run(300);
  }
  run(3000);
  EXPECT_EQ(level->getCured(), 1) << "the patient has left and paid";
  EXPECT_EQ(level->getMoney(), afterFirst + payment) << "only its own payment came on top";
}

// Her two hands: work that needs a free one is refused aloud, at once with nothing of hers ahead and
// on arrival behind a walk; a drink goes to a waving patient before its money is taken; a cabinet
// click right behind an examination hands in the prescription it writes.
TEST_F(PlayerPatientTest, FullHandsSayWhyADrinkGoesBeforeTheMoneyAndQueuedOrdersAreJudgedWhenCarriedOut) {
  CMapEntity_LekarnaClass *cabinet = addCabinet();
  CMapEntity_PacientClass *child = bedded(kBedOutbreak, "DITEPACIENT1");
  CMapEntity *spray = figure()->addEntity(std::string("SPREJ")), *recept = figure()->addEntity(std::string("RECEPT"));
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  EXPECT_TRUE(captionShown("Hands full") && named("OK").empty() && queue()->find(walker(), 0) == -1) << "not refused at once";
  for (CMapEntity_Game *c : named("BONUSTEXT")) c->setKill(true);
  click(660, 420);
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  EXPECT_FALSE(captionShown("Hands full")) << "judged before it was carried out";
  ASSERT_GT(walkTo(bedX, bedY, 400), 0);
  run(200);
  EXPECT_TRUE(captionShown("Hands full") && child->getBedState() == kBedOutbreak) << "no word where she stands";

  freeBed();
  figure()->removeEntity(recept);
  figure()->addEntity(std::string("DRINK"));
  CMapEntity_PacientClass *waving = bedded(kBedGivingMoney);
  TPatientState::setMood(waving, 0.5f);
  workAtBed();
  EXPECT_TRUE(waving->getPhase() == kPhaseInBed && waving->getMood() > 0.5f) << "the drink did not go first";
  workAtBed();
  EXPECT_TRUE(waving->getPhase() == kPhaseGone || waving->getPhase() == kPhasePaid) << "not paid";
  run(3000);
  freeBed();

  figure()->removeEntity(spray);
  bedded(kBedOutbreak);
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  click((int)cabinet->getX() + 40, (int)cabinet->getY() + 40);
  for (int i = 0; i < 1500 && named("LEK").empty(); ++i) step();
  EXPECT_FALSE(named("LEK").empty() || captionShown("No prescription")) << "the prescription was refused";

  // Sent to another outbreak while she examines with one hand free: the prescription fills it, and
  // each of those clicks says so when she gets there.
  freeBed();
  figure()->addEntity(std::string("ODPAD"));
  CMapEntity_PostelClass *other = dynamic_cast<CMapEntity_PostelClass *>(first("POSTEL4"));
  for (int k = 0; k < 2; ++k, std::swap(bed, other)) bedded(kBedOutbreak);
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  for (int i = 0; i < 400 && figure()->workPhase != CPlayerController::kExamining; ++i) step();
  for (int k = 0; k < 3; ++k) click((int)other->getX() + 60, (int)other->getY() + 40);
  int said = 0;
  for (int i = 0; i < 300; ++i, step()) said += captionShown("Hands full", true);
  EXPECT_EQ(said, 3);
}

} // namespace
