#include <cmath>
#include <gtest/gtest.h>
#include <string>

#include "EventDayTestSupport.h"
#include "engine/KEvent.h"
#include "events/CBacilyController.h"
#include "events/CBacilyGeneratorController.h"
#include "events/CCharisma.h"
#include "events/CMapEntity_Motyl.h"
#include "events/CMapEntity_Opicka.h"
#include "events/CMapEntity_Podium.h"
#include "events/CMapEntity_Sasek.h"
#include "events/COpickaController.h"
#include "media/CFakeTime.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "support/PatientState.h"
#include "ward/staff/CMapEntity_Marker.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/EntityIds.h"

// Germs, the monkey, the jester, the band and the decorations on the event day, headless.

namespace {

TEST(EntertainerMood, CharismaScalesEveryEffectAndTheMoodChangeKeepsHeartsInStep) {
  // Each star softens the monkey and strengthens every cheer; past the table, no charisma.
  for (int lvl = 1; lvl < 5; ++lvl) {
    EXPECT_LT(CCharisma::amount(CCharisma::kMonkeyHarm, lvl), CCharisma::amount(CCharisma::kMonkeyHarm, lvl - 1)) << lvl;
    for (CCharisma::TEffect cheer : {CCharisma::kMonkeyReward, CCharisma::kJesterGain, CCharisma::kBandGain})
      EXPECT_GT(CCharisma::amount(cheer, lvl), CCharisma::amount(cheer, lvl - 1)) << lvl;
  }
  EXPECT_FLOAT_EQ(CCharisma::amount(CCharisma::kBandGain, 5), CCharisma::amount(CCharisma::kBandGain, 0));

  CEngine engine;
  engine.progression().setPlayer(new CPlayer());
  EXPECT_EQ(CCharisma::level(&engine), 0);
  engine.getPlayer()->getBasket().push_back({kCharismaUpgradeID, 3});
  EXPECT_EQ(CCharisma::level(&engine), 4);
  delete engine.getPlayer();
  engine.progression().setPlayer(nullptr);

  // Species 1 at the start factor.
  EXPECT_FLOAT_EQ(CBacilyController::drainFor(0.015f, 0.85f, 0), -0.01275f);
  EXPECT_FLOAT_EQ(CBacilyController::drainFor(0.015f, 0.85f, 4), -0.006375f);
  CMapEntity_PacientClass patient(0, 0, false);
  TPatientState::setMood(&patient, 0.81f);
  patient.changeMood(CBacilyController::drainFor(0.015f, 0.85f, 0));
  EXPECT_NEAR(patient.getMood(), 0.79725f, 1e-6);
  EXPECT_EQ(patient.getHearts(), 4);
  EXPECT_EQ(patient.getHeartsBefore(), 5);
  patient.changeMood(-2.0f);
  EXPECT_EQ(patient.getMood(), 0.0f);
  EXPECT_EQ(patient.getHearts(), 0);
  patient.changeMood(0.15f);
  EXPECT_EQ(patient.getHearts(), 1);
  patient.changeMood(5.0f);
  EXPECT_EQ(patient.getMood(), 1.0f);
  EXPECT_EQ(patient.getHearts(), 5);
  // Undisturbed, a monkey takes a happy patient to nothing at its seventh bite.
  for (int i = 0; i < 6; ++i) patient.changeMood(-CCharisma::amount(CCharisma::kMonkeyHarm, 0));
  EXPECT_GT(patient.getMood(), 0.0f);
  patient.changeMood(-CCharisma::amount(CCharisma::kMonkeyHarm, 0));
  EXPECT_EQ(patient.getMood(), 0.0f);
}

TEST(GermRelease, OddsFollowTheWardAndNothingIsReleasedWithoutBedsOrAtFiveGerms) {
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(5, 4, 0, false), 2);
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(10, 10, 1, true), 8);
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(5, 0, 0, false), 1) << "clamped to a sure release";
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(8, 2, 0, false), 1) << "a quarter full";
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(8, 3, 0, false), 1) << "3/8 full, but few patients";
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(12, 7, 2, false), 5);
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(5, 4, 4, false), 6);
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(5, 4, 5, false), 0);
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(0, 0, 0, true), 0);
  EXPECT_EQ(CBacilyGeneratorController::releaseOdds(0, 0, 0, false), 0);
}

class EventDayTest : public ::testing::Test, public EventDayScratch {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpDay(true)); }
  void TearDown() override { tearDownLab(); }

  void remove(unsigned id) {
    for (CMapEntity_Game *e : alive(id)) e->setKill(true);
    update();
  }

  template <class T> T *controllerOf(unsigned id) const {
    CMapEntity_Game *e = level->getEC()->getEntityByID(id);
    return e ? dynamic_cast<T *>(e->getController()) : nullptr;
  }

  // A monkey whose draw picks no bed goes again at once, so wait for one that rides.
  CMapEntity_Opicka *ridingMonkey(int ms) {
    CMapEntity_Opicka *found = nullptr;
    runUntil([&] {
      for (CMapEntity_Game *e : alive(kMonkeyID))
        if (static_cast<CMapEntity_Opicka *>(e)->stav == CMapEntity_Opicka::kRiding) found = static_cast<CMapEntity_Opicka *>(e);
      return found != nullptr;
    }, ms);
    return found;
  }

  void pointerAt(float x, float y) {
    KInput::notePointer((int)x, (int)y);
    update();
    update();
  }
};

TEST_F(EventDayTest, TheAlarmComesAtTheFirstCheckAndItsGermFourSecondsLater) {
  remove(246);
  auto *generator = controllerOf<CBacilyGeneratorController>(69);
  auto *lamp = dynamic_cast<CMapEntity_Hlasic *>(level->getEC()->getEntityByID(271));
  CMapEntity_Game *adjuster = level->getEC()->getEntityByID(34463);
  ASSERT_TRUE(generator && lamp && adjuster);
  EXPECT_EQ(generator->getCheckPeriod(), 2000);
  ASSERT_TRUE(runUntil([&] { return generator->getAlarmPending(); }, 2200));
  EXPECT_EQ(lamp->on, 1);
  EXPECT_EQ(lamp->getContainedEntity(248)->looks().getAlpha(), 1.0f);
  EXPECT_EQ(generator->getCheckPeriod(), 60000);
  const uint32_t alarmAt = CFakeTime::instance()->ms;
  EXPECT_TRUE(germs().empty());
  ASSERT_TRUE(runUntil([&] { return !germs().empty(); }, 4200));
  EXPECT_NEAR(CFakeTime::instance()->ms - alarmAt, 4000, 40);
  EXPECT_EQ(germs()[0]->name, "BACILY");
  EXPECT_EQ(lamp->on, 0);
  EXPECT_EQ(lamp->getContainedEntity(248)->looks().getAlpha(), 0.0f);
  // The release opens the pause window.
  const uint32_t now = CFakeTime::instance()->ms;
  uint32_t start = 0, end = 0;
  TLink<CPauseWindowLink>::get()->window(adjuster, start, end);
  EXPECT_NEAR((double)start, now, 40);
  EXPECT_EQ(end - start, 20000u);
}

TEST_F(EventDayTest, AGermFliesAboveABedDrainsItsPatientAndTheSprayRemovesIt) {
  remove(69);
  remove(246);
  remove(215);
  std::vector<CMapEntity_PacientClass *> patients = fillBeds(0.9f);
  CMapEntity_Game *germ = add("BACILY", 50, 50);
  update();
  auto *behaviour = dynamic_cast<CBacilyController *>(germ->getController());
  ASSERT_NE(behaviour, nullptr);
  auto *state = static_cast<CMapEntity_Bacily *>(germ);
  ASSERT_TRUE(runUntil([&] { return state->stav == CMapEntity_Bacily::kFeeding; }, 20000));
  CMapEntity_Game *bed = behaviour->getTargetBed();
  ASSERT_NE(bed, nullptr);
  EXPECT_NEAR(germ->getX(), bed->getX() + bed->approachX - 20, 2.0);
  EXPECT_NEAR(germ->getY(), bed->getY() + bed->approachY - 70, 2.0);
  auto *patient = dynamic_cast<CMapEntity_PacientClass *>(static_cast<CMapEntity_PostelClass *>(bed)->getOccupant());
  ASSERT_NE(patient, nullptr);
  run(1100);
  const float drained = 0.9f - patient->getMood();
  EXPECT_GT(drained, 0.0f);
  EXPECT_NEAR(std::fmod(drained + 0.001, 0.01275), 0.001, 0.0005) << "whole feed ticks of 0.01275";
  for (CMapEntity_PacientClass *p : patients) {
    if (p != patient) {
      EXPECT_EQ(p->getMood(), 0.9f);
    }
  }

  // A patient on its way out is not drained any more.
  patient->setKill(true);
  update();
  run(600);
  EXPECT_EQ(static_cast<CMapEntity_PostelClass *>(bed)->getOccupant(), nullptr);

  // Touched by the spray cloud: the figure's spraying makes the cloud, the germ takes itself away.
  EXPECT_FALSE(germ->getKill());
  germ->hits().addEntityActionCollision(add("SPREJKOUR", germ->getX(), germ->getY()));
  behaviour->update();
  EXPECT_TRUE(germ->getKill());
  update();
  EXPECT_TRUE(germs().empty()) << "sprayed away";

  // Weak patients: the one a germ has chosen shows the red badge before its first feed tick.
  patients[0] = layPatient(static_cast<CMapEntity_PostelClass *>(bed), 0.9f);
  for (CMapEntity_PacientClass *p : patients) TPatientState::setMood(p, 0.05f);
  auto *next = static_cast<CMapEntity_Bacily *>(add("BACILY", 50, 50));
  ASSERT_TRUE(runUntil([&] { return next->stav == CMapEntity_Bacily::kFlying; }, 200));
  std::vector<bool> badge(patients.size());
  for (int t = 0; t < 300; t += 20, update())
    for (size_t i = 0; i < patients.size(); ++i) {
      CMapEntity *hearts = patients[i]->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
      badge[i] = badge[i] || std::string(hearts->looks().getSprite()->getAktivniFrameset()->getID()).back() == 'R';
    }
  for (size_t i = 0; i < patients.size(); ++i)
    EXPECT_EQ(badge[i], patients[i]->getBed() == static_cast<CBacilyController *>(next->getController())->getTargetBed());
  EXPECT_EQ(next->stav, CMapEntity_Bacily::kFlying) << "not before it feeds";
}

// In play: the figure carrying the spray steps up to a feeding germ and sprays it; its own cloud
// takes the germ away and the patient keeps the mood it had.
TEST_F(EventDayTest, TheFigureCarryingTheSprayClearsAFeedingGerm) {
  remove(69);
  remove(246);
  remove(215);
  fillBeds(0.9f);
  CMapEntity_Game *figure = level->getEC()->getEntityByID(7);
  ASSERT_NE(figure, nullptr);
  figure->addEntity(std::string("SPREJ"));
  ASSERT_NE(figure->getContainedEntity(kSprayID), nullptr);
  auto *germ = static_cast<CMapEntity_Bacily *>(add("BACILY", 50, 50));
  ASSERT_TRUE(runUntil([&] { return germ->stav == CMapEntity_Bacily::kFeeding; }, 20000));
  auto *bed = static_cast<CMapEntity_PostelClass *>(static_cast<CBacilyController *>(germ->getController())->getTargetBed());
  auto *patient = dynamic_cast<CMapEntity_PacientClass *>(bed->getOccupant());
  ASSERT_NE(patient, nullptr);
  run(1100);
  EXPECT_LT(patient->getMood(), 0.9f) << "fed on";

  figure->setXY(germ->getX() - 20, germ->getY() - 20);
  ASSERT_TRUE(runUntil([&] { return !alive(kSprayCloudID).empty(); }, 200)) << "the figure sprays";
  EXPECT_TRUE(runUntil([&] { return germs().empty(); }, 200)) << "the cloud takes the germ";
  const float after = patient->getMood();
  run(2000);
  EXPECT_EQ(patient->getMood(), after);
  EXPECT_NE(figure->getContainedEntity(kSprayID), nullptr) << "the spray stays in hand";
}

TEST_F(EventDayTest, TheMonkeyRidesUntilThePlayerTouchesItThenCheersAndPays80) {
  remove(69);
  remove(246);
  remove(198);
  fillBeds(1.0f);
  CMapEntity_Game *player = level->getEC()->getEntityByID(7);
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(runUntil([&] { return !alive(kMonkeyID).empty(); }, 32000));
  auto *generator = controllerOf<COpickaGeneratorController>(215);
  EXPECT_EQ(generator->getReleasePeriod(), 30000) << "the day's monkeyTimer";
  CMapEntity_Opicka *monkey = ridingMonkey(65000);
  ASSERT_NE(monkey, nullptr);
  auto *riding = static_cast<COpickaController *>(monkey->getController());
  CMapEntity_PacientClass *patient = riding->getRider();
  ASSERT_NE(patient, nullptr);
  EXPECT_EQ(patient->getTormentor(), monkey);
  run(1700);
  EXPECT_NEAR(patient->getMood(), 1.0f - 2 * 0.16f, 1e-5) << "two bites, 800 ms apart";
  EXPECT_STRNE(CCharisma::faceOf(patient->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass)), "VERYBAD");
  const int money = level->getMoney();
  const float before = patient->getMood();

  player->setXY(monkey->getX(), monkey->getY() + 10);
  ASSERT_TRUE(runUntil([&] { return monkey->stav == CMapEntity_Opicka::kLeaving; }, 200));
  EXPECT_EQ(patient->getTormentor(), nullptr);
  EXPECT_EQ(level->getMoney(), money + 80);
  EXPECT_NEAR(patient->getMood(), before + 0.25f, 0.161f);
  bool caption = false;
  for (CMapEntity_Game *e : alive(173))
    if (auto *t = dynamic_cast<CMapEntity_BonusText *>(e)) caption |= t->text == "MONKEY DEFEATED +80";
  EXPECT_TRUE(caption);
  EXPECT_TRUE(runUntil([&] { return alive(kMonkeyID).empty(); }, 5000)) << "hops away and is gone";
}

TEST_F(EventDayTest, AMonkeyLetsGoOfAPatientThatLeavesItsBedOrDies) {
  remove(69);
  remove(246);
  remove(198);
  fillBeds(1.0f);
  for (int round = 0; round < 2; ++round) {
    CMapEntity_Opicka *monkey = ridingMonkey(95000);
    ASSERT_NE(monkey, nullptr);
    CMapEntity_PacientClass *patient = static_cast<COpickaController *>(monkey->getController())->getRider();
    auto *bed = dynamic_cast<CMapEntity_PostelClass *>(patient->carrying().getParent());
    ASSERT_NE(bed, nullptr);
    const int money = level->getMoney();
    if (round == 0) {
      bed->vylozPacienta();
      level->getEC()->addEntity(patient);
      update();
      EXPECT_EQ(patient->getTormentor(), nullptr) << "the patient walks away free";
    } else {
      patient->setKill(true);
      update();
    }
    EXPECT_EQ(monkey->stav, CMapEntity_Opicka::kLeaving);
    EXPECT_EQ(level->getMoney(), money);
    ASSERT_TRUE(runUntil([&] { return alive(kMonkeyID).empty(); }, 5000));
    layPatient(bed, 1.0f);
  }
}

TEST_F(EventDayTest, GermsOnAWardWithoutBedsStayWhereTheyCameIn) {
  load("showcase");
  update();
  ASSERT_TRUE(beds().empty());
  add("BACILYGENERATOR", 0, 0);
  CMapEntity_Game *germ = add("BACILY3", 50, 50);
  run(12000);
  EXPECT_EQ(germs().size(), 1u) << "no release";
  EXPECT_EQ(germ->getX(), 50.0f);
  EXPECT_EQ(germ->getY(), 50.0f);
}

TEST_F(EventDayTest, TheJesterWaitsForTheButtonThenCheersEveryPatientOnce) {
  remove(69);
  remove(246);
  remove(215);
  std::vector<CMapEntity_PacientClass *> patients = fillBeds(0.5f);
  auto *jester = dynamic_cast<CMapEntity_Sasek *>(level->getEC()->getEntityByID(198));
  ASSERT_NE(jester, nullptr);
  EXPECT_EQ(jester->getX(), 800.0f) << "he waits off screen";
  ASSERT_TRUE(runUntil([&] { return jester->stav == CMapEntity_Sasek::kWaiting; }, 56000));
  pointerAt(jester->getX() + 30, jester->getY() + 50);
  EXPECT_EQ(jester->stav, CMapEntity_Sasek::kWaiting) << "hovering is no click";
  // One patient has given up and walks out: it is not cheered back into paying.
  CMapEntity_PacientClass *leaving = patients.back();
  patients.pop_back();
  leaving->changeMood(-1.0f);
  leaving->startLeaving();
  // A face that is not ill lights up; an ill one keeps its look.
  ASSERT_GE(patients.size(), 2u);
  CMapEntity *calm = patients[0]->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
  CMapEntity *ill = patients[1]->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
  ASSERT_TRUE(calm && ill);
  calm->changeFrameset("BAD");
  const std::string illFace = CCharisma::faceOf(ill);
  ASSERT_EQ(illFace.rfind("ILL", 0), 0u) << illFace;
  const size_t hearts = alive(kRisingHeartID).size();
  KInput::noteButton(1, true);
  update();
  KInput::noteButton(1, false);
  EXPECT_EQ(jester->stav, CMapEntity_Sasek::kPerforming);
  EXPECT_STREQ(CCharisma::faceOf(calm), "VERYGOOD");
  EXPECT_EQ(CCharisma::faceOf(ill), illFace);
  for (CMapEntity_PacientClass *p : patients) EXPECT_NEAR(p->getMood(), 0.63f, 1e-5);
  EXPECT_EQ(leaving->getMood(), 0.0f);
  EXPECT_EQ(alive(kRisingHeartID).size(), hearts + patients.size());
  ASSERT_TRUE(runUntil([&] { return jester->stav == CMapEntity_Sasek::kAway; }, 4000));
  EXPECT_EQ(jester->getX(), 800.0f);
  for (CMapEntity_PacientClass *p : patients) EXPECT_NEAR(p->getMood(), 0.63f, 1e-5) << "cheered once";
}

TEST_F(EventDayTest, TheBandIsReadyEvery35sAndCheersEveryPatientThreeSecondsIntoItsPlay) {
  remove(69);
  remove(246);
  remove(215);
  remove(198);
  std::vector<CMapEntity_PacientClass *> patients = fillBeds(0.5f);
  auto *podium = dynamic_cast<CMapEntity_Podium *>(level->getEC()->getEntityByID(113));
  ASSERT_NE(podium, nullptr);
  auto *musician = dynamic_cast<CMapEntity_Game *>(podium->getContainedEntity(111));
  ASSERT_TRUE(musician && musician->getHighlight() && podium->getContainedEntity(112));
  pointerAt(podium->getX() + 100, podium->getY() + 60);
  KEvent click{};
  click.type = K_EVENT_MOUSEDOWN;
  click.button = 1;
  level->handleMessages(&click);
  run(5000);
  for (CMapEntity_PacientClass *p : patients) EXPECT_EQ(p->getMood(), 0.5f) << "not ready yet";
  ASSERT_TRUE(runUntil([&] { return podium->ready == 1; }, 31000));
  EXPECT_TRUE(musician->getHighlightOn());
  auto plays = [&] { return podium->looks().getSprite()->getAktivniFrameset()->probihaAnimace(); };
  EXPECT_FALSE(plays()) << "the band stands still until it plays";
  // Clicked where a person aims: at the glowing guitarist above the podium.
  pointerAt(musician->getX() + 36, musician->getY() + 30);
  level->handleMessages(&click);
  EXPECT_EQ(podium->ready, 0);
  EXPECT_FALSE(musician->getHighlightOn());
  const size_t hearts = alive(kRisingHeartID).size();
  EXPECT_TRUE(plays());
  run(2900);
  for (CMapEntity_PacientClass *p : patients) EXPECT_EQ(p->getMood(), 0.5f);
  run(200);
  for (CMapEntity_PacientClass *p : patients) EXPECT_NEAR(p->getMood(), 0.65f, 1e-5);
  EXPECT_EQ(alive(kRisingHeartID).size(), hearts + patients.size()) << "a heart rises over each";
  run(2000);
  EXPECT_FALSE(plays());
  for (CMapEntity_PacientClass *p : patients) EXPECT_NEAR(p->getMood(), 0.65f, 1e-5) << "once a play";
}

TEST_F(EventDayTest, TheButterflyLandsAt85AgainAndThePeriscopeStaysInItsCorner) {
  auto *butterfly = dynamic_cast<CMapEntity_Motyl *>(level->getEC()->getEntityByID(386));
  ASSERT_NE(butterfly, nullptr);
  pointerAt(butterfly->getX() + 20, butterfly->getY() + 16);
  EXPECT_EQ(butterfly->stav, CMapEntity_Motyl::kFlying);
  pointerAt(400, 300);
  float top = butterfly->getY();
  ASSERT_TRUE(runUntil([&] {
    top = std::min(top, butterfly->getY());
    return butterfly->stav == CMapEntity_Motyl::kResting;
  }, 5000));
  EXPECT_LT(top, 60.0f);
  EXPECT_EQ(butterfly->getY(), 85.0f);

  load("map_events");
  update();
  CMapEntity_Game *periscope = level->getEC()->getEntityByID(329);
  ASSERT_NE(periscope, nullptr);
  float x = periscope->getX(), y = periscope->getY();
  int jumps = 0;
  for (int t = 0; t < 40000; t += 20) {
    update();
    if (periscope->getX() == x && periscope->getY() == y) continue;
    ++jumps;
    x = periscope->getX();
    y = periscope->getY();
    EXPECT_TRUE(x >= 715 && x < 795 && y >= 165 && y < 215) << x << "," << y;
  }
  EXPECT_GE(jumps, 4);
}

} // namespace
