#include <gtest/gtest.h>

#include <memory>

#include "HudDay.h"
#include "engine/KInput.h"
#include "media/CGlobals.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/Frameset.h"
#include "progress/CLevelCompletedController.h"
#include "progress/CMapEntity_LevelCompleted.h"
#include "progress/CMapEntity_Victory.h"
#include "progress/CMapStarController.h"
#include "progress/CMapaLetadloController.h"
#include "world/CLevelList.h"
#include "world/CMapEntity_Fader.h"

// The generated world map ("map1") and victory screen through the game's own tables, headless.

namespace {

class MapScreenTest : public ::testing::Test, public HudDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpDay(true));
    KInput::resetHeldState();
    KInput::setViewMapping(0, 0, 800, 600, 800, 600);
    list.load(KMiscTools::makeFilePath("data\\maps\\medium\\levellist.xml"));
    engineObj.progression().setLevelList(&list);
    engineObj.setSoucasnyLevel(2);
  }

  void TearDown() override {
    KInput::resetHeldState();
    engineObj.progression().setLevelList(nullptr);
    tearDownDay();
  }

  void load(const char *name) {
    GameDayScratch::load(name);
    step();
  }

  void pointAt(CMapEntity *e) {
    KInput::notePointer((int)e->getX() + 20, (int)e->getY() + 20);
    step();
    step();
  }

  std::string frameset(CMapEntity *e) { return e->looks().getSprite()->getAktivniFrameset()->getID(); }

  CLevelList list;
};

TEST_F(MapScreenTest, FinishedDayIconsShowTheirRatingAndReplayOnlyDaysInsideTheList) {
  // Each stop shows its own day's record, whatever order the record lists the days in.
  player->addLevelDone(list.getSize() + 3, 0);
  player->addLevelDone(list.dayLevel(3), 0);
  player->addLevelDone(list.dayLevel(2), 1);
  load("map_events");
  CMapEntity_Game *placed = first("LEVELCOMPLETED");
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(static_cast<CMapEntity_LevelCompleted *>(placed)->getPoradi(), 0);
  EXPECT_EQ(frameset(placed), "FRAMESET2") << "day 2 was an expert finish";

  // Icons number on from the map's own: the second shows the normal finish, a third nothing.
  std::unique_ptr<CMapEntity_Game> second(CMapEntitiesFactory::instance()->cloneEntity("LEVELCOMPLETED"));
  std::unique_ptr<CMapEntity_Game> third(CMapEntitiesFactory::instance()->cloneEntity("LEVELCOMPLETED"));
  EXPECT_EQ(static_cast<CMapEntity_LevelCompleted *>(second.get())->getPoradi(), 1);
  EXPECT_EQ(frameset(second.get()), "FRAMESET1");
  EXPECT_EQ(static_cast<CMapEntity_LevelCompleted *>(third.get())->getPoradi(), 2);

  pointAt(placed);
  KEvent right = event(3, 2);
  level->handleMessages(&right);
  EXPECT_EQ(engineObj.progression().getSkipToLevel(), 0u) << "a right click asks nothing";
  engineObj.setSkipToLevel(CEngine::kNoSkip);
  KEvent left = event(3, 1);
  level->handleMessages(&left);
  EXPECT_EQ(engineObj.progression().getSkipToLevel(), list.dayLevel(2));

  // A day not finished asks for no jump, nor does a record naming a level past the list's end (as
  // a save.dat of a longer list could) show anywhere.
  engineObj.setSkipToLevel(CEngine::kNoSkip);
  third->setXY(placed->getX(), placed->getY());
  placed->setXY(-500, -500);
  EXPECT_FALSE(third->looks().getVisible());
  level->getEC()->addEntity(third.release());
  step();
  step();
  level->handleMessages(&left);
  EXPECT_EQ(engineObj.progression().getSkipToLevel(), CEngine::kNoSkip);

  second.reset();
  delete level;
  level = nullptr;
  engineObj.progression().setLevel(nullptr);
  EXPECT_EQ(CMapEntity_LevelCompleted::globalPoradi, 0) << "the next map numbers from 0 again";
}

TEST_F(MapScreenTest, AListWithoutDayMarksShowsTheRecordInItsOrder) {
  CLevelList unmarked;
  for (uint16_t i = 0; i < list.getSize(); ++i) unmarked.add(list.getLevel(i));
  engineObj.progression().setLevelList(&unmarked);
  player->addLevelDone(list.dayLevel(3), 1);
  load("map_events");
  auto *placed = static_cast<CMapEntity_LevelCompleted *>(first("LEVELCOMPLETED"));
  ASSERT_NE(placed, nullptr);
  EXPECT_TRUE(placed->looks().getVisible());
  EXPECT_EQ(placed->getLevel(), list.dayLevel(3)) << "the record's first day, replayed by a click";
}

TEST_F(MapScreenTest, TheIconDoesNotJumpToTheMainMenu) {
  player->addLevelDone(0, 0);
  load("map_events");
  pointAt(first("LEVELCOMPLETED"));
  engineObj.setSkipToLevel(CEngine::kNoSkip);
  KEvent left = event(3, 1);
  level->handleMessages(&left);
  EXPECT_EQ(engineObj.progression().getSkipToLevel(), CEngine::kNoSkip);
}

TEST_F(MapScreenTest, PlaneWaitsFliesWithSmokeAndComesBackFromTheLeft) {
  load("map1");
  CMapEntity_Game *plane = first("MAPPLANE");
  ASSERT_NE(plane, nullptr);
  auto *flight = dynamic_cast<CMapaLetadloController *>(plane->getController());
  ASSERT_NE(flight, nullptr);
  const float startX = plane->getX();
  int frames = 0;
  while (flight->getState() == CMapaLetadloController::kWaitingFirst && frames < 200) {
    EXPECT_EQ(plane->getX(), startX);
    step();
    ++frames;
  }
  EXPECT_LE(frames * 20, 2520) << "the first wait is 1 to 2.5 s";
  EXPECT_EQ(flight->getState(), CMapaLetadloController::kFlying);

  // Paused, nothing moves and no smoke is made.
  const size_t before = level->getEC()->getEntitiesPtr()->size();
  CGlobals::instance()->paused = true;
  for (int i = 0; i < 10; ++i) step();
  EXPECT_EQ(level->getEC()->getEntitiesPtr()->size(), before);
  CGlobals::instance()->paused = false;

  const float x = plane->getX(), y = plane->getY();
  for (int i = 0; i < 10; ++i) step();
  EXPECT_NEAR(plane->getX() - x, 30.0f, 0.5f);
  EXPECT_NEAR(plane->getY() - y, 10.0f, 0.5f);
  int puffs = 0;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) puffs += e->name == "LETADLOKOUR";
  EXPECT_GE(puffs, 6);
  EXPECT_EQ(puffs % 2, 0) << "puffs come in pairs";

  plane->setXY(800.0f, y);
  step();
  EXPECT_EQ(flight->getState(), CMapaLetadloController::kWaitingAgain);
  flight->getFlightTimer()->nastavSpoustec(20);
  step();
  step();
  EXPECT_EQ(flight->getState(), CMapaLetadloController::kFlying);
  EXPECT_NEAR(plane->getX(), -120.0f + 3.0f, 3.5f);

  CMapEntity_Game *cloud = first("MAPCLOUD1");
  cloud->setXY(800.0f, 77.0f);
  step();
  EXPECT_FLOAT_EQ(cloud->getX(), -200.0f);
  EXPECT_FLOAT_EQ(cloud->getY(), 77.0f);
}

TEST_F(MapScreenTest, StarPressDarkensTheScreenOverASecondAndEndsTheMapOnce) {
  player->setPerkBought(true);
  player->setPerkSelected(true);
  load("map1");
  CMapEntity_Game *star = first("MAPSTAR");
  ASSERT_NE(star, nullptr);
  auto *behaviour = dynamic_cast<CMapStarController *>(star->getController());
  ASSERT_NE(behaviour, nullptr);
  pointAt(star);
  KInput::noteButton(1, true);
  step();
  CMapEntity_Fader *fader = behaviour->getFader();
  ASSERT_NE(fader, nullptr);
  EXPECT_EQ(fader->getTimeLimit(), 1000u);
  step();
  step();
  EXPECT_EQ(behaviour->getFader(), fader) << "holding the button makes no second fade";
  int frames = 0;
  while (!level->getLevelOver() && frames < 100) {
    EXPECT_TRUE(player->getPerkBought()) << "cleared only when the fade completes";
    step();
    ++frames;
  }
  EXPECT_TRUE(level->getLevelOver());
  EXPECT_NEAR(frames * 20, 1000, 100);
  EXPECT_FALSE(player->getPerkBought());
  EXPECT_FALSE(player->getPerkSelected());
}

TEST_F(MapScreenTest, VictoryHeroFollowsTheSexWhenTheScreenIsBuilt) {
  for (int sex : {1, 0, 7}) {
    player->setPohlavi(sex);
    std::unique_ptr<CMapEntity_Game> hero(CMapEntitiesFactory::instance()->cloneEntity("VICTORYPLAYER"));
    player->setPohlavi(sex == 1 ? 0 : 1);
    EXPECT_EQ(std::string(hero->looks().getSprite()->getID()), sex == 1 ? "VICTORYPLAYERM" : "VICTORYPLAYERF") << sex;
  }
  load("victory");
  EXPECT_NE(first("MAINMENUBUTTON"), nullptr) << "the way back to the main menu";
  CMapEntity_Game *confetti = first("VICTORYCONFETTI");
  ASSERT_NE(confetti, nullptr);
  EXPECT_GT(confetti->getY(), 0.0f) << "the confetti falls";
}

} // namespace
