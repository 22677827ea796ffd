#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "game/CStartupTables.h"
#include "media/GameGlobals.h"
#include "support/WorldTestSupport.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapCollisionManager.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

// Small days of the game's own prototypes and behaviours, written into a scratch folder and run
// without a window: what arrives through adders, and the first click of a day.

namespace {

class ArrivalTest : public ::testing::Test, public WorldScratch {
protected:
  void SetUp() override {
    WorldScratch::setUp(true);
    debug = 0;
    std::srand(7);
    CGameOptions::instance()->nastavObtiznost(1);
    CLoadingScreen::destroyInstance();
    CMapEntitiesFactory::destroyInstance();
    spriteFactory->nahrajXML(TOB_BINARY_DIR "/data/gfx/sprites.xml");
    CEngine::setRunning(&engineObj);
    ASSERT_GT(registerEntityPrototypes(), 300u);
    engineObj.built().setControllerPrototypes(buildControllerPrototypes(&engineObj));
    mkdir((dir + "/data/maps").c_str(), 0755);
    mkdir((dir + "/data/maps/medium").c_str(), 0755);
    std::string copy = "cp '" TOB_BINARY_DIR "/data/maps/tiles.xml' '" + dir + "/data/maps/'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
  }

  void TearDown() override {
    delete level;
    engineObj.progression().setLevel(nullptr);
    delete engineObj.getCEntityControllersVzory_Game();
    engineObj.built().setControllerPrototypes(nullptr);
    CMapEntitiesFactory::destroyInstance();
    CLoadingScreen::destroyInstance();
    CEngine::setRunning(nullptr);
    WorldScratch::tearDown();
  }

  void write(const std::string &rel, const std::string &text) const {
    std::ofstream(dir + "/data/maps/medium/" + rel) << text;
  }

  // A day of the given entities on an open floor, with its clock still running.
  void loadDay(const std::string &entities) {
    write("arrivals_defs.xml", "<leveldef>\n<level tiledef=\"tiles.xml\" time=\"60000\" moneyLimit=\"500\" "
                               "expertMoney=\"900\" maxcolors=\"3\"/>\n</leveldef>\n");
    write("arrivals_map.xml", "<map>\n<layer/>\n</map>\n");
    write("arrivals_entities.xml", "<mapEntities>\n" + entities + "</mapEntities>\n");
    level = new CLevel_Game(&engineObj);
    engineObj.progression().setLevel(level);
    level->load("arrivals");
    steadyFrames(20);
  }

  void playFrames(int n) {
    for (int i = 0; i < n; ++i) {
      frame(20);
      level->update(0, true);
    }
  }

  // Entities of the class standing in the ward on their own (not carried by an arrival).
  std::vector<CMapEntity_Game *> standing(uint32_t cls) {
    std::vector<CMapEntity_Game *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == cls && !e->getKill() && !e->carrying().getParent()) out.push_back(e);
    return out;
  }
  int gauges() {
    int n = 0;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) n += e->getEntityID() == 250 && !e->getKill();
    return n;
  }
  std::vector<int> bedNumbers(bool carried) {
    std::vector<int> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == 13 && !e->getKill() && (e->carrying().getParent() != nullptr) == carried)
        out.push_back(dynamic_cast<CMapEntity_PostelClass &>(*e).getBedNumber());
    return out;
  }

  CEngine engineObj;
  CLevel_Game *level = nullptr;
};

// Beds arriving without "#N" keep the number they drew, so medicine finds the right bed; a bed
// given a number hands its own back, and the count goes on after the highest given.
TEST_F(ArrivalTest, ArrivingBedsWithoutANumberStillGetTheirOwn) {
  loadDay("<adder x=\"10\" y=\"100\"><adderentity name=\"POSTEL1\"/></adder>\n"
          "<adder x=\"170\" y=\"100\"><adderentity name=\"POSTEL2\" postelcislo=\"5\"/></adder>\n"
          "<adder x=\"330\" y=\"100\"><adderentity name=\"POSTEL3\"/></adder>\n"
          "<adder x=\"10\" y=\"230\"><adderentity name=\"POSTEL1\"/></adder>\n");
  std::vector<int> arriving = bedNumbers(true);
  EXPECT_EQ(arriving, (std::vector<int>{1, 5, 6, 7}));
  playFrames(300);
  std::vector<int> working = bedNumbers(false);
  ASSERT_EQ(working.size(), 4u) << "working copies replace the arriving beds";
  EXPECT_EQ(std::set<int>(working.begin(), working.end()), (std::set<int>{1, 5, 6, 7}));
}

// A chair gets its gauge once it stands whole in the ward: one that arrives through an adder
// from its working copy (the carried picture gets none, even when fully shown), one bound while
// fading in as soon as it is opaque. A patient seated there always has a gauge to start.
TEST_F(ArrivalTest, ChairsThatFadeInGetTheirGaugeOnceTheyStandWhole) {
  loadDay("<adder x=\"300\" y=\"200\"><adderentity name=\"ZIDLE2\"/></adder>\n"
          "<entity name=\"ZIDLE\" x=\"100\" y=\"300\"/>\n");
  CMapEntity_DiagnosticTool *fading = nullptr;
  for (CMapEntity_Game *e : standing(17)) fading = dynamic_cast<CMapEntity_DiagnosticTool *>(e);
  ASSERT_NE(fading, nullptr);
  fading->setAlpha(0.5f, true);
  playFrames(2);
  EXPECT_EQ(gauges(), 0) << "nothing stands whole yet";
  fading->setAlpha(1.0f, true);
  playFrames(1);
  ASSERT_NE(fading->getGauge(), nullptr) << "the chair bound while fading";
  EXPECT_FLOAT_EQ(fading->getGauge()->getX(), 100 + 45);

  playFrames(200);
  EXPECT_EQ(standing(17).size(), 1u) << "the arriving chair waits, fully shown";
  EXPECT_EQ(gauges(), 1) << "and its picture stands no gauge";
  playFrames(100);
  CMapEntity_DiagnosticTool *arrived = nullptr;
  for (CMapEntity_Game *e : standing(17))
    if (e != fading) arrived = dynamic_cast<CMapEntity_DiagnosticTool *>(e);
  ASSERT_NE(arrived, nullptr);
  ASSERT_NE(arrived->getGauge(), nullptr);
  EXPECT_TRUE(arrived->gauge.in(level->getEC())) << "in the ward, drawn and updated";
  EXPECT_FLOAT_EQ(arrived->getGauge()->getX(), 300 + 58);
  EXPECT_FLOAT_EQ(arrived->getGauge()->getY(), 200 - 5);
  EXPECT_EQ(gauges(), 2);
}

// The first click of a day, before the mouse has moved, leaves its "OK" marker where the click
// was, not at a remembered position.
TEST_F(ArrivalTest, TheFirstClickMarksWhereThePointerIs) {
  loadDay("<entity name=\"POSTEL1\" x=\"200\" y=\"150\"/>\n<entity name=\"KURZOR\" x=\"0\" y=\"0\"/>\n");
  playFrames(2);
  // The pointer rests where the window put it; the cursor stands there, no motion came.
  KInput::notePointer(275, 190);
  KEvent down{};
  down.type = K_EVENT_MOUSEDOWN;
  down.button = 1;
  down.mouseX = 275;
  down.mouseY = 190;
  level->handleMessages(&down);
  CMapEntity_Game *ok = nullptr;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (e->name == "OK") ok = e;
  ASSERT_NE(ok, nullptr) << "the click on the bed was taken";
  EXPECT_FLOAT_EQ(ok->getX(), 275 + 9);
  EXPECT_FLOAT_EQ(ok->getY(), 190 + 24);
}

} // namespace
