#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "engine/KInput.h"
#include "media/Frame.h"
#include "media/Timer.h"
#include "patients/CCustomerGenerator.h"
#include "patients/CPacientController.h"
#include "patients/CPatientArrival.h"
#include "progress/HudDay.h"
#include "support/PatientState.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_BacilyClass.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_GaucClass.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

namespace {

// Draws from a fixed script, then repeats its last value.
std::vector<int> g_script;
size_t g_next = 0;
int scripted() {
  int v = g_script[g_next];
  if (g_next + 1 < g_script.size()) ++g_next;
  return v;
}
void script(std::initializer_list<int> values) {
  g_script.assign(values);
  g_next = 0;
}

class PatientDay : public ::testing::Test, public HudDay {
protected:
  void SetUp() override { setUpDay(true); }
  void TearDown() override { tearDownDay(); }

  void loadWard() {
    GameDayScratch::load("ward_demo");
    closeNotebook();
  }

  std::vector<CMapEntity_PacientClass *> patients() {
    std::vector<CMapEntity_PacientClass *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e))
        if (!p->getKill()) out.push_back(p);
    return out;
  }

  CMapEntity_PacientClass *clonePatient(const char *name) {
    return dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity(name));
  }

  // The pointer and the left button as the player works them, each followed by a frame.
  void pointTo(int x, int y) {
    KInput::notePointer(x, y);
    KEvent ev = event(K_EVENT_MOUSEMOVE, 0, x, y);
    level->handleMessages(&ev);
    step();
  }
  void button(bool down, int x, int y) {
    KInput::noteButton(1, down);
    KEvent ev = event(down ? K_EVENT_MOUSEDOWN : K_EVENT_MOUSEUP, 1, x, y);
    level->handleMessages(&ev);
    step();
  }
  void dragOnto(CMapEntity *p, CMapEntity *target) {
    int sx, sy, x, y;
    actionMiddle(p, sx, sy);
    actionMiddle(target, x, y);
    pointTo(sx, sy);
    button(true, sx, sy);
    for (int k = 1; k <= 4; ++k) pointTo(sx + (x - sx) * k / 4, sy + (y - sy) * k / 4);
    pointTo(x, y);
    button(false, x, y);
    step();
  }

  // The intro closed and the first patient standing whole on the couch.
  CMapEntity_PacientClass *firstArrival() {
    KInput::setViewMapping(0, 0, 800, 600, 800, 600);
    button(true, 400, 300);
    button(false, 400, 300);
    for (int i = 0; i < 300; ++i) {
      std::vector<CMapEntity_PacientClass *> all = patients();
      if (!all.empty() && (all[0]->looks().getAlpha() == 1.0f || all[0]->looks().getAlpha() == -1.0f)) return all[0];
      step();
    }
    return nullptr;
  }
};

TEST_F(PatientDay, MoodChangesFollowCharismaStayInRangeAndDriveHeartsAndFace) {
  loadWard();
  CMapEntity_PacientClass *p = clonePatient("PACIENT1");
  ASSERT_NE(p, nullptr);
  level->getEC()->addEntity(p);
  EXPECT_EQ(p->looks().getAlpha(), 0.0f) << "a new patient starts invisible";
  CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
  ASSERT_NE(bar, nullptr);
  EXPECT_STREQ(bar->looks().getSprite()->getAktivniFrameset()->getID(), "FRAMESET4") << "mood 0.65: four hearts";

  // Losses are divided and gains multiplied by the charisma factor of the stars.
  TPatientState::setMood(p, 0.5f);
  p->changeMood(CCharismaTable::scaled(-0.2f, 2));
  EXPECT_NEAR(p->getMood(), 0.5f - 0.2f / 1.4f, 1e-6);
  p->changeMood(CCharismaTable::scaled(0.1f, 3));
  EXPECT_NEAR(p->getMood(), 0.5f - 0.2f / 1.4f + 0.19f, 1e-6);
  EXPECT_EQ(p->getHearts(), 3);
  EXPECT_EQ(p->getHeartsBefore(), 2);
  // A heart boost is a fixed gain and the mood never passes 1.
  p->changeMood(CCharismaTable::amount(CCharismaTable::kHeartBoost, 4));
  EXPECT_EQ(p->getMood(), 1.0f);
  EXPECT_EQ(p->getHearts(), 5);
  p->changeMood(CCharismaTable::scaled(-3.0f, 0));
  EXPECT_EQ(p->getMood(), 0.0f);
  EXPECT_STREQ(bar->looks().getSprite()->getAktivniFrameset()->getID(), "FRAMESET0");

  // Face bands, compared in double: a stored 0.4f lies above 0.4 and shows "BAD".
  EXPECT_STREQ(CMapEntity_PacientClass::faceFor(0.4f), "BAD");
  EXPECT_STREQ(CMapEntity_PacientClass::faceFor(0.39f), "VERYBAD");
  EXPECT_STREQ(CMapEntity_PacientClass::faceFor(0.8f), "VERYGOOD");
  EXPECT_EQ(CMapEntity_PacientClass::faceFor(1.2f), nullptr);
  EXPECT_EQ(CMapEntity_PacientClass::heartsFor(1.01f), nullptr);
  EXPECT_STREQ(CMapEntity_PacientClass::heartsFor(0.15f), "FRAMESET1");

  // A live patient's mood ticks every 1500 ms of game time on the couch.
  TPatientState::setMood(p, 0.65f);
  CPacientController proto(nullptr, nullptr, &engineObj, "PACIENT1");
  CPacientController *live = static_cast<CPacientController *>(proto.clone());
  EXPECT_EQ(live->moodTickPeriod(), 1500);
  EXPECT_EQ(proto.moodTickPeriod(), 3000);
  delete live;
}

TEST(ColourPick, UniformEarlyLeansOnBedsLateAndNeverDividesByZero) {
  TColourInputs in;
  in.maxColors = 3;
  in.moneyGoal = 1000;
  in.allBedColours = {2, 2, 3};
  in.freeBedColours = {3};

  // Early in the day the colour is uniform whatever the money.
  in.elapsed = 0.3f;
  script({7});
  EXPECT_EQ(pickColour(in, scripted), 3);
  // Without a colour count the beds' own range (0..3) is used rather than rand() % 0.
  in.maxColors = -1;
  script({6});
  EXPECT_EQ(pickColour(in, scripted), 2);
  in.maxColors = 3;

  // At 0.7 of the day and short of the goal: one draw in three takes any bed's colour.
  in.elapsed = 0.7f;
  script({1, 2});
  EXPECT_EQ(pickColour(in, scripted), 3) << "rand() % 3 == 1, then bed 2 of the all-bed list";
  script({0, 1});
  EXPECT_EQ(pickColour(in, scripted), 1) << "uniform";
  // Once the day's time has run out, a free bed's colour four times in five.
  in.elapsed = 1.0f;
  script({2, 0});
  EXPECT_EQ(pickColour(in, scripted), 3);
  // Enough money expected: uniform.
  in.money = 5000;
  script({1});
  EXPECT_EQ(pickColour(in, scripted), 1);

  // The luck perk: a free bed's colour, any bed's when all are taken, uniform with no beds.
  in.luck = true;
  script({0});
  EXPECT_EQ(pickColour(in, scripted), 3);
  in.freeBedColours.clear();
  script({1});
  EXPECT_EQ(pickColour(in, scripted), 2);
  in.allBedColours.clear();
  script({5});
  EXPECT_EQ(pickColour(in, scripted), 1);
}

TEST_F(PatientDay, ArrivalsComeEvenlyOnTheGameClockAndSpentArrivalsNeverHang) {
  loadWard();
  CCustomerGenerator *gen = level->getGenerator();
  ASSERT_NE(gen, nullptr);
  EXPECT_EQ(gen->getTotal(), 5);
  EXPECT_TRUE(patients().empty());

  // The first arrival 1000 ms after the start, then every 180000 / 6 ms.
  for (int t = 0; t < 960; t += 20) step();
  EXPECT_TRUE(patients().empty());
  for (int i = 0; i < 3; ++i) step();
  ASSERT_EQ(patients().size(), 1u);
  EXPECT_EQ(gen->getTimer()->getSpoustec(), 30000);
  CMapEntity_PacientClass *first = patients()[0];
  CMapEntity_GaucClass *couch = dynamic_cast<CMapEntity_GaucClass *>(level->getEC()->getFirstEntityByClassID(22));
  ASSERT_NE(couch, nullptr);
  EXPECT_EQ(couch->occupants[0], first);
  EXPECT_FLOAT_EQ(first->getX(), couch->getX());
  for (int t = 0; t < 29900; t += 20) step();
  EXPECT_EQ(patients().size(), 1u);
  for (int i = 0; i < 8; ++i) step();
  EXPECT_EQ(patients().size(), 2u);
  EXPECT_EQ(couch->occupants[1], patients()[1]);

  // Every record spent: the arrival passes without a patient instead of choosing for ever.
  for (CPacient &r : level->getPacienti()) r.count = 0;
  gen->generate(true);
  EXPECT_EQ(gen->getGenerated(), 3);
  EXPECT_EQ(gen->getMissed(), 1);
  // No free seat: the record's patient of the day is gone.
  level->getPacienti()[0].count = 1;
  for (auto &seat : couch->occupants) seat = first;
  gen->generate(true);
  EXPECT_EQ(level->getPacienti()[0].count, 0);
  EXPECT_EQ(gen->getMissed(), 2);
  EXPECT_EQ(patients().size(), 2u);
  // A day with no patient records at all draws from nothing.
  level->getPacienti().clear();
  gen->generate(true);
  EXPECT_EQ(gen->getMissed(), 3);
  EXPECT_EQ(patients().size(), 2u);
}

// Nothing that ends the day waits for a frame to be drawn.
TEST_F(PatientDay, ADayLeftToItselfRunsToItsSummaryWithoutBeingDrawn) {
  engineObj.setDifficulty(0.85f, 125, 106.25f);
  loadWard();
  int ms = 0;
  for (; ms < 15 * 60 * 1000 && !level->getEC()->getEntityByID(1017); ms += 20) step();
  ASSERT_NE(level->getEC()->getEntityByID(1017), nullptr) << "no summary after " << ms / 1000 << " s";
  EXPECT_TRUE(level->getDayOver());
  EXPECT_GT(level->getLost(), 0) << "its patients went home unserved";
}

// A chair or bed taken away under a patient is forgotten, not followed, even once another entity
// is made where it lay, as the optimised build's allocator does at once.
TEST_F(PatientDay, LinksToKilledChairsAndBedsAreForgotten) {
  loadWard();
  CMapEntity_PacientClass *p = clonePatient("PACIENT4");
  level->getEC()->addEntity(p);

  // On the chair, then in bed, as a visit goes.
  CMapEntity_Game *chair = level->getEC()->getEntityByID(1);
  ASSERT_NE(chair, nullptr);
  p->sitDown(chair);
  EXPECT_EQ(p->getChair(), chair);
  chair->setKill(true);
  EXPECT_EQ(p->getChair(), nullptr);
  CMapEntity_Game *bed = level->getEC()->getFirstEntityByClassID(13);
  ASSERT_NE(bed, nullptr);
  TPatientState::inBed(p, bed, kBedSleeping);
  EXPECT_EQ(p->getBed(), bed);
  bed->setKill(true);
  EXPECT_EQ(p->getBed(), nullptr);

  // The test holds this bed's memory: freed, and another bed made at its very address.
  alignas(CMapEntity_PostelClass) unsigned char room[sizeof(CMapEntity_PostelClass)];
  CMapEntitiesCollection *ec = level->getEC();
  auto *own = new (room) CMapEntity_PostelClass(0, 0, false);
  ec->addEntity(own);
  TPatientState::inBed(p, own, kBedSleeping);
  CMapEntity_BacilyClass germ(0, 0, false);
  germ.foretell(own, 0.5f);
  ec->addEntity(&germ);
  EXPECT_EQ(p->getBed(), own);
  ec->forgetEntity(own);
  own->~CMapEntity_PostelClass();
  auto *other = new (room) CMapEntity_PostelClass(0, 0, false);
  ec->addEntity(other);
  EXPECT_EQ(p->getBed(), nullptr) << "the bed made where its bed lay is not its bed";
  EXPECT_EQ(CMapEntity_BacilyClass::drainAheadAt(ec, other), 0.0f) << "nor the germ's";
  ec->forgetEntity(&germ);
  ec->forgetEntity(other);
  other->~CMapEntity_PostelClass();
}

TEST_F(PatientDay, ADropOnAChairWithoutItsGaugeIsRefusedAndLogged) {
  loadWard();
  CMapEntity_PacientClass *p = firstArrival();
  ASSERT_NE(p, nullptr);
  // A chair still fading in has no gauge yet.
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(level->getEC()->getEntityByID(1));
  ASSERT_NE(chair, nullptr);
  chair->setAlpha(0.5f, true);
  chair->gauge.clear();
  step();
  ASSERT_EQ(chair->getGauge(), nullptr);
  float homeX = p->getX(), homeY = p->getY();
  debug = 1;
  clearLog();
  dragOnto(p, chair);
  debug = 0;
  EXPECT_EQ(p->getPhase(), kPhaseArrived);
  EXPECT_EQ(chair->occupant, nullptr);
  EXPECT_EQ(p->getChair(), nullptr);
  EXPECT_FLOAT_EQ(p->getX(), homeX);
  EXPECT_FLOAT_EQ(p->getY(), homeY);
  EXPECT_NE(logText().find("has no pressure gauge: PACIENT"), std::string::npos) << logText();
}

TEST_F(PatientDay, TheColourBonusCaptionShowsTheAmountPaid) {
  loadWard();
  CMapEntity_PacientClass *p = firstArrival();
  ASSERT_NE(p, nullptr);
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(level->getEC()->getEntityByID(1));
  ASSERT_NE(chair, nullptr);
  dragOnto(p, chair);
  ASSERT_EQ(p->getPhase(), kPhaseOnChair);
  int x, y;
  actionMiddle(p, x, y);
  pointTo(x, y);
  // Before the gauge is full a click earns nothing, and says so, even held until the gauge blinks.
  button(true, x, y);
  EXPECT_TRUE(captionShown("Wait for the gauge to blink!")) << "an early click said nothing";
  for (int i = 0; i < 600 && !chair->getGauge()->full; ++i) step();
  for (int i = 0; i < 3; ++i) step();
  ASSERT_EQ(p->getPhase(), kPhaseOnChair) << "the refused press counted after all";
  button(false, x, y);
  button(true, x, y);
  button(false, x, y);
  ASSERT_EQ(p->getPhase(), kPhaseOnCouch) << "not on the bench";

  CMapEntity_PostelClass *bed = nullptr;
  for (int i = 0; i < 400 && !bed; ++i, step())
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e))
        if (!b->carrying().getParent() && !b->getOccupant() &&
            (b->looks().getAlpha() == 1.0f || b->looks().getAlpha() == -1.0f))
          bed = b;
  ASSERT_NE(bed, nullptr) << "no bed stands free";
  // A fractional bonus on the third of a run: 37.5 earned, 37 paid.
  p->setBarva(bed->getColour());
  TPatientState::setColorBonus(p, 12.5f);
  TPatientState::setBedRun(bed, 2);
  int before = level->getMoney();
  dragOnto(p, bed);
  ASSERT_EQ(p->getPhase(), kPhaseInBed);
  EXPECT_EQ(level->getMoney() - before, 37);
  std::vector<std::string> captions;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(e))
      if (t->text.rfind("COLOR BONUS", 0) == 0) captions.push_back(t->text);
  ASSERT_EQ(captions.size(), 1u);
  EXPECT_EQ(captions[0], "COLOR BONUS +37");
}

// A caption shown by the screen's edge moves in as it grows, so it stays whole, above the tips.
TEST_F(PatientDay, CuredAndLostCaptionsGrowWholeOnTheScreenAboveTheTips) {
  loadWard();
  CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
  for (const char *name : {"NAPISCURED", "NAPISLOST"}) {
    CMapEntity_Game *caption = f->cloneEntity(name);
    EXPECT_GT(caption->looks().getSortZ(), f->returnEntityByName("TIP1")->looks().getSortZ()) << name;
    caption->setXY(-60, 10);
    level->getEC()->addEntity(caption);
    const float w = (float)caption->looks().getCurrentFrame()->getSirka(),
                h = (float)caption->looks().getCurrentFrame()->getVyska();
    for (int i = 0; i < 150 && !caption->getKill(); ++i) {
      step();
      const float halfW = w * caption->looks().getZoom() / 2, halfH = h * caption->looks().getZoom() / 2;
      EXPECT_GE(caption->getX() + w / 2 - halfW, -0.5f) << name << " frame " << i;
      EXPECT_GE(caption->getY() + h / 2 - halfH, -0.5f) << name << " frame " << i;
    }
  }
}

// The moves a visit makes pass; a move no visit makes is a logic error that stops a debug build
// and is logged (and made) by a release build; and no test can stage a state no visit reaches.
TEST(PatientMovesDeathTest, AMoveNoVisitMakesIsCaughtAndCannotBeStaged) {
  CMapEntity_PacientClass p(0, 0, false);
  p.sitDown(nullptr);
  p.moveToBench();
  p.lieDown(nullptr);
  EXPECT_EQ(p.getBedState(), kBedSleeping);
  p.breakOut();
  p.awaitMedicine();
  p.thankForFastService();
  p.drinkMedicine();
  p.lieAwake();
  p.readyToPay();
  p.forceOutbreak();
  EXPECT_EQ(p.getBedState(), kBedOutbreak) << "a guide forces an outbreak whatever the patient does";
  p.beHeld();
  p.letGo();
  EXPECT_EQ(p.getPhase(), kPhaseInBed) << "let go into the phase it had";

#ifdef NDEBUG
  testing::internal::CaptureStderr();
  p.walkOut();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("phase moved from 3 to 4"), std::string::npos);
  EXPECT_EQ(p.getPhase(), kPhaseGone);
#else
  EXPECT_DEATH(p.walkOut(), "phase moved from 3 to 4, which no visit does");
  EXPECT_DEATH(p.drinkMedicine(), "bed state moved from 11 to 16");
  EXPECT_DEATH(p.sitDown(nullptr), "phase moved from 3 to 1");
#endif

  CMapEntity_PacientClass fresh(0, 0, false);
  EXPECT_NONFATAL_FAILURE(TPatientState::setBedState(&fresh, kBedPrescription), "no patient reaches bed state 14");
  EXPECT_NONFATAL_FAILURE(TPatientState::setPhase(&p, kPhaseArrived), "no patient reaches phase 0");
  TPatientState::setBedState(&fresh, kBedTakingMedicine);
  EXPECT_EQ(fresh.getBedState(), kBedTakingMedicine) << "through an outbreak and the medicine";
}

TEST(PatientDeathTest, APatientWithoutHeadOrHeartsEndsWithAFailureStatus) {
  CMapEntity_PacientClass bare(0, 0, false);
  EXPECT_EXIT(bare.synchronizujNaladu(), [](int status) { return !(WIFEXITED(status) && WEXITSTATUS(status) == 0); }, "HEAD class not found");
  EXPECT_EXIT(bare.synchronizujSrdicka(), [](int status) { return !(WIFEXITED(status) && WEXITSTATUS(status) == 0); }, "SRDICKA class not found");
}

} // namespace
