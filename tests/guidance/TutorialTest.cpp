#include <gtest/gtest.h>

#include "guidance/GuidanceDay.h"
#include "media/CGlobals.h"
#include "media/Frameset.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "patients/CPacientController.h"
#include "support/PatientState.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PostelClass.h"

namespace {

class TutorialTest : public ::testing::Test, public GuidanceDay {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpTutorial()); }
  void TearDown() override { tearDownDay(); }

  CMapEntity_PostelClass *bed(uint16_t number) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (auto *b = dynamic_cast<CMapEntity_PostelClass *>(e))
        if (b->getBedNumber() == number) return b;
    return nullptr;
  }
  CMapEntity_DiagnosticTool *chair() {
    return dynamic_cast<CMapEntity_DiagnosticTool *>(level->getEC()->getFirstEntityByClassID(17));
  }
  static std::string framesetOf(CMapEntity *e) {
    Frameset *fs = e && e->looks().getSprite() ? e->looks().getSprite()->getAktivniFrameset() : nullptr;
    return fs ? fs->getID() : "";
  }
  CMapEntity *head(CMapEntity_PacientClass *p) { return p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass); }
  CMapEntity_Game *give(const char *item) {
    CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(item);
    figure()->addEntity(e, true);
    return e;
  }
  void expectHeld(CMapEntity_PacientClass *p, int hearts) {
    TPatientState::setMood(p, 0.1f);
    step();
    EXPECT_EQ(p->getHearts(), hearts) << bubble();
    EXPECT_EQ(p->getHeartsBefore(), 1);
    EXPECT_FLOAT_EQ(p->getMood(), hearts == 5 ? 1.0f : 0.65f);
  }
};

TEST_F(TutorialTest, TheHelpTriggerOpensTheFirstBubbleAfterASecondOfUnpausedPlay) {
  CMapEntity_Game *trigger = first("HELPTRIGGER");
  ASSERT_NE(trigger, nullptr);
  send(K_EVENT_MOUSEMOVE, 0, 321, 123);
  EXPECT_EQ(trigger->getX(), 321.0f) << "the invisible trigger follows the pointer";
  EXPECT_EQ(trigger->getY(), 123.0f);

  CGlobals::instance()->paused = true;
  steps(100);
  EXPECT_EQ(bubble(), "(none)") << "the game clock stands while paused";
  CGlobals::instance()->paused = false;
  steps(45);
  EXPECT_EQ(bubble(), "(none)");
  steps(10);
  ASSERT_EQ(bubble(), "TUTORIAL1");
  EXPECT_EQ(first("HELPTRIGGER"), nullptr);
  CMapEntity_Game *b = first("TUTORIAL1");
  EXPECT_EQ(b->getX(), 0.0f);
  auto *box = dynamic_cast<CMapEntity_TextBox *>(b->getContainedEntity(kTextBoxID));
  ASSERT_NE(box, nullptr);
  EXPECT_NE(box->text.find("first patient"), std::string::npos) << box->text;

  // Every trigger a level places opens a bubble of its own.
  tipkit::open(level->getEC(), "HELPTRIGGER", 0, 0);
  tipkit::open(level->getEC(), "HELPTRIGGER", 0, 0);
  steps(60);
  EXPECT_EQ(named("TUTORIAL1").size(), 3u);
}

TEST_F(TutorialTest, RegistrationStepsHoldThePatientFollowHerAndShutBedTwo) {
  withoutHelpTrigger();
  CMapEntity_PacientClass *p = arrived();
  ASSERT_NE(p, nullptr);
  open("TUTORIAL1");
  ASSERT_EQ(bubble(), "TUTORIAL1");
  expectHeld(p, 5);
  EXPECT_TRUE(arrowAt(668, 350)) << "at the chair";
  EXPECT_TRUE(arrowAt(p->getX() + 10, p->getY() - 67)) << "above the patient";
  EXPECT_FALSE(bed(2)->isLocked());

  // She sits at the chair: her long stay begins and bed 2 is shut while she is measured.
  chair()->occupant = p;
  p->sitDown(chair());
  step();
  EXPECT_EQ(bubble(), "TUTORIAL1B");
  EXPECT_FALSE(arrowAt(p->getX() + 10, p->getY() - 67));
  EXPECT_FLOAT_EQ(p->getMeterFull(), 1.0f);
  EXPECT_FLOAT_EQ(p->getRecoverySpeed(), 0.8f);
  EXPECT_EQ(framesetOf(head(p)), "ILL1");
  step();
  EXPECT_TRUE(bed(2)->isLocked());
  EXPECT_FALSE(bed(1)->isLocked());
  expectHeld(p, 5);
  steps(20);
  EXPECT_EQ(bubble(), "TUTORIAL1B") << "waits while she sits";

  chair()->occupant = nullptr;
  p->moveToBench();
  steps(2);
  EXPECT_EQ(bubble(), "TUTORIAL2");
  EXPECT_TRUE(arrowAt(96, 80)) << "at bed 1";
  TPatientState::setBedState(p, kBedOutbreak);
  steps(5);
  EXPECT_EQ(bubble(), "TUTORIAL2") << "only a bed link moves on";
}

TEST_F(TutorialTest, TheExaminationStepKeepsTheOutbreakUntilTheDoctorHasFinished) {
  withoutHelpTrigger();
  CMapEntity_PacientClass *p = arrived();
  ASSERT_NE(p, nullptr);
  auto *behaviour = dynamic_cast<CPacientController *>(p->getController());
  ASSERT_NE(behaviour, nullptr);
  TPatientState::setBedState(p, kBedLying);
  open("TUTORIAL3", 0, 420);
  EXPECT_TRUE(arrowAt(96, 80));
  for (int i = 0; i < 30; ++i) {
    step();
    ASSERT_EQ(p->getBedState(), kBedOutbreak);
    ASSERT_EQ(behaviour->outbreakWaitElapsed(), 0) << "her waiting time never runs";
  }
  EXPECT_EQ(framesetOf(p), "ILL1");
  EXPECT_EQ(framesetOf(head(p)), "ILL1");
  EXPECT_EQ(framesetOf(p->getContainedEntityClass(CMapEntity_PacientClass::kHandClass)), "ILL1");
  expectHeld(p, 5);

  // Examined, but the doctor is still at it.
  TPatientState::setBedState(p, kBedWaitingMedicine);
  figure()->workPhase = 12;
  steps(5);
  EXPECT_EQ(bubble(), "TUTORIAL3");
  EXPECT_EQ(p->getBedState(), kBedWaitingMedicine);
  figure()->workPhase = 18;
  CMapEntity_Game *recipe = give("RECEPT");
  step();
  EXPECT_EQ(bubble(), "TUTORIAL4");
  step();
  EXPECT_TRUE(arrowAt(458, 80)) << "at the cabinet";
  steps(10);
  EXPECT_EQ(bubble(), "TUTORIAL4") << "while the prescription is in hand";
  recipe->setKill(true);
  steps(2);
  EXPECT_EQ(bubble(), "TUTORIAL5");
}

TEST_F(TutorialTest, MedicineStepsPointAtTheMedicineThenTheBedAndLetTheNextPatientInAtTheEnd) {
  withoutHelpTrigger();
  CMapEntity_PacientClass *p = arrived();
  ASSERT_NE(p, nullptr);
  TPatientState::setBedState(p, kBedWaitingMedicine);
  open("TUTORIAL5", 0, 420);
  steps(10);
  EXPECT_EQ(bubble(), "TUTORIAL5");
  CMapEntity_Game *lek = CMapEntitiesFactory::instance()->cloneEntity("LEK");
  lek->setXY(342, 71);
  level->getEC()->addEntity(lek);
  steps(2);
  ASSERT_EQ(bubble(), "TUTORIAL6");
  EXPECT_TRUE(arrowAt(320, 90)) << "under the counter's first place";
  EXPECT_TRUE(arrowAt(96, 80)) << "at her bed";
  expectHeld(p, 5);

  figure()->addEntity(lek, false);
  step();
  EXPECT_FALSE(arrowAt(320, 90)) << "picked up";
  EXPECT_TRUE(arrowAt(96, 80));
  lek->setKill(true);
  steps(2);
  EXPECT_FALSE(arrowAt(96, 80)) << "given";
  EXPECT_EQ(bubble(), "TUTORIAL6");
  TPatientState::setBedState(p, kBedLying);
  steps(2);
  ASSERT_EQ(bubble(), "TUTORIAL7");

  // No second outbreak while she gets better.
  TPatientState::setBedState(p, kBedOutbreak);
  step();
  EXPECT_EQ(p->getBedState(), kBedLying);
  EXPECT_EQ(framesetOf(p), "LYING");
  expectHeld(p, 5);

  bed(1)->setObsazeno(true);
  TPatientState::setBedState(p, kBedGivingMoney);
  step();
  EXPECT_EQ(bubble(), "TUTORIAL8");
  CMapEntity_PacientClass *next = patient();
  ASSERT_NE(next, p) << "the next patient came in";
  EXPECT_EQ(next->name, "PACIENT2");
  EXPECT_EQ(next->locked, 1);
  EXPECT_EQ(next->getX(), 0.0f);
  EXPECT_EQ(next->getY(), 425.0f);
  bed(2)->lock(true);
  step();
  EXPECT_FALSE(bed(2)->isLocked()) << "bed 2 open again";
  expectHeld(next, 4);
  steps(5);
  EXPECT_EQ(bubble(), "TUTORIAL8") << "while a bed is taken";
  bed(1)->setObsazeno(false);
  step();
  EXPECT_EQ(bubble(), "TUTORIAL9");
}

TEST_F(TutorialTest, TidyingStepsWaitForTheSheetsAndBothBedsThenHandTheWardOver) {
  withoutHelpTrigger();
  CMapEntity_PacientClass *p = arrived();
  ASSERT_NE(p, nullptr);
  p->locked = 1;
  bed(1)->setUklizeno(false);
  open("TUTORIAL9");
  EXPECT_TRUE(arrowAt(96, 80));
  expectHeld(p, 4);
  steps(5);
  EXPECT_EQ(bubble(), "TUTORIAL9") << "the bed is not made";

  // The sheets in hand: the arrow and the words turn to the hamper.
  bed(1)->setUklizeno(true);
  CMapEntity_Game *sheets = give("ODPAD");
  step();
  EXPECT_FALSE(arrowAt(96, 80));
  EXPECT_TRUE(arrowAt(540, 210));
  auto *box = dynamic_cast<CMapEntity_TextBox *>(first("TUTORIAL9")->getContainedEntity(kTextBoxID));
  ASSERT_NE(box, nullptr);
  EXPECT_NE(box->text.find("laundry trolley"), std::string::npos) << box->text;
  sheets->setKill(true);
  steps(2);
  ASSERT_EQ(bubble(), "TUTORIAL9B");
  EXPECT_FALSE(arrowAt(540, 210));

  // Praise, then both beds to make again.
  steps(150);
  EXPECT_EQ(bubble(), "TUTORIAL9B");
  EXPECT_TRUE(bed(1)->isMadeUp());
  steps(60);
  ASSERT_EQ(bubble(), "TUTORIAL9C");
  EXPECT_FALSE(bed(1)->isMadeUp());
  EXPECT_FALSE(bed(2)->isMadeUp());
  step();
  EXPECT_TRUE(arrowAt(88, 220));
  EXPECT_TRUE(arrowAt(248, 220));
  bed(2)->setXY(300, bed(2)->getY());
  bed(2)->setUklizeno(true);
  step();
  EXPECT_TRUE(arrowAt(248, 220)) << "a bed away from x 208 does not count";
  bed(2)->setXY(208, bed(2)->getY());
  step();
  EXPECT_FALSE(arrowAt(248, 220));
  EXPECT_TRUE(arrowAt(88, 220));
  sheets = give("ODPAD");
  bed(1)->setUklizeno(true);
  steps(2);
  ASSERT_EQ(bubble(), "TUTORIAL9D");
  steps(5);
  EXPECT_TRUE(arrowAt(530, 210));
  EXPECT_EQ(bubble(), "TUTORIAL9D");
  sheets->setKill(true);
  steps(2);
  ASSERT_EQ(bubble(), "TUTORIAL9E");

  // Four seconds on the patient is the player's, and the first-day tips begin.
  steps(190);
  EXPECT_EQ(bubble(), "TUTORIAL9E");
  EXPECT_EQ(p->locked, 1);
  steps(20);
  ASSERT_EQ(bubble(), "TUTORIAL10");
  EXPECT_EQ(p->locked, 0);
  EXPECT_FLOAT_EQ(p->getPressureSpeed(), 0.005f);
  EXPECT_NE(first("TIP1TRIGGER"), nullptr);
  step();
  EXPECT_TRUE(arrowAt(10, 380));
  EXPECT_TRUE(arrowAt(668, 350));
  steps(260);
  EXPECT_EQ(bubble(), "(none)") << "the last words go after five seconds";
  EXPECT_TRUE(arrows().empty());
}

// Without a patient, a chair or the figure each step waits; a bare patient without head, arm or
// bars is held and dressed without reaching for them.
TEST_F(TutorialTest, StepsWaitWhatTheyNeedIsMissingAndNeverReachForIt) {
  withoutHelpTrigger();
  withoutArrivals();
  for (const char *gone : {"PLAYER", "ZIDLE"})
    for (CMapEntity_Game *e : named(gone)) e->setKill(true);
  step();
  ASSERT_EQ(figure(), nullptr);
  ASSERT_EQ(chair(), nullptr);
  for (const char *name : {"TUTORIAL1", "TUTORIAL1B", "TUTORIAL2", "TUTORIAL2B", "TUTORIAL3", "TUTORIAL4",
                           "TUTORIAL6", "TUTORIAL7", "TUTORIAL9", "TUTORIAL9D"}) {
    CMapEntity_Game *b = open(name);
    steps(30);
    EXPECT_EQ(bubble(), name) << "with nothing to teach with";
    b->setKill(true);
    step();
  }
  open("TUTORIAL9E");
  steps(210);
  EXPECT_EQ(bubble(), "TUTORIAL10") << "no patient to hand over, and no harm";
  first("TUTORIAL10")->setKill(true);

  auto *bare = new CMapEntity_PacientClass(0, 0, false);
  bare->name = "BARE";
  level->getEC()->addEntity(bare);
  for (const char *name : {"TUTORIAL1", "TUTORIAL3", "TUTORIAL7"}) {
    CMapEntity_Game *b = open(name);
    TPatientState::setBedState(bare, kBedOutbreak);
    steps(5);
    EXPECT_EQ(bare->getHearts(), 5) << name;
    b->setKill(true);
    step();
  }
}

} // namespace
