#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <random>

#include "events/CMapEntity_Opicka.h"
#include "media/Timer.h"
#include "patients/CPacientController.h"
#include "patients/CPatientLeaving.h"
#include "support/PatientState.h"
#include "support/WalkOrder.h"
#include "ward/PlayerDay.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "world/CMapEntity_TextBox.h"
#include "world/TEntityRef.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/Links.h"

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
    bed->setObsazeno(false);
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
  // A click on a point of the thing's picture where nothing else that takes clicks lies.
  void clickAlone(CMapEntity_Game *e) {
    auto under = [](CMapEntity *o, int x, int y) {
      Frame *f = o->looks().getCurrentFrame();
      Rect b = f ? f->getActionBoundingBox() : Rect{0, 0, 0, 0};
      return x >= (int)o->getX() + b.x && x < (int)o->getX() + b.x + b.w && y >= (int)o->getY() + b.y && y < (int)o->getY() + b.y + b.h;
    };
    Rect a = e->looks().getCurrentFrame()->getActionBoundingBox();
    for (int y = (int)e->getY() + a.y + a.h - 1; y >= (int)e->getY() + a.y; y -= 2)
      for (int x = (int)e->getX() + a.x; x < (int)e->getX() + a.x + a.w; x += 2) {
        bool alone = true;
        for (CMapEntity_Game *o : *level->getEC()->getEntitiesPtr()) {
          CMapEntity *top = o->carrying().getTopCarrier();
          if (o != e && o != figure() && top != e && top != figure() && o->getController() && o->getEntityClassID() != kCursorClass && under(o, x, y))
            alone = false;
        }
        if (alone) return click(x, y);
      }
    ADD_FAILURE() << e->name << " lies under other things everywhere";
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
  EXPECT_EQ(CPlayerPatientWork::walkMs(280.0f, 7.0f, 1.0f), 2857) << "the frame factor cancels out";
  EXPECT_EQ(CPlayerPatientWork::walkMs(280.0f, 7.0f, 0.5f), 5714);
}

// Outbreak -> examination -> prescription -> cabinet -> medicine -> bed, as the player plays it;
// a laundry trolley beside the bed does not take the click while she carries no linen, nor a
// monkey passing over the cabinet the click on it.
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

  // A monkey passing over the cabinet takes no click meant for it.
  CMapEntity_Game *monkey = add("OPICKA", cabinet->getX(), cabinet->getY() - 50);
  dynamic_cast<CMapEntity_Opicka *>(monkey)->stav = CMapEntity_Opicka::kFalling;
  click((int)cabinet->getX() + 40, (int)cabinet->getY() + 40);
  EXPECT_TRUE(first("KURZOR")->hits().isActionCollisionWithEntity(monkey)) << "the monkey was not over the cabinet";
  for (int i = 0; i < 400 && figure()->getContainedEntity(kPrescriptionID); ++i) step();
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
// other hand goes off beside it; a germ clicked that is gone when she comes is said to be gone,
// one she comes to without the spray is said to want it.
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

  // Sent to a germ over the other bed that has flown off when she gets there: she says so, once.
  run(1600);
  figure()->removeEntity(figure()->getContainedEntity(kSprayID));
  for (CMapEntity_Game *g : named("BACILY")) g->setKill(true);
  CMapEntity_Game *other = first("POSTEL4"), *germ = add("BACILY", other->getX() + 100, other->getY() + 30);
  click((int)germ->getX() + 24, (int)germ->getY() + 24);
  germ->setKill(true);
  run(3000);
  EXPECT_EQ(captionShown("The germ flew off"), 1);
  // Sent to a germ that stays, with no spray in hand: she says what she lacks.
  germ = add("BACILY", other->getX() + 100, other->getY() + 30);
  click((int)germ->getX() + 24, (int)germ->getY() + 24);
  run(3000);
  EXPECT_EQ(captionShown("Take the spray first"), 1);
  germ->setKill(true);

  // A cough whose ring runs out as she arrives and starts again a moment later: "Too late!", and
  // the new cough is examined.
  freeBed();
  CMapEntity_PacientClass *again = bedded(kBedOutbreak);
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  ASSERT_GT(walkTo(bedX, bedY, 400), 0);
  TPatientState::setBedState(again, kBedSleeping);
  run(200);
  TPatientState::setBedState(again, kBedOutbreak);
  run(100);
  EXPECT_TRUE(captionShown("Too late!", true) && again->getBedState() == kBedWaitingMedicine) << "she stood by it";

  // Both hands full as she comes: the drink goes first, and the ring runs out before the freed hand
  // examines: "Too late!" all the same.
  run(1600);
  freeBed();
  CMapEntity_PacientClass *late = bedded(kBedOutbreak);
  figure()->removeEntity(figure()->getContainedEntity(kPrescriptionID));
  figure()->addEntity(std::string("DRINK"));
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  for (int i = 0; i < 400 && figure()->getContainedEntityClass(kComfortItemClass); ++i) step();
  TPatientState::setBedState(late, kBedSleeping);
  run(100);
  EXPECT_EQ(captionShown("Too late!", true), 1) << "the ring ran out unsaid";

  // Sent to a cough that ends before she comes, and another has begun when she does: that one is
  // examined, and the first is not told after it.
  freeBed();
  CMapEntity_PacientClass *twice = bedded(kBedOutbreak);
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  TPatientState::setBedState(twice, kBedSleeping);
  TPatientState::setBedState(twice, kBedOutbreak);
  ASSERT_GT(walkTo(bedX, bedY, 400), 0);
  run(1700);
  EXPECT_TRUE(twice->getBedState() == kBedWaitingMedicine && !captionShown("Too late!"));
}

// A medicine for another bed, or one the patient cannot take, stays in a hand; the game goes on.
TEST_F(PlayerPatientTest, MedicineForAnotherBedOrRefusedStaysInAHandAndOneFoundOnArrivingIsGiven) {
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

  // A bottle within reach as she arrives is taken in passing; the arrival it kept gives it.
  freeBed();
  p = bedded(kBedWaitingMedicine);
  click((int)bed->getX() + 60, (int)bed->getY() + 40);
  for (int i = 0; i < 400 && !walker()->arrivedNow(); ++i) step();
  ASSERT_TRUE(walker()->arrivedNow());
  CMapEntity_Lek *found = dynamic_cast<CMapEntity_Lek *>(add("LEK", figure()->getX(), figure()->getY()));
  found->bedNumber = bed->getBedNumber();
  found->setAktivni(true);
  run(200);
  EXPECT_NE(p->getBedState(), kBedWaitingMedicine) << "taken and kept";

  // Of the bottles a click chose within her reach, with one hand free, she takes the nearest (7),
  // which the ward lists neither first nor last.
  figure()->removeEntity(other);
  figure()->addEntity(std::string("TOY"));
  float fx = 0.0f, fy = 0.0f;
  foot(fx, fy);
  for (uint16_t number : {8, 7, 6}) {
    auto *lek = dynamic_cast<CMapEntity_Lek *>(add("LEK", fx - 10.0f + 16.0f * (float)(number - 7), fy - 66.0f));
    lek->bedNumber = number;
    lek->setAktivni(true);
  }
  run(200);
  auto *taken = dynamic_cast<CMapEntity_Lek *>(figure()->getContainedEntity(kMedicineID));
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(taken->bedNumber, 7) << "not the nearest bottle";
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
  float fx = walker()->patientWork().standX(), fy = walker()->patientWork().standY();
  bed->releaseOccupant();
  p->setKill(true);
  run(1600);
  EXPECT_EQ(figure()->workPhase, CPlayerController::kDeciding);
  EXPECT_EQ(figure()->getContainedEntity(kPrescriptionID), nullptr);
  EXPECT_EQ(walker()->patientWork().patientAtHand(), nullptr);
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

// With the cure-touch perk an outbreak is healed on the spot and a clicked sleeper's meter drops,
// one use a touch, but not the meter of one whose outbreak has just ended untreated; a cured
// patient is sent home.
TEST_F(PlayerPatientTest, CureTouchHealsOnTheSpotAndACuredPatientIsSentHome) {
  addCabinet();
  // As the status bar carries it once the perk is bought.
  CMapEntity_PerkIconClass *icon =
      dynamic_cast<CMapEntity_PerkIconClass *>(CMapEntitiesFactory::instance()->cloneEntity("PERKCURETOUCHICON"));
  ASSERT_NE(icon, nullptr);
  first("STATUSBAR")->addEntity(icon, true, true);
  icon->active = 1;
  icon->maxuses = 9;
  icon->uses = 0;
  CMapEntity_PacientClass *p = bedded(kBedOutbreak);
  workAtBed();
  EXPECT_EQ(p->getBedState(), kBedLying);
  EXPECT_EQ(figure()->workPhase, CPlayerController::kDeciding);
  EXPECT_EQ(figure()->getContainedEntity(kPrescriptionID), nullptr);
  EXPECT_TRUE(captionShown("HEALING TOUCH!"));
  EXPECT_EQ(icon->uses, 1);
  EXPECT_GT(CPacientController::lastActivity(), (int32_t)CFakeTime::instance()->ms + 50000);

  // Asleep again because that outbreak ended untreated just now: no touch is spent on it. Standing
  // by the sleeper spends nothing; the next click is one touch, one use.
  TPatientState::setBedState(p, kBedSleeping);
  TPatientState::setMeterFull(p, 0.9f);
  workAtBed();
  EXPECT_EQ(icon->uses, 1) << "spent on a cough that had ended";
  send(K_EVENT_MOUSEDOWN, 2, 400, 300);
  step();
  TPatientState::setMissedOutbreakAt(p, (int32_t)CFakeTime::instance()->ms - 5000);
  run(200);
  EXPECT_EQ(icon->uses, 1) << "spent without a click";
  workAtBed();
  EXPECT_NEAR(p->getMeterFull(), 0.65f, 1e-5);
  EXPECT_EQ(icon->uses, 2) << "not one use a touch";
  icon->maxuses = 2;

  TPatientState::setBedState(p, kBedGivingMoney);
  figure()->goalX = figure()->goalY = -1;
  workAtBed();
  EXPECT_EQ(p->getPhase() == kPhasePaid || p->getPhase() == kPhaseGone, true);
}

// Every two kinds of her work whose things can stand within her reach together: a crowded corner
// puts the trolley, the spray stand, a drink machine, a bottle on the counter and the cabinet
// within her reach at the bed's work spot. Clicked one right after the other, as a person clicks,
// each order is carried out, or refused naming the hand to free where a full hand stops it (the
// second round holds a linen more). Each pair has a day of its own.
TEST_F(PlayerPatientTest, EachOfTwoOrdersWithinReachOfEachOtherIsCarriedOutOrRefusedAloud) {
  CMapEntity_LekarnaClass *cabinet = nullptr;
  CMapEntity_Game *trolley = nullptr, *stand = nullptr, *machine = nullptr, *bottle = nullptr;
  CMapEntity_PerkIconClass *icon = nullptr;
  CMapEntity *spray = nullptr;
  TEntityRef<CMapEntity_PacientClass> p;
  float mood = 0.0f;
  auto patient = [&] { return p.in(level->getEC()); };
  // A drink or toy in her hand goes to the patient first: that click has cheered the patient up.
  auto cheered = [&] { return patient() && !patient()->getKill() && patient()->getMood() > mood; };
  // What a kind needs of the bed: nothing, to be empty, a patient in it, or a patient in that state.
  const int kAny = -1, kEmpty = -2, kPatient = -3;
  // `hand`: its work fills a hand (+1), or empties the one its setting up filled (-1).
  struct TKind {
    const char *name;
    int bedState, hand;
    std::function<void()> set;
    CMapEntity_Game **clicked;
    std::function<bool()> done;
  };
  CMapEntity_Game *bedToo = nullptr;
  const TKind kinds[] = {
      {"linen", kAny, -1, [&] { figure()->addEntity(std::string("ODPAD")); }, &trolley, [&] { return !figure()->getContainedEntity(kRubbishID); }},
      {"spray back", kAny, -1, [&] { stand->dropEntity(spray), figure()->addEntity(spray, false); }, &stand,
       [&] { return stand->CMapEntity::getContainedEntity(kSprayID) == spray; }},
      {"bed", kEmpty, 1, [&] { bed->setUklizeno(false); }, &bedToo, [&] { return bed->isMadeUp(); }},
      {"machine", kAny, 1, [&] { machine->addEntity(CMapEntitiesFactory::instance()->cloneEntity("DRINK"), true, true); },
       &machine, [&] { return !machine->CMapEntity::getContainedEntityClass(kComfortItemClass); }},
      // Taken, a thing is freed and the next new thing may take its memory: checks go by kind.
      {"bottle", kAny, 1, [&] { bottle = add("LEK", 380, 236); }, &bottle,
       [&] {
         for (CMapEntity_Game *e : alive(kMedicineID))
           if (!e->carrying().getParent()) return false;
         return true;
       }},
      {"cough", kBedOutbreak, 1, [] {}, &bedToo, [&] { return patient()->getOutbreakCount() > 0.0f; }},
      {"medicine", kBedWaitingMedicine, -1, [&] { medicineFor(bed->getBedNumber()); }, &bedToo,
       [&] { return patient()->getBedState() != kBedWaitingMedicine; }},
      {"toy", kPatient, -1, [&] { figure()->addEntity(std::string("TOY")); }, &bedToo, [&] { return !figure()->getContainedEntity(kToyID); }},
      {"touch", kBedSleeping, 0, [&] { icon->active = 1, icon->maxuses = 9; }, &bedToo, [&] { return icon->uses > 0 || cheered(); }},
      {"money", kBedGivingMoney, 0, [] {}, &bedToo, [&] { return !patient() || patient()->getPhase() != kPhaseInBed || cheered(); }},
      {"cabinet", kAny, -1, [&] { figure()->addEntity(std::string("RECEPT")); }, (CMapEntity_Game **)&cabinet,
       [&] { return !figure()->getContainedEntity(kPrescriptionID); }},
  };
  int pairs = 0;
  for (int extraLinen = 0; extraLinen < 2; ++extraLinen)
    for (size_t pair = 0; pair < std::size(kinds) * std::size(kinds); ++pair) {
      const TKind &x = kinds[pair / std::size(kinds)], &y = kinds[pair % std::size(kinds)];
      const int a = x.bedState == kAny ? y.bedState : x.bedState, b = x.bedState == kAny ? kAny : y.bedState;
      const int state = a == kPatient && b != kAny ? b : a;
      if (&x == &y || (b != kAny && b != kPatient && state != b) || (state == kEmpty && (a == kPatient || b == kPatient)) ||
          (extraLinen && x.hand < 0 && y.hand < 0))
        continue;
      SCOPED_TRACE(std::string(x.name) + " then " + y.name + (extraLinen ? " holding a linen" : ""));
      ++pairs;
      load("ward_player");
      step();
      bed = dynamic_cast<CMapEntity_PostelClass *>(first("POSTEL1"));
      bedToo = bed;
      trolley = add("VOZIK", 386, 100), stand = add("ANTIV", 364, 170), machine = add("MEDDRINK", 276, 244);
      icon = dynamic_cast<CMapEntity_PerkIconClass *>(CMapEntitiesFactory::instance()->cloneEntity("PERKCURETOUCHICON"));
      first("STATUSBAR")->addEntity(icon, true, true);
      cabinet = addCabinet();
      cabinet->setXY(300, 236);
      spray = stand->CMapEntity::getContainedEntity(kSprayID);
      figure()->setXY(figure()->getX() + 120, figure()->getY());
      p = state == kAny || state == kEmpty ? nullptr : bedded((uint8_t)(state == kPatient ? (int)kBedLying : state));
      x.set();
      y.set();
      if (extraLinen) figure()->addEntity(std::string("ODPAD"));
      run(100);
      mood = patient() ? patient()->getMood() : 0.0f;
      for (CMapEntity_Game *c : named("BONUSTEXT")) c->setKill(true);
      // What a person expects: work that fills a hand is refused while both are full, naming the
      // spray she holds, else the hand freed on her way: at the machine and the bottle the bed and
      // the cabinet beside them before the trolley; a drink or toy she holds goes to a coughing
      // patient first; a prescription goes into the cabinet she passes at the machine and the bottle.
      auto is = [](const TKind &o, const char *name) { return !strcmp(o.name, name); };
      int held = (x.hand < 0) + (y.hand < 0) + extraLinen;
      int treats = is(x, "toy") || is(y, "toy");
      bool sprayHeld = is(x, "spray back") || is(y, "spray back");
      bool prescription = is(x, "cabinet") || is(y, "cabinet"), medicine = is(x, "medicine") || is(y, "medicine");
      std::vector<std::string> want;
      auto expect = [&](const TKind &o, bool onArrival) {
        const bool byCabinet = is(o, "machine") || is(o, "bottle");
        auto handIn = [&] {
          if (byCabinet && prescription) --held, prescription = false;
        };
        if (onArrival) handIn();
        // At her patient's bed one treat she holds goes too: first where the cough needs its hand.
        const bool gives = o.clicked == &bedToo && o.bedState != kEmpty && treats > 0;
        const bool treatFirst = is(o, "cough") && gives && held == 2;
        if (o.hand > 0 && held == 2 && !treatFirst) {
          const char *nearer = prescription ? "hand in the prescription" : medicine ? "give the medicine"
                               : treats && patient() ? (is(x, "toy") || is(y, "toy") ? "give the toy away" : "give the drink away") : nullptr;
          want.push_back(std::string("Hands full: ") + (sprayHeld ? "put the spray back" : byCabinet && nearer ? nearer : "drop the linen"));
          return false;
        }
        held += is(o, "cabinet") ? -(int)prescription : o.hand - (gives && !is(o, "toy"));
        prescription = (prescription && !is(o, "cabinet")) || is(o, "cough");
        treats += is(o, "machine") - gives;
        sprayHeld = sprayHeld && !is(o, "spray back");
        medicine = medicine && !is(o, "medicine");
        handIn();
        return true;
      };
      // The second click is judged at once when the first was refused at once, else on arrival.
      const bool xWanted = expect(x, false), yWanted = expect(y, want.empty());
      clickAlone(*x.clicked);
      clickAlone(*y.clicked);
      std::vector<std::string> said;
      int idle = 0;
      bool xDone = false, yDone = false;
      auto settled = [&] {
        xDone = xDone || x.done(), yDone = yDone || y.done();
        for (CMapEntity_Game *c : named("BONUSTEXT"))
          if (static_cast<CMapEntity_BonusText *>(c)->warning) said.push_back(static_cast<CMapEntity_BonusText *>(c)->text), c->setKill(true);
        // Idle a moment: what her last work changed has shown.
        idle = figure()->workPhase == CPlayerController::kDeciding && queue()->find(walker(), 0) < 0 && !walker()->arrivedNow() ? idle + 1 : 0;
        return idle > 5 && ((xDone && yDone) || idle > 25);
      };
      for (int i = 0; i < 400 && !settled(); ++i) step();
      EXPECT_EQ(xDone, xWanted) << x.name;
      EXPECT_EQ(yDone, yWanted) << y.name;
      EXPECT_EQ(said, want);
      EXPECT_EQ(figure()->getContainedEntityClass(kComfortItemClass) != nullptr, treats > 0) << "the treat she holds";
    }
  EXPECT_EQ(pairs, 156);
}

// A cured patient pays at the click that sends it home, once however often its bed is clicked
// while it gets up; the second sent home in a row is a step of her chain and pays its bonus. A
// collect clicked behind a cough at the other bed is carried out, though the spray stand drawn over
// the bed reaches over the patient.
TEST_F(PlayerPatientTest, APatientSentHomePaysAtTheClickOnceAndIsAStepOfTheChain) {
  for (int k = 0; k < 2; ++k) {
    freeBed();
    CMapEntity_PacientClass *p = bedded(kBedGivingMoney);
    const int before = level->getMoney(), payment = paymentFor(p->getMoney(), p->getMood());
    workAtBed();
    const int bonus = level->getMoney() - before - payment;
    EXPECT_TRUE(captionShown("CASH +" + std::to_string(payment)) && level->getCured() == k + 1) << "not paid at once";
    EXPECT_EQ(walker()->chain().count, k + 1);
    EXPECT_EQ(bonus > 0 && captionShown("CASH +" + std::to_string(bonus)), k == 1) << "no chain bonus";
    for (int i = 0; i < 6; ++i) click((int)bed->getX() + 60, (int)bed->getY() + 40), run(300);
    EXPECT_EQ(level->getMoney(), before + payment + bonus) << "paid again";
  }

  addCabinet();
  while (CMapEntity *linen = figure()->getContainedEntity(kRubbishID)) figure()->removeEntity(linen);
  freeBed();
  CMapEntity_PacientClass *waving = bedded(kBedGivingMoney);
  CMapEntity_Game *stand = add("ANTIV", waving->getX() - 14, waving->getY() - 66);
  stand->setSortZ(2, false);
  step();
  CMapEntity *spray = stand->CMapEntity::getContainedEntity(kSprayID);
  stand->dropEntity(spray);
  figure()->addEntity(spray, false);
  CMapEntity_PostelClass *other = dynamic_cast<CMapEntity_PostelClass *>(first("POSTEL4"));
  std::swap(bed, other);
  CMapEntity_PacientClass *coughing = bedded(kBedOutbreak);
  std::swap(bed, other);
  click((int)coughing->getX() + 20, (int)coughing->getY() + 30);
  click((int)waving->getX() + 20, (int)waving->getY() + 10);
  EXPECT_TRUE(first("KURZOR")->hits().isActionCollisionWithEntity(stand)) << "the stand was not under the click";
  for (int i = 0; i < 600 && waving->getPhase() == kPhaseInBed; ++i) step();
  EXPECT_TRUE(coughing->getBedState() == kBedWaitingMedicine && waving->getPhase() != kPhaseInBed) << "dropped";
  EXPECT_EQ(spray->carrying().getTopCarrier(), figure()) << "the spray went back";
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
  EXPECT_TRUE(waving->getMood() > 0.5f && !figure()->getContainedEntityClass(kComfortItemClass)) << "the drink did not go first";
  EXPECT_TRUE(waving->getPhase() == kPhaseGone || waving->getPhase() == kPhasePaid) << "not paid on the same click";
  run(3000);
  freeBed();


  figure()->removeEntity(spray);
  // A treat held with a hand free at a cough goes right after the examination, not kept.
  figure()->addEntity(std::string("TOY"));
  CMapEntity_PacientClass *examined = bedded(kBedOutbreak);
  workAtBed();
  EXPECT_TRUE(examined->getBedState() == kBedWaitingMedicine && figure()->getContainedEntity(kToyID)) << "not examined first";
  run(1600);
  EXPECT_TRUE(figure()->getContainedEntity(kPrescriptionID) && !figure()->getContainedEntity(kToyID)) << "the toy was kept";
  figure()->removeEntity(figure()->getContainedEntity(kPrescriptionID));
  freeBed();
  // Both hands hold treats at a cough: one goes to the patient and the hand it frees examines.
  figure()->addEntity(std::string("GREENDRINK"));
  figure()->addEntity(std::string("DRINK"));
  CMapEntity_PacientClass *treated = bedded(kBedOutbreak);
  workAtBed();
  EXPECT_EQ(treated->getBedState(), kBedWaitingMedicine) << "a treat swallowed the cough";
  run(1600);
  while (CMapEntity *item = figure()->getContainedEntityClass(kComfortItemClass)) figure()->removeEntity(item);
  figure()->removeEntity(figure()->getContainedEntity(kPrescriptionID));
  freeBed();

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

  // Stopped by a right click on her way with the spray and the linen: a click on a cough is refused
  // naming the hand to free, the click on the stand right after it is carried out, and so is a
  // click on a cough right after the next right click.
  run(1600);
  for (CMapEntity *item : {figure()->getContainedEntity(kPrescriptionID), figure()->getContainedEntity(kRubbishID)})
    figure()->removeEntity(item);
  CMapEntity_Game *stand = first("ANTIV");
  CMapEntity *standSpray = stand->CMapEntity::getContainedEntity(kSprayID);
  stand->dropEntity(standSpray);
  figure()->addEntity(standSpray, false);
  figure()->addEntity(std::string("ODPAD"));
  for (int k = 0; k < 2; ++k) {
    freeBed();
    CMapEntity_PacientClass *coughing = bedded(kBedOutbreak);
    click(660, 420);
    run(100);
    send(K_EVENT_MOUSEDOWN, 2, 400, 300);
    click((int)bed->getX() + 60, (int)bed->getY() + 40);
    if (k == 0) {
      EXPECT_EQ(captionShown("Hands full: put the spray back"), 1);
      click((int)stand->getX() + 34, (int)stand->getY() + 40);
      for (int i = 0; i < 400 && figure()->getContainedEntity(kSprayID); ++i) step();
      EXPECT_EQ(stand->CMapEntity::getContainedEntity(kSprayID), standSpray) << "the spray stayed in her hand";
    } else {
      for (int i = 0; i < 400 && coughing->getBedState() == kBedOutbreak; ++i) step();
      EXPECT_EQ(coughing->getBedState(), kBedWaitingMedicine) << "the cough was not examined";
    }
  }

  // With the spray and the linen, or the spray and a prescription, she names the hand freed on her
  // way to the cough: the linen at the trolley, or a few steps from it with the stand far off or
  // beside the coughing patient; the prescription with the cabinet between her and the cough.
  run(1600);
  figure()->removeEntity(figure()->getContainedEntity(kPrescriptionID));
  stand->dropEntity(standSpray);
  figure()->addEntity(standSpray, false);
  int tx = 0, ty = 0;
  workTile(first("VOZIK"), tx, ty);
  const struct {
    int tx, ty;
    const char *words;
  } places[] = {{tx, ty, "drop the linen"}, {tx - 4, ty, "drop the linen"}, {tx - 3, ty, "drop the linen"},
                {5, 16, "hand in the prescription"}};
  for (const auto &at : places) {
    if (&at == &places[2]) stand->setXY(bed->getX() + 150, bed->getY() - 20);
    if (at.words[0] == 'h') figure()->removeEntity(figure()->getContainedEntity(kRubbishID)), figure()->addEntity(std::string("RECEPT"));
    standOnTile(figure(), at.tx, at.ty);
    freeBed();
    bedded(kBedOutbreak);
    click((int)bed->getX() + 60, (int)bed->getY() + 40);
    EXPECT_EQ(captionShown(std::string("Hands full: ") + at.words, true), 1) << at.tx << "," << at.ty;
    stand->setXY(40, 100);
  }

  // A bottle by the cabinet, the stand a little nearer her than both: the prescription is handed in
  // where she goes.
  CMapEntity_Game *bottle = add("LEK", 0, 0);
  bottle->setAktivni(true);
  // Where she works at it, as in the tiles of a ward: at its approach, else the middle of its click box.
  auto workAt = [](CMapEntity_Game *e, float x, float y) {
    const Rect box = e->looks().getCurrentFrame()->getActionBoundingBox();
    if (e->approachX || e->approachY) e->setXY(x - (float)e->approachX, y - (float)e->approachY);
    else e->setXY(x - (float)box.x - (float)box.w * 0.5f, y - (float)box.y - (float)box.h * 0.5f);
  };
  standOnTile(figure(), 12, 12);
  workAt(stand, 360, 230);
  workAt(cabinet, 175, 240);
  workAt(bottle, 115, 200);
  clickAlone(bottle);
  EXPECT_EQ(captionShown("Hands full: hand in the prescription", true), 1);
}

// Seeded rounds of what a hurried player clicks around coughs on hard day 24: bursts of clicks on
// the coughing patients and their beds, other beds, bottles, the cabinet, the trolley, the stand,
// the machines and the floor, some after a right click, her hands holding anything. Every order to
// a coughing patient she took ends in its examination or in her words, however many went before.
TEST_F(PlayerPatientTest, EveryAcceptedCoughOrderEndsInAnExaminationOrInWords) {
#ifdef NDEBUG
  const unsigned kRounds = 120;
#else
  const unsigned kRounds = 6;
#endif
  const char *items[] = {"", "", "SPREJ", "ODPAD", "RECEPT", "LEK", "DRINK", "TOY"};
  struct TOrder {
    uint32_t number;
    TEntityRef<CMapEntity_PacientClass> patient;
    float examined;
    bool head, said;
  };
  int orders = 0;
  // As the game starts it: the patients' healing and losses are divided by it.
  engineObj.setDifficultyFactor(0.85f);
  for (unsigned round = 0; round < kRounds; ++round) {
    std::mt19937 pick(round);
    auto any = [&](const std::vector<CMapEntity_Game *> &v) { return v.empty() ? nullptr : v[pick() % v.size()]; };
    CGameOptions::instance()->nastavObtiznost(2);
    load("day24");
    closeNotebook();
    TLink<CCustomerGeneratorLink>::get()->setCustomerCount(level->getGenerator(), 0);
    std::vector<CMapEntity_Game *> beds, things;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) {
      const uint32_t cls = e->getEntityClassID();
      if (cls == kBedClass) beds.push_back(e);
      if (cls == kCabinetClass || cls == kTrolleyClass || cls == kDispenserClass || e->getEntityID() == kSprayStandID) things.push_back(e);
    }
    std::vector<TEntityRef<CMapEntity_PacientClass>> laid;
    for (CMapEntity_Game *b : beds) {
      (bed = dynamic_cast<CMapEntity_PostelClass *>(b))->setUklizeno(true);
      CMapEntity_PacientClass *p = pick() % 5 ? bedded(pick() % 2 ? kBedSleeping : kBedLying) : nullptr;
      if (p) TPatientState::setOutbreakPeriod(p, 3000), laid.push_back(p);
    }
    for (const char *name : {items[pick() % 8], items[pick() % 8]})
      if (CMapEntity *item = *name ? figure()->addEntity(std::string(name)) : nullptr) {
        if (CMapEntity_Lek *l = dynamic_cast<CMapEntity_Lek *>(item)) l->bedNumber = (uint16_t)(1 + pick() % 5);
        if (CMapEntity_Recept *r = dynamic_cast<CMapEntity_Recept *>(item)) r->bedNumber = (uint16_t)(1 + pick() % 5);
      }
    // Her walk orders by number, first first.
    auto mine = [&] {
      std::vector<uint32_t> out;
      for (const akce *a : queue()->getFronta())
        if (a->controller == walker() && a->id == 0) out.push_back(*static_cast<uint32_t *>(a->params[3]));
      return out;
    };
    std::vector<TOrder> open;
    for (int frame = 0, burst = 0; frame < 1800; ++frame) {
      step();
      const std::vector<uint32_t> now = mine();
      bool words = false;
      for (CMapEntity_Game *c : named("BONUSTEXT"))
        if (static_cast<CMapEntity_BonusText *>(c)->warning) words = true, c->setKill(true);
      for (auto it = open.begin(); it != open.end();) {
        CMapEntity_PacientClass *p = it->patient.in(level->getEC());
        it->head = it->head || (!now.empty() && now.front() == it->number);
        it->said = it->said || (it->head && words);
        const bool stays = p && !p->getKill() && p->getPhase() == kPhaseInBed;
        if (stays && std::find(now.begin(), now.end(), it->number) != now.end()) {
          ++it;
          continue;
        }
        orders += stays;
        EXPECT_TRUE(!stays || it->said || p->getOutbreakCount() > it->examined) << "round " << round << ", order " << it->number;
        it = open.erase(it);
      }
      std::vector<CMapEntity_Game *> coughing, resting;
      for (const TEntityRef<CMapEntity_PacientClass> &ref : laid)
        if (CMapEntity_PacientClass *p = ref.in(level->getEC()); p && p->getPhase() == kPhaseInBed)
          (p->getBedState() == kBedOutbreak ? coughing : resting).push_back(p);
      // A cough often, as on a busy ward: the pacing let go of for one patient at rest.
      if (CMapEntity_Game *p = pick() % 40 ? nullptr : any(resting)) {
        TPatientState::setLastOutbreak((int32_t)CFakeTime::instance()->ms - 10000);
        TPatientState::setOutbreakMark(static_cast<CMapEntity_PacientClass *>(p), (int32_t)CFakeTime::instance()->ms - 20000);
      }
      if (burst == 0 && pick() % 60 == 0) {
        burst = 1 + (int)(pick() % 4);
        if (pick() % 5 == 0) press(400, 300, 2), open.clear();
      }
      if (burst == 0 || pick() % 8) continue;
      --burst;
      const unsigned kind = pick() % 10;
      CMapEntity_Game *target = kind < 4 ? any(coughing) : kind < 6 ? any(beds) : kind < 7 ? any(alive(kMedicineID)) : kind < 9 ? any(things) : nullptr;
      // A coughing patient is clicked on, or on its bed.
      CMapEntity_PacientClass *cough = kind < 4 ? static_cast<CMapEntity_PacientClass *>(target) : nullptr;
      const TOrder order{0, cough, cough ? cough->getOutbreakCount() : 0.0f, false, false};
      if (cough && pick() % 2) target = cough->getBed();
      const Frame *f = target ? target->looks().getCurrentFrame() : nullptr;
      const Rect a = f ? f->getActionBoundingBox() : Rect{20, 20, 760, 500};
      const size_t before = mine().size();
      press((target ? (int)target->getX() : 0) + a.x + (int)(pick() % (unsigned)std::max(1, a.w)),
            (target ? (int)target->getY() : 0) + a.y + (int)(pick() % (unsigned)std::max(1, a.h)));
      if (cough && mine().size() > before) open.push_back(order), open.back().number = mine().back();
    }
  }
  EXPECT_GT(orders, (int)kRounds * 3) << "too few cough orders to tell";
}

} // namespace
