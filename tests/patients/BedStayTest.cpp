#include <gtest/gtest.h>
#include <tinyxml.h>

#include <set>
#include <string>
#include <vector>

#include "media/CFakeTime.h"
#include "media/Timer.h"
#include "patients/CMapEntity_ObtiznostAdjuster.h"
#include "patients/CMapEntity_Rodice.h"
#include "patients/CObtiznostAdjusterController.h"
#include "patients/CPacientController.h"
#include "patients/CPatientLeaving.h"
#include "patients/CRodiceController.h"
#include "patients/CRodiceGeneratorController.h"
#include "progress/HudDay.h"
#include "support/PatientState.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "world/CCaption.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CWorkLeft.h"
#include "world/TEntityRef.h"
#include "world/kinds/CMapEntity_NemocnejBacily.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

namespace {

class BedDay : public ::testing::Test, public HudDay {
protected:
  void SetUp() override {
    setUpDay(true);
    engineObj.setDifficulty(0.85f, 125, 106.25f);
  }
  void TearDown() override { tearDownDay(); }

  void loadWard(const char *name = "ward_demo") {
    GameDayScratch::load(name);
    closeNotebook();
    // The beds arrive in their carriers first; the working copies replace them.
    for (int t = 0; t < 20000 && !bedsInPlace(); t += 20) step();
    ASSERT_TRUE(bedsInPlace());
  }

  bool bedsInPlace() {
    std::vector<CMapEntity_PostelClass *> all = beds();
    if (all.size() < 2) return false;
    for (CMapEntity_PostelClass *b : all)
      if (b->carrying().getParent()) return false;
    return true;
  }

  std::vector<CMapEntity_PostelClass *> beds() {
    std::vector<CMapEntity_PostelClass *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e))
        if (b->getEntityClassID() == 13) out.push_back(b);
    return out;
  }

  // A bound patient lying in the bed in the given sub-state, as the bench's drop leaves it.
  CMapEntity_PacientClass *bedded(CMapEntity_PostelClass *bed, uint8_t state) {
    CMapEntity_PacientClass *p =
        dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity("PACIENT1"));
    level->getEC()->addEntity(p);
    step();
    EXPECT_TRUE(bed->ulozPacienta(p, p->getColour()) > 0);
    TPatientState::inBed(p, bed, state);
    p->addEntity(CMapEntitiesFactory::instance()->cloneEntity("BAR"), true, true);
    return p;
  }

  CPacientController *behaviour(CMapEntity_PacientClass *p) { return dynamic_cast<CPacientController *>(p->getController()); }

  void run(int ms) {
    for (int t = 0; t < ms; t += 20) step();
  }
};

TEST(Payment, MoneyTimes150TimesMoodTruncated) {
  EXPECT_EQ(paymentFor(0.5f, 1.0f), 75);
  EXPECT_EQ(paymentFor(0.5f, 0.65f), 48);
  EXPECT_EQ(paymentFor(0.5f, 0.0f), 0);
}

TEST(Difficulty, LeaversFoldInWeighedAndTheFactorStaysInItsBounds) {
  TDifficulty d;
  foldLeaver(d, 1.0f);
  EXPECT_EQ(d.samples, 126);
  EXPECT_FLOAT_EQ(d.sum, 106.25f + 1.7f);
  EXPECT_FLOAT_EQ(d.factor, 0.85f) << "about 1.008, clamped to the top";
  TDifficulty lost;
  foldLeaver(lost, 0.0f);
  EXPECT_EQ(lost.samples, 129) << "a lost patient weighs four";
  EXPECT_FLOAT_EQ(lost.factor, 0.85f);
  for (int i = 0; i < 60; ++i) foldLeaver(lost, 0.0f);
  EXPECT_FLOAT_EQ(lost.factor, 0.62f) << "many losses settle at the bottom";
  TDifficulty mid;
  mid.samples = 100;
  mid.sum = 60.0f;
  foldLeaver(mid, 0.5f);
  EXPECT_NEAR(mid.factor, (60.0f + 0.85f) / 101.0f / 0.85f, 1e-6);
}

TEST_F(BedDay, ACuredPatientFreesItsBedAtOncePaysByMoodAndTheAdjusterCountsItOnce) {
  loadWard();
  CMapEntity_PostelClass *bed = beds()[0];
  CMapEntity_PacientClass *p = bedded(bed, kBedLying);
  TPatientState::setMeterFull(p, 0.0f);
  TPatientState::setMood(p, 0.65f);
  p->setMoney(0.5f);
  step();
  EXPECT_EQ(p->getBedState(), kBedGivingMoney) << "an empty meter cures";
  const int money = level->getMoney(), inCare = level->workLeft().patients();
  TPatientState::setPhase(p, kPhasePaid);
  step();
  EXPECT_EQ(p->getPhase(), kPhaseGone);
  EXPECT_EQ(bed->getOccupant(), nullptr) << "the bed forgets its patient as it climbs out";
  EXPECT_FALSE(bed->isOccupied());
  EXPECT_FALSE(bed->isMadeUp());
  EXPECT_EQ(level->getMoney(), money + 48) << "paid as it gets up";
  EXPECT_EQ(level->getCured(), 1);
  EXPECT_TRUE(captionShown("CASH +48"));
  EXPECT_EQ(level->workLeft().patients(), inCare - 1) << "counted in care while it walks out";
  const TEntityRef<CMapEntity_Game> leaving(p);
  run(2100);
  EXPECT_TRUE(!leaving.in(level->getEC()) || p->getKill()) << "still in the ward";
  EXPECT_FLOAT_EQ(engineObj.getDifficultyFactor(), 0.85f);
  EXPECT_EQ(engineObj.getDifficultySamples(), 126) << "counted once while it was gone";

  // Mood 0 in bed: out unpaid and counted lost.
  CMapEntity_PacientClass *q = bedded(beds()[1], kBedGivingMoney);
  TPatientState::setMood(q, 0.0f);
  run(2100);
  EXPECT_EQ(level->getLost(), 1);
  EXPECT_EQ(level->getMoney(), money + 48);
}

TEST_F(BedDay, OutbreaksKeepTheirSpacingAndTheCureTouchHoldsThemOffSigned) {
  loadWard();
  int32_t delay = level->getOutbreakDelay();
  CMapEntity_PacientClass *a = bedded(beds()[0], kBedLying);
  CMapEntity_PacientClass *b = bedded(beds()[1], kBedLying);
  for (CMapEntity_PacientClass *x : {a, b}) {
    TPatientState::setMeterFull(x, 1.0f);
    x->setRecoverySpeed(0.05f);
    x->setPatience(0.0f);
  }
  TPatientState::setOutbreakPeriod(a, 1000000);
  TPatientState::setOutbreakPeriod(b, 1000000);
  TPatientState::setLastOutbreak(0);
  // The cure touch set the activity a minute ahead: inactivity never triggers until then.
  TPatientState::setLastActivity((int32_t)CFakeTime_instance->ms + 60000);
  for (CMapEntity_PacientClass *x : {a, b}) TPatientState::setOutbreakMark(x, (int32_t)CFakeTime_instance->ms - 2 * delay - 1);
  run(20000);
  EXPECT_EQ(a->getBedState(), kBedLying);
  EXPECT_EQ(b->getBedState(), kBedLying);
  // The hold is the day's own: the next day starts without it.
  CPacientController::startDay();
  EXPECT_LT(CPacientController::lastActivity(), (int32_t)CFakeTime_instance->ms - 5500);
  // Left alone past 5500 ms / factor: one breaks out, the other only moves its own mark.
  TPatientState::setLastActivity((int32_t)CFakeTime_instance->ms - 7000);
  step();
  int out = (a->getBedState() == kBedOutbreak) + (b->getBedState() == kBedOutbreak);
  EXPECT_EQ(out, 1);
  CMapEntity_PacientClass *ill = a->getBedState() == kBedOutbreak ? a : b;
  EXPECT_EQ(ill->getBed()->getContainedEntity(248)->looks().getAlpha(), 1.0f) << "the red light is on";
  // Untreated for 6500 ms: mood falls, the meter goes back and the patient sleeps again.
  float mood = ill->getMood(), meter = ill->getMeterFull();
  TPatientState::setMeterFull(ill, meter = 0.5f);
  run(6600);
  EXPECT_EQ(ill->getBedState(), kBedSleeping);
  EXPECT_LT(ill->getMood(), mood);
  EXPECT_GT(ill->getMeterFull(), meter);
}

// The first working days forgive one missed outbreak: a patient of any species they bring, at full
// hearts, that then waits on the bench as long as day 2's arrivals are apart (30 s, at the hardest
// the ward gets) and misses its first outbreak in bed, stays in its bed.
TEST_F(BedDay, OnTheFirstDaysAPatientAtFullHeartsSurvivesAMissedOutbreak) {
  std::set<std::string> species;
  for (const char *day : {"ward_day2", "day03", "day04"}) {
    TiXmlDocument defs((std::string(TOB_BINARY_DIR) + "/data/maps/medium/" + day + "_defs.xml").c_str());
    ASSERT_TRUE(defs.LoadFile()) << day;
    for (TiXmlElement *e = defs.FirstChildElement("leveldef")->FirstChildElement("pacient"); e; e = e->NextSiblingElement("pacient"))
      species.insert(e->Attribute("name"));
  }
  ASSERT_GE(species.size(), 4u);
  loadWard("ward_day2");
  CMapEntity_PostelClass *bed = beds()[0];
  for (const std::string &name : species) {
    SCOPED_TRACE(name);
    CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity(name));
    ASSERT_NE(p, nullptr);
    level->getEC()->addEntity(p);
    TPatientState::setMood(p, 0.8f);
    TPatientState::setPhase(p, kPhaseOnCouch);
    for (int t = 0; t < 30000 && p->getPhase() == kPhaseOnCouch; t += 20) step();
    ASSERT_EQ(p->getPhase(), kPhaseOnCouch) << "lost on the bench";
    ASSERT_TRUE(bed->ulozPacienta(p, p->getColour()) > 0);
    TPatientState::inBed(p, bed, kBedLying);
    TPatientState::setOutbreakPeriod(p, 10000000);
    behaviour(p)->startOutbreak();
    for (int t = 0; t < 7000 && p->getPhase() == kPhaseInBed; t += 20) step();
    EXPECT_EQ(p->getPhase(), kPhaseInBed) << "lost to one missed outbreak";
    EXPECT_EQ(p->getBedState(), kBedSleeping);
    EXPECT_TRUE(p->takeMissedOutbreakSince(0)) << "the miss is not noted for the figure's word";
    EXPECT_FALSE(p->takeMissedOutbreakSince(0)) << "the word is said once";
    EXPECT_GT(p->getMood(), 0.0f);
    bed->vylozPacienta();
    bed->setUklizeno(true);
    p->setKill(true);
    step();
  }
}

TEST_F(BedDay, MedicineInTimeIsFastServiceAndDrinkingLowersTheMeter) {
  loadWard();
  CMapEntity_PacientClass *p = bedded(beds()[0], kBedWaitingMedicine);
  TPatientState::setMeterFull(p, 0.5f);
  TPatientState::setMood(p, 0.5f);
  p->setRecoverySpeed(0.5f);
  p->startMedicineWait(p->getMedicineWait());
  CMapEntity_Game *lek = CMapEntitiesFactory::instance()->cloneEntity("LEK");
  p->addEntity(lek, true, true);
  int money = level->getMoney();
  step();
  EXPECT_EQ(p->getBedState(), kBedFastService);
  EXPECT_EQ(level->getMoney(), money + 50);
  EXPECT_TRUE(captionShown("FAST SERVICE +50"));
  EXPECT_NEAR(p->getMood(), 0.85f, 1e-5);
  run(2000);
  EXPECT_EQ(p->getBedState(), kBedTakingMedicine);
  run(3000);
  EXPECT_EQ(p->getBedState(), kBedLying);
  EXPECT_NEAR(p->getMeterFull(), 0.5f - 0.06f / 0.85f, 1e-4) << "one dose; nothing else heals while thanking and drinking";
  EXPECT_EQ(p->getContainedEntity(46), nullptr);
}

TEST_F(BedDay, ARunawayLeavesItsBedWhenItsTimerRunsAndAHeldPatientReturnsToItsPhase) {
  loadWard();
  CMapEntity_PostelClass *bed = beds()[0];
  CMapEntity_PacientClass *p = bedded(bed, kBedLying);
  TPatientState::setMeterFull(p, 1.0f);
  p->setRecoverySpeed(0.0f);
  p->setTormentor(p);
  step();
  EXPECT_EQ(p->getPhase(), kPhaseHeld);
  p->setTormentor(nullptr);
  step();
  EXPECT_EQ(p->getPhase(), kPhaseInBed) << "let go, it is back in bed";

  p->setRunsAway(true);
  p->setRunAwayPeriod(500);
  p->restartRunAwayClock();
  run(300);
  EXPECT_EQ(p->getPhase(), kPhaseInBed);
  run(400);
  ASSERT_EQ(p->getPhase(), kPhaseRunning);
  EXPECT_EQ(p->getX(), 325.0f);
  int money = level->getMoney();
  const TEntityRef<CMapEntity_Game> running(p);
  run(20000);
  EXPECT_FALSE(running.in(level->getEC())) << "ran off the bottom of the screen";
  EXPECT_EQ(bed->getOccupant(), nullptr);
  EXPECT_EQ(level->getMoney(), money);
}

TEST_F(BedDay, AGermCloudSaddensAnotherPatientOnceButNeverItsSource) {
  loadWard();
  CMapEntity_PacientClass *a = bedded(beds()[0], kBedLying);
  CMapEntity_PacientClass *b = bedded(beds()[1], kBedLying);
  for (CMapEntity_PacientClass *x : {a, b}) {
    TPatientState::setMeterFull(x, 1.0f);
    x->setRecoverySpeed(0.0f);
    TPatientState::setMood(x, 0.8f);
  }
  step();
  auto cloudOn = [&](CMapEntity_PacientClass *on, CMapEntity_PacientClass *from) {
    CMapEntity_NemocnejBacily *c =
        dynamic_cast<CMapEntity_NemocnejBacily *>(CMapEntitiesFactory::instance()->cloneEntity("NEMOCNEJBACILY"));
    c->source = from;
    c->setXY(on->getX(), on->getY());
    level->getEC()->addEntity(c);
    return c;
  };
  CMapEntity_NemocnejBacily *own = cloudOn(a, a);
  step();
  EXPECT_FALSE(own->getKill()) << "a patient is not harmed by its own cough";
  EXPECT_FLOAT_EQ(a->getMood(), 0.8f);
  own->setKill(true);
  step();

  const TEntityRef<CMapEntity_Game> c(cloudOn(b, a));
  step();
  EXPECT_FALSE(c.in(level->getEC())) << "the cloud is used up on contact";
  EXPECT_LT(b->getMood(), 0.8f);
  float mood = b->getMood();
  cloudOn(b, a);
  step();
  EXPECT_FLOAT_EQ(b->getMood(), mood) << "a second cloud during the flash does nothing";
}

TEST_F(BedDay, CabinetsLayMedicineOnTheirShelfOrTheirRow) {
  loadWard();
  CMapEntity_LekarnaClass *left = dynamic_cast<CMapEntity_LekarnaClass *>(CMapEntitiesFactory::instance()->cloneEntity("LEKARNA"));
  CMapEntity_LekarnaClass *four = dynamic_cast<CMapEntity_LekarnaClass *>(CMapEntitiesFactory::instance()->cloneEntity("LEKARNA4"));
  ASSERT_TRUE(left && four);
  left->setXY(400, 300);
  four->setXY(300, 40);
  EXPECT_EQ(left->placeFor(3).x, 400 - 150 + 51);
  EXPECT_EQ(left->placeFor(3).y, 287);
  EXPECT_EQ(four->placeFor(1).x, 350);
  EXPECT_EQ(four->placeFor(9).x, 300 + 20 + 153);
  EXPECT_EQ(four->placeFor(0).y, 30);
  EXPECT_NE(four->getHighlight(), nullptr);
  // Their auras went into the level with them.
  level->getEC()->addEntity(left);
  level->getEC()->addEntity(four);

  // A prescription handed in comes out as medicine for that bed 4000 ms of game time later; two
  // made one after the other are counted by one caption, which leaves the other captions be.
  CMapEntity_Game *cabinet = level->getEC()->getFirstEntityByClassID(19);
  ASSERT_NE(cabinet, nullptr);
  for (uint16_t bed : {2, 3}) {
    CMapEntity_Recept *r = dynamic_cast<CMapEntity_Recept *>(CMapEntitiesFactory::instance()->cloneEntity("RECEPT"));
    r->bedNumber = bed;
    cabinet->addEntity(r, true, true);
    step();
  }
  auto made = [&]() -> CMapEntity_Lek * {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_Lek *l = dynamic_cast<CMapEntity_Lek *>(e)) return l;
    return nullptr;
  };
  run(3900);
  EXPECT_EQ(made(), nullptr);
  CCaption::show(level->getEC(), 100, 300, "CASH +50", TCaptionKind::Plain);
  for (int t = 0; t < 200 && !made(); t += 20) step();
  CMapEntity_Lek *lek = made();
  ASSERT_NE(lek, nullptr);
  EXPECT_EQ(lek->bedNumber, 2);
  step();
  step();
  std::multiset<std::string> said;
  for (CMapEntity_Game *e : named("BONUSTEXT"))
    if (!e->getKill()) said.insert(static_cast<CMapEntity_BonusText *>(e)->text);
  EXPECT_EQ(said, (std::multiset<std::string>{"CASH +50", "2 medicines ready!"}));
  // Nobody in bed 2 waits for it: the medicine goes.
  run(60);
  EXPECT_EQ(made(), nullptr);
}

TEST_F(BedDay, ParentsSaddenOnTheFakeClockAndTheGeneratorStartsAtLevel25) {
  EXPECT_EQ(parentsPerRoundFor(24), 0);
  EXPECT_EQ(parentsPerRoundFor(25), 1);
  EXPECT_EQ(parentsPerRoundFor(31), 2);
  engineObj.setSoucasnyLevel(25);
  loadWard("ward_parents");
  CMapEntity_PostelClass *bed = beds()[0];
  CMapEntity_PacientClass *p = bedded(bed, kBedSleeping);
  TPatientState::setMood(p, 0.9f);
  TPatientState::setOutbreakPeriod(p, 1000000);
  TPatientState::setLastActivity((int32_t)CFakeTime_instance->ms + 1000000);
  run(36100);
  CMapEntity_RodiceClass *parents = dynamic_cast<CMapEntity_RodiceClass *>(level->getEC()->getFirstEntityByClassID(23));
  ASSERT_NE(parents, nullptr) << "one set of parents after 36000 ms";
  EXPECT_EQ(parents->wantedBed, bed->getBedNumber());
  EXPECT_FLOAT_EQ(parents->getX(), 720.0f);
  float mood = p->getMood();
  run(9100);
  EXPECT_NEAR(p->getMood(), mood - 0.08f, 1e-5) << "waiting parents take 0.08 after 9000 ms";
  // The patient leaves: the parents go and give their place back.
  TPatientState::setPhase(p, kPhasePaid);
  run(60);
  EXPECT_EQ(level->getEC()->getFirstEntityByClassID(23), nullptr);
}

} // namespace
