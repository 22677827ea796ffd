#include <cstring>
#include <gtest/gtest.h>

#include "TipDay.h"
#include "events/CMapEntity_Sasek.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "support/PatientState.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

namespace {

// The figure as the tips see it; absent until the test says it is on the ward.
struct FakeFigure : CFigureActionLink {
  bool present = false;
  uint16_t kind = 0;
  bool actionKind(CMapEntity_Game *, uint16_t &k) override {
    k = kind;
    return present;
  }
};

class TipTest : public ::testing::Test, public TipDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpDay(true));
    loadDay();
    step();
  }
  void TearDown() override { tearDownDay(); }

  static std::string framesetOf(CMapEntity *e) {
    ZSprite *s = e ? e->looks().getSprite() : nullptr;
    Frameset *fs = s ? s->getAktivniFrameset() : nullptr;
    return fs ? fs->getID() : "";
  }

  // The patient in bed drinking its medicine and the outbreak tip just opened over it.
  CMapEntity_PacientClass *outbreakTipOpen() {
    CMapEntity_PacientClass *p = quietPatient(300, 300);
    layIntoBed(p, bed());
    TPatientState::setBedState(p, kBedTakingMedicine);
    add("TIPOUTBREAK", 0, 395);
    step();
    return p;
  }
};

TEST_F(TipTest, FirstDayChainFollowsThePatientFromTheChairToTheHeartsTip) {
  FakeFigure figure;
  TScopedLink<CFigureActionLink> figureLink(&figure);
  auto *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(first("ZIDLE"));
  ASSERT_TRUE(chair && chair->getGauge());
  CMapEntity_PacientClass *p = quietPatient(300, 420);
  // The tutorial's last bubble, without its behaviour: the chain closes it.
  CMapEntity_Game *lastStep = add("TUTORIAL10", 0, 420);
  lastStep->name = "LASTSTEP";
  add("TIP1TRIGGER", 0, 0);
  run(200);
  EXPECT_TRUE(first("TIP1TRIGGER"));
  EXPECT_FALSE(first("TIP1"));
  EXPECT_TRUE(first("LASTSTEP"));

  p->sitDown(chair);
  chair->occupant = p;
  TPatientState::setMood(p, 0.15f);
  step();
  EXPECT_FALSE(first("LASTSTEP"));
  ASSERT_TRUE(first("TIP1"));
  EXPECT_FALSE(first("TIP1TRIGGER"));
  // Read and still waiting for its click, it stays where it was put.
  run(12000);
  CMapEntity_Game *tip1 = first("TIP1");
  ASSERT_TRUE(tip1);
  EXPECT_FLOAT_EQ(tip1->getY(), 0.0f) << "slid away while it waits";
  CMapEntity *arrow = tip1->getContainedEntity(189);
  ASSERT_TRUE(arrow);
  EXPECT_FLOAT_EQ(arrow->getX(), 680.0f);
  EXPECT_FLOAT_EQ(arrow->getY(), 300.0f);
  EXPECT_EQ(p->getHearts(), 4);
  EXPECT_EQ(p->getHeartsBefore(), 4);
  EXPECT_FLOAT_EQ(p->getMood(), 0.65f);

  chair->getGauge()->setStav(1.5f);
  step();
  EXPECT_FALSE(first("TIP1"));
  ASSERT_TRUE(first("TIP2"));
  run(500);
  EXPECT_TRUE(first("TIP2")) << "the patient still sits";

  p->moveToBench();
  chair->occupant = nullptr;
  step();
  EXPECT_FALSE(first("TIP2"));
  ASSERT_TRUE(first("TIPOUTBREAKTRIGGER"));
  EXPECT_EQ(p->getHearts(), 5);
  EXPECT_FLOAT_EQ(p->getMood(), 1.0f);

  ASSERT_NO_FATAL_FAILURE(layIntoBed(p, bed()));
  step();
  EXPECT_FLOAT_EQ(p->getMeterFull(), 1.0f);
  EXPECT_FLOAT_EQ(p->getRecoverySpeed(), 0.4f);
  EXPECT_EQ(framesetOf(p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass)), "ILL3");

  // A first outbreak is held until the figure examines the patient.
  TPatientState::setBedState(p, kBedOutbreak);
  step();
  TPatientState::setBedState(p, kBedLying);
  step();
  EXPECT_EQ(p->getBedState(), kBedOutbreak);
  EXPECT_EQ(framesetOf(p), "ILL1");
  figure.present = true;
  figure.kind = 12;
  step();
  TPatientState::setBedState(p, kBedWaitingMedicine);
  run(200);
  EXPECT_EQ(p->getBedState(), kBedWaitingMedicine);
  EXPECT_TRUE(first("TIPOUTBREAKTRIGGER"));

  TPatientState::setBedState(p, kBedTakingMedicine);
  step();
  EXPECT_FALSE(first("TIPOUTBREAKTRIGGER"));
  CMapEntity_Game *tip = first("TIPOUTBREAK");
  ASSERT_TRUE(tip);
  EXPECT_FLOAT_EQ(tip->getY(), 395.0f);

  // The second outbreak comes after 8 s of game time; its words take the place of these.
  run(7800);
  EXPECT_EQ(p->getBedState(), kBedTakingMedicine);
  EXPECT_FALSE(first("TIPOUTBREAK2"));
  EXPECT_FLOAT_EQ(tip->getY(), 395.0f) << "gone from its place before the next words";
  EXPECT_TRUE(tip->getContainedEntity(1001)->looks().getVisible());
  ASSERT_TRUE(runUntil([&] { return first("TIPOUTBREAK2") != nullptr; }, 400));
  EXPECT_FALSE(first("TIPOUTBREAK"));
  EXPECT_EQ(p->getBedState(), kBedOutbreak);
  EXPECT_EQ(framesetOf(p), "ILL1");
  run(12000);
  EXPECT_EQ(p->getBedState(), kBedOutbreak) << "the cough is held for the click the tip asks";
  EXPECT_FLOAT_EQ(first("TIPOUTBREAK2")->getY(), 395.0f) << "slid away while the cough waits";
  // A patient laid into the other bed comes last on the ward's list: the tip stays with the cough.
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) {
    auto *other = dynamic_cast<CMapEntity_PostelClass *>(e);
    if (other && other != bed() && !other->carrying().getParent()) {
      ASSERT_NO_FATAL_FAILURE(layIntoBed(quietPatient(500, 300), other));
      break;
    }
  }

  TPatientState::setBedState(p, kBedWaitingMedicine);
  step();
  EXPECT_TRUE(first("TIPOUTBREAK2")) << "the figure is still examining";
  figure.present = false;
  figure.kind = 0;
  run(200);
  EXPECT_TRUE(first("TIPOUTBREAK2")) << "no figure found";
  figure.present = true;
  step();
  EXPECT_FALSE(first("TIPOUTBREAK2"));
  CMapEntity_Game *next = first("TIPSRDICKATRIGGER");
  ASSERT_TRUE(next);
  EXPECT_FLOAT_EQ(next->getY(), 425.0f);
}

TEST_F(TipTest, SecondOutbreakWaitsForThePatientToBeInBed) {
  CMapEntity_PacientClass *p = outbreakTipOpen();
  takeOutOfBed(p);
  TPatientState::setBedState(p, kBedLying);
  run(9000);
  EXPECT_EQ(p->getBedState(), kBedLying) << "no outbreak out of bed";
  EXPECT_FALSE(first("TIPOUTBREAK2"));
  ASSERT_TRUE(first("TIPOUTBREAK"));

  ASSERT_NO_FATAL_FAILURE(layIntoBed(p, bed()));
  step();
  EXPECT_EQ(p->getBedState(), kBedOutbreak);
  EXPECT_TRUE(first("TIPOUTBREAK2"));
}

TEST_F(TipTest, ClownTipShowsOncePerProfile) {
  auto *jester = dynamic_cast<CMapEntity_Sasek *>(first("SASEK"));
  ASSERT_TRUE(jester);
  run(200);
  EXPECT_FALSE(first("TIPCLOWN"));
  CMapEntity_Game *other = add("TIPSRDICKA", 0, 395);
  jester->setXY(800, 180);
  jester->stav = CMapEntity_Sasek::kWalkingIn;
  ASSERT_TRUE(runUntil([&] { return jester->stav == CMapEntity_Sasek::kWaiting; }, 3000));
  EXPECT_FALSE(first("TIPCLOWN")) << "two bubbles at once";
  other->setKill(true);
  step();
  ASSERT_TRUE(first("TIPCLOWN"));
  EXPECT_FALSE(first("TIPCLOWNTRIGGER"));
  EXPECT_EQ(player->getClownHint(), 1);
  step();
  EXPECT_TRUE(first("TIPCLOWN")) << "open while he waits";
  ASSERT_TRUE(runUntil([&] { return jester->stav == CMapEntity_Sasek::kWalkingOut; }, 8000));
  step();
  EXPECT_FALSE(first("TIPCLOWN"));

  // The same profile on a new day: the trigger stays and never fires.
  loadDay();
  step();
  jester = dynamic_cast<CMapEntity_Sasek *>(first("SASEK"));
  ASSERT_TRUE(jester);
  jester->setXY(800, 180);
  jester->stav = CMapEntity_Sasek::kWalkingIn;
  run(500);
  EXPECT_FALSE(first("TIPCLOWN"));
  EXPECT_TRUE(first("TIPCLOWNTRIGGER"));
}

TEST_F(TipTest, LampTipOpensAfterFiveSecondsStaysSixAndFadesUnderThePointer) {
  int opened = 0;
  while (!first("TIPHLASIC") && opened < 8000) {
    step();
    opened += 20;
  }
  EXPECT_GE(opened, 4900);
  EXPECT_LE(opened, 5100);
  CMapEntity_Game *tip = first("TIPHLASIC");
  ASSERT_TRUE(tip);
  EXPECT_FALSE(first("TIPHLASICTRIGGER"));
  step();
  CMapEntity *arrow = tip->getContainedEntity(189);
  ASSERT_TRUE(arrow);

  const struct {
    long y;
    float alpha;
  } band[] = {{5, 1.0f}, {10, 1.0f}, {11, 0.3f}, {60, 0.3f}, {109, 0.3f}, {110, 1.0f}, {300, 1.0f}};
  for (const auto &b : band) {
    KInput::mousePointerTo(780, b.y);
    step();
    EXPECT_FLOAT_EQ(tip->looks().getAlpha(), b.alpha) << "pointer at y " << b.y;
    EXPECT_FLOAT_EQ(arrow->looks().getAlpha(), b.alpha) << "pointer at y " << b.y;
  }

  int shown = 0;
  while (first("TIPHLASIC") && shown < 8000) {
    step();
    shown += 20;
  }
  EXPECT_GE(shown, 5700);
  EXPECT_LE(shown, 6100);
}

} // namespace
