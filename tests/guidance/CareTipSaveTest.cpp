#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "CareTipDay.h"
#include "core/CProfiles.h"
#include "core/CSaveGame.h"
#include "world/CLevelList.h"

// The germ tip once per saved game: the hint travels through save.dat and back, a new game has
// none.

namespace {

class CareTipSaveTest : public CareTipDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(CareTipDay::SetUp());
    const char *old = std::getenv("HOME");
    hadHome = old != nullptr;
    if (old) oldHome = old;
    setenv("HOME", dir.c_str(), 1);
    mkdir((dir + "/hospital").c_str(), 0755);
    mkdir((dir + "/hospital/0").c_str(), 0755);
    profiles = new CProfiles();
    ASSERT_EQ(profiles->load(), 0);
    engineObj.built().setProfiles(profiles);
    std::ofstream(dir + "/levels.xml") << "<?xml version=\"1.0\"?>\n<level name=\"menu\"/>\n<level name=\"ward_events\"/>\n";
    list = new CLevelList();
    list->load(dir + "/levels.xml");
    engineObj.progression().setLevelList(list);
    engineObj.setSoucasnyLevel(1);
  }

  void TearDown() override {
    engineObj.built().setProfiles(nullptr);
    engineObj.progression().setLevelList(nullptr);
    delete profiles;
    delete list;
    CareTipDay::TearDown();
    if (hadHome) setenv("HOME", oldHome.c_str(), 1);
    else unsetenv("HOME");
  }

  // The day as the game builds it for the current level: arrivals held back, visitors sent away.
  void settle() {
    level = engineObj.getLevel();
    ASSERT_NE(level, nullptr);
    TLink<CCustomerGeneratorLink>::get()->setCustomerCount(level->getGenerator(), 0);
    closeNotebook();
    quietWard();
  }

  bool germTipAfterAGerm() {
    add("BACILY", 50, 50);
    run(200);
    return !alive(307).empty();
  }

  CProfiles *profiles = nullptr;
  CLevelList *list = nullptr;
  bool hadHome = false;
  std::string oldHome;
};

TEST_F(CareTipSaveTest, TheGermTipIsShownOncePerSavedGameAndAgainInANewGame) {
  ASSERT_TRUE(germTipAfterAGerm());
  engineObj.saveGame();
  ASSERT_TRUE(CSaveGame("0").exists());

  // Played again from the save: the trigger is back, the tip is not.
  engineObj.resetPlayer();
  ASSERT_EQ(engineObj.getPlayer()->getVirusHint(), 0);
  engineObj.loadGame();
  ASSERT_NO_FATAL_FAILURE(settle());
  ASSERT_EQ(engineObj.getPlayer()->getVirusHint(), 1);
  ASSERT_EQ(alive(306).size(), 1u);
  EXPECT_FALSE(germTipAfterAGerm());
  EXPECT_EQ(alive(306).size(), 1u) << "the trigger waits on for the whole day";

  // A new game starts without the hint, and the day shows the tip again.
  engineObj.resetPlayer();
  engineObj.progression().requestLevel(1, false);
  engineObj.checkNextLevel();
  ASSERT_NO_FATAL_FAILURE(settle());
  EXPECT_TRUE(germTipAfterAGerm());
}

} // namespace
