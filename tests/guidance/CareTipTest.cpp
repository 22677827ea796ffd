#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "CareTipDay.h"
#include "guidance/CCareTipControllers.h"
#include "media/CFakeTime.h"
#include "support/PatientState.h"
#include "world/kinds/EntityIds.h"

// The hearts tour, the germ tip and the pressure reminder on the event day, headless.

namespace {

class CareTipTest : public CareTipDay {};

TEST_F(CareTipTest, TheHeartsTourHoldsThePatientUntilInBedThenWalksItsHeartsThroughSixPages) {
  engineObj.getPlayer()->setVirusHint(1);
  ASSERT_TRUE(runUntil([&] { return alive(10000).empty(); }, 20000)) << "beds set down";
  add("TIPSRDICKATRIGGER", 0, 425);

  // With nobody on the ward both wait.
  CMapEntity_Game *early = add("TIPSRDICKA", 0, 395);
  run(6500);
  EXPECT_EQ(alive(363).size(), 1u);
  auto *waiting = dynamic_cast<CTipSrdickaController *>(early->getController());
  ASSERT_NE(waiting, nullptr);
  EXPECT_EQ(waiting->getRunState(), 0);
  EXPECT_TRUE(arrows(early).empty());
  early->setKill(true);
  update();

  // Walking in, its bed word still reads "lying": held happy, but no tour yet.
  auto *walker = dynamic_cast<CMapEntity_PacientClass *>(add("PACIENT1", 400, 300));
  TPatientState::setMood(walker, 0.15f);
  update();
  update();
  EXPECT_EQ(walker->getMood(), 1.0f);
  EXPECT_EQ(walker->getHearts(), 5);
  EXPECT_EQ(walker->getHeartsBefore(), 5);
  EXPECT_TRUE(alive(362).empty());
  walker->setKill(true);
  update();

  CMapEntity_PacientClass *p = layPatient(beds().front(), 0.15f);
  run(200);
  EXPECT_EQ(p->getMood(), 1.0f) << "asleep in bed: still held";
  EXPECT_EQ(p->getHearts(), 5);
  EXPECT_TRUE(alive(362).empty());
  ASSERT_EQ(alive(363).size(), 1u);

  TPatientState::setBedState(p, kBedLying);
  update();
  CMapEntity_Game *bubble = one(362);
  ASSERT_NE(bubble, nullptr);
  EXPECT_EQ(bubble->getX(), 0.0f);
  EXPECT_EQ(bubble->getY(), 395.0f);
  update();
  EXPECT_TRUE(alive(363).empty()) << "the trigger is gone";
  auto *tour = dynamic_cast<CTipSrdickaController *>(bubble->getController());
  ASSERT_NE(tour, nullptr);

  // Six seconds of the opening words, then the arrow over the patient and the first page.
  EXPECT_TRUE(arrows(bubble).empty());
  EXPECT_FALSE(runUntil([&] { return tour->getRunState() == 1; }, 5800));
  EXPECT_EQ(p->getMeterFull(), 0.5f);
  ASSERT_TRUE(runUntil([&] { return tour->getRunState() == 1; }, 400));
  ASSERT_EQ(arrows(bubble).size(), 1u);
  EXPECT_EQ(arrows(bubble)[0]->getXOffset(), p->getX() + 36);
  EXPECT_EQ(arrows(bubble)[0]->getYOffset(), -307.0f);

  const int hearts[5] = {4, 2, 1, 3, 5};
  const float moods[5] = {0.61f, 0.21f, 0.11f, 0.41f, 1.0f};
  const int periods[6] = {4000, 6000, 4500, 4000, 6000, 4500};
  uint32_t pageStart = CFakeTime::instance()->ms;
  for (int page = 0; page < 6; ++page) {
    // Whatever the patient's own behaviour would do, the page holds it: no hearts left, or on the
    // last page, which leaves it alone, a happy patient.
    TPatientState::setMood(p, page < 5 ? 0.05f : 0.9f);
    update();
    EXPECT_EQ(tour->getPage(), page);
    EXPECT_EQ(shownText(bubble), CTipSrdickaController::pageText(page)) << page;
    if (page < 5) {
      EXPECT_FLOAT_EQ(p->getMood(), moods[page]) << page;
      EXPECT_EQ(p->getHearts(), hearts[page]) << page;
      EXPECT_EQ(p->getHeartsBefore(), 0) << "what the patient had a frame ago";
      update();
      EXPECT_EQ(p->getHeartsBefore(), hearts[page]) << "set again on the next frame";
    } else {
      EXPECT_GT(p->getMood(), 0.8f) << "the last page leaves the patient alone";
    }
    ASSERT_TRUE(runUntil([&] { return tour->getPage() != page || bubble->getY() != 395.0f; }, periods[page] + 200));
    ASSERT_EQ(bubble->getY(), 395.0f) << "slid aside on page " << page << ", to come back with the next";
    const uint32_t now = CFakeTime::instance()->ms;
    EXPECT_NEAR((double)(now - pageStart), periods[page], 60.0) << page;
    pageStart = now;
  }
  const size_t arrowsBefore = alive(189).size();
  update();
  EXPECT_TRUE(alive(362).empty()) << "gone the frame after its last page";
  EXPECT_EQ(alive(189).size(), arrowsBefore - 1) << "with its arrow";
}

TEST_F(CareTipTest, TheGermTipComesOnARealGermOnlyAndGoesWhenTheFigureHoldsTheSpray) {
  ASSERT_EQ(alive(306).size(), 1u) << "the day places the trigger";
  CPlayer *player = engineObj.getPlayer();
  ASSERT_EQ(player->getVirusHint(), 0);

  // The cloud over an ill patient and the band's notes share the germs' class but are no germs.
  add("NEMOCNEJBACILY", 300, 200);
  add("HAPPYNOTES", 320, 220);
  run(500);
  EXPECT_TRUE(alive(307).empty());
  EXPECT_EQ(player->getVirusHint(), 0) << "the hint is not spent on music";
  EXPECT_EQ(alive(306).size(), 1u);

  add("BACILY", 50, 50);
  update();
  CMapEntity_Game *tip = one(307);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(tip->getX(), 0.0f);
  EXPECT_EQ(tip->getY(), 425.0f);
  EXPECT_EQ(player->getVirusHint(), 1);
  EXPECT_EQ(shownText(tip), "Germs drain the patients below them! Take the spray from its stand:|the doctor sprays the "
                            "germs nearby. Click a germ over a bed to go there.");
  EXPECT_EQ(tip->getContainedEntity(1001)->getY(), 425.0f + 55.0f);
  update();
  EXPECT_TRUE(alive(306).empty());
  ASSERT_EQ(arrows(tip).size(), 1u);
  CMapEntity *arrow = arrows(tip)[0];
  EXPECT_EQ(arrow->getX(), 615.0f);
  EXPECT_EQ(arrow->getY(), 75.0f);
  ASSERT_NE(arrow->looks().getSprite(), nullptr);
  EXPECT_EQ(arrow->looks().getSprite()->getAngle(), 180.0f);

  // Dimmed while the pointer is in the band below its top edge; both edges count as outside.
  pointerAt(300, 426);
  EXPECT_FLOAT_EQ(tip->looks().getAlpha(), 0.3f);
  EXPECT_FLOAT_EQ(arrow->looks().getAlpha(), 0.3f);
  pointerAt(300, 425);
  EXPECT_FLOAT_EQ(tip->looks().getAlpha(), 1.0f);
  pointerAt(300, 524);
  EXPECT_FLOAT_EQ(arrow->looks().getAlpha(), 0.3f);
  pointerAt(300, 525);
  EXPECT_FLOAT_EQ(arrow->looks().getAlpha(), 1.0f);

  run(3000);
  EXPECT_FALSE(tip->getKill()) << "no time limit";
  CMapEntity_Game *figure = level->getEC()->getEntityByID(7);
  ASSERT_NE(figure, nullptr);
  figure->addEntity(std::string("SPREJ"));
  ASSERT_NE(figure->getContainedEntity(kSprayID), nullptr);
  const size_t arrowsBefore = alive(189).size();
  update();
  EXPECT_TRUE(alive(307).empty());
  EXPECT_EQ(alive(189).size(), arrowsBefore - 1);
  add("BACILY2", 60, 60);
  run(200);
  EXPECT_TRUE(alive(307).empty()) << "once per run of the trigger";
}

TEST_F(CareTipTest, ASlowPressurePatientBringsTheReminderWithTwoArrowsForSevenAndAHalfRealSeconds) {
  engineObj.getPlayer()->setVirusHint(1);
  add("REMINDPRESSURETRIGGER", 0, 0);
  CMapEntity_Game *other = add("PACIENT1", 400, 300);
  // As the day's notebook shows its new patient.
  other->addEntity(CMapEntitiesFactory::instance()->cloneEntity("PACIENT5"), true, true);
  run(500);
  EXPECT_TRUE(alive(395).empty()) << "another species, or a picture of this one, brings nothing";

  CMapEntity_Game *patient = add("PACIENT5", 300, 320);
  const float px = patient->getX(), py = patient->getY();
  update();
  CMapEntity_Game *reminder = one(395);
  ASSERT_NE(reminder, nullptr) << "on the first frame the patient is there";
  EXPECT_EQ(reminder->getX(), 0.0f);
  EXPECT_EQ(reminder->getY(), 10.0f);
  EXPECT_EQ(reminder->getContainedEntity(1001)->getY(), 65.0f);
  EXPECT_EQ(shownText(reminder), "This patient's blood pressure is slow to measure.|Seat them on an examination chair right away!");
  update();
  EXPECT_TRUE(alive(396).empty());
  std::vector<CMapEntity *> two = arrows(reminder);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0]->getX(), px + 10);
  EXPECT_EQ(two[0]->getY(), py - 40);
  EXPECT_EQ(two[1]->getX(), 710.0f);
  EXPECT_EQ(two[1]->getY(), 380.0f);
  patient->setXY(px + 100, py);
  update();
  EXPECT_EQ(two[0]->getX(), px + 10) << "the arrow stays where the patient was";

  pointerAt(300, 11);
  EXPECT_FLOAT_EQ(two[1]->looks().getAlpha(), 0.3f);
  pointerAt(300, 110);
  EXPECT_FLOAT_EQ(two[1]->looks().getAlpha(), 1.0f);

  // Real time: a pause does not lengthen its life.
  CGlobals::instance()->paused = true;
  const uint32_t game = CFakeTime::instance()->ms;
  const size_t arrowsBefore = alive(189).size();
  run(7200);
  EXPECT_EQ(alive(395).size(), 1u);
  EXPECT_TRUE(runUntil([&] { return alive(395).empty(); }, 400));
  EXPECT_EQ(CFakeTime::instance()->ms, game) << "the game clock stood still";
  EXPECT_EQ(alive(189).size(), arrowsBefore - 2) << "with both arrows";
  CGlobals::instance()->paused = false;
  add("PACIENT5", 200, 320);
  run(200);
  EXPECT_TRUE(alive(395).empty()) << "one reminder per trigger";
}

} // namespace
