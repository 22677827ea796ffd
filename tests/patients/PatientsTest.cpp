#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <sys/wait.h>

#include "media/Timer.h"
#include "patients/CCustomerGenerator.h"
#include "patients/CPacientController.h"
#include "progress/HudDay.h"
#include "world/kinds/CMapEntity_GaucClass.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"

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
    level = new CLevel_Game(&engineObj);
    engineObj.setLevel(level);
    level->load("ward_demo");
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
};

TEST_F(PatientDay, MoodChangesFollowCharismaStayInRangeAndDriveHeartsAndFace) {
  loadWard();
  CMapEntity_PacientClass *p = clonePatient("PACIENT1");
  ASSERT_NE(p, nullptr);
  level->getEC()->addEntity(p);
  EXPECT_EQ(p->getAlpha(), 0.0f) << "a new patient starts invisible";
  CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
  ASSERT_NE(bar, nullptr);
  EXPECT_STREQ(bar->getSprite()->getAktivniFrameset()->getID(), "FRAMESET4") << "mood 0.65: four hearts";

  // Losses are divided and gains multiplied by the charisma factor of the stars.
  p->mood = 0.5f;
  applyMoodChange(*p, -0.2f, 2, false);
  EXPECT_NEAR(p->mood, 0.5f - 0.2f / 1.4f, 1e-6);
  applyMoodChange(*p, 0.1f, 3, false);
  EXPECT_NEAR(p->mood, 0.5f - 0.2f / 1.4f + 0.19f, 1e-6);
  EXPECT_EQ(p->hearts, 3);
  EXPECT_EQ(p->heartsBefore, 2);
  // A heart boost is a fixed gain and the mood never passes 1.
  applyMoodChange(*p, heartBoost(4), 4, true);
  EXPECT_EQ(p->mood, 1.0f);
  EXPECT_EQ(p->hearts, 5);
  applyMoodChange(*p, -3.0f, 0, false);
  EXPECT_EQ(p->mood, 0.0f);
  EXPECT_STREQ(bar->getSprite()->getAktivniFrameset()->getID(), "FRAMESET0");

  // Face bands, compared in double: a stored 0.4f lies above 0.4 and shows "BAD".
  EXPECT_STREQ(CMapEntity_PacientClass::faceFor(0.4f), "BAD");
  EXPECT_STREQ(CMapEntity_PacientClass::faceFor(0.39f), "VERYBAD");
  EXPECT_STREQ(CMapEntity_PacientClass::faceFor(0.8f), "VERYGOOD");
  EXPECT_EQ(CMapEntity_PacientClass::faceFor(1.2f), nullptr);
  EXPECT_EQ(CMapEntity_PacientClass::heartsFor(1.01f), nullptr);
  EXPECT_STREQ(CMapEntity_PacientClass::heartsFor(0.15f), "FRAMESET1");

  // A live patient's mood ticks every 1500 ms of game time on the couch.
  p->mood = 0.65f;
  CPacientController proto(nullptr, nullptr, &engineObj, "PACIENT1");
  CPacientController *live = static_cast<CPacientController *>(proto.clone());
  EXPECT_EQ(live->moodTimer->getSpoustec(), 1500);
  EXPECT_EQ(proto.moodTimer->getSpoustec(), 3000);
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
  for (CMapEntity *&seat : couch->occupants) seat = first;
  gen->generate(true);
  EXPECT_EQ(level->getPacienti()[0].count, 0);
  EXPECT_EQ(gen->getMissed(), 2);
  EXPECT_EQ(patients().size(), 2u);
}

TEST_F(PatientDay, LinksToKilledBedsAreForgottenAndSpeciesCopiesCarryTheirOwnSettings) {
  loadWard();
  CMapEntity_PacientClass *p = clonePatient("PACIENT4");
  level->getEC()->addEntity(p);
  EXPECT_EQ(p->getSprite() != nullptr, true);
  CMapEntity *head = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(head->name, "PACIENT4HLAVA");
  EXPECT_FLOAT_EQ(head->getYOffset(), -15.0f);
  CMapEntity_PacientClass *runner = clonePatient("BLAZEN3");
  EXPECT_EQ(runner->runAwayTimer->getSpoustec(), 12000);
  EXPECT_EQ(runner->runsAway, 1);
  level->getEC()->addEntity(runner);
  CMapEntity_PacientClass *sideburns = clonePatient("PACIENT11");
  EXPECT_EQ(sideburns->coughKind, 4);
  EXPECT_EQ(sideburns->coughPeriod, 2500);
  EXPECT_EQ(sideburns->meterFull, 1.0f);
  level->getEC()->addEntity(sideburns);

  CMapEntity_Game *bed = level->getEC()->getFirstEntityByClassID(13);
  ASSERT_NE(bed, nullptr);
  p->bed = bed;
  EXPECT_EQ(p->getBed(), bed);
  bed->setKill(true);
  EXPECT_EQ(p->getBed(), nullptr);
}

TEST(PatientDeathTest, APatientWithoutHeadOrHeartsEndsWithAFailureStatus) {
  CMapEntity_PacientClass bare(0, 0, false);
  EXPECT_EXIT(bare.synchronizujNaladu(), [](int status) { return !(WIFEXITED(status) && WEXITSTATUS(status) == 0); }, "HEAD class not found");
  EXPECT_EXIT(bare.synchronizujSrdicka(), [](int status) { return !(WIFEXITED(status) && WEXITSTATUS(status) == 0); }, "SRDICKA class not found");
}

} // namespace
