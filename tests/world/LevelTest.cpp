#include <gtest/gtest.h>

#include <string>

#include "media/Timer.h"
#include "world/CMapa.h"
#include "world/CPathFinder.h"
#include "support/LevelTestSupport.h"

namespace {

std::string defsPath(const LevelScratch &s, const std::string &name) {
  return s.dir + "/data/maps/medium/" + name + "_defs.xml";
}

TEST_F(LevelTest, DefinitionGivesEveryValueAndPatientRecords) {
  writeLevel("day1",
             "name=\"Monday\" customerWorker=\"1\" customerBoy=\"2\" customerHomeless=\"3\" customerCelebrity1=\"4\" "
             "perks=\"0\" pregenerate=\"2\" outbreakDelay=\"7000\" time=\"300000\" music=\"HUDBA1\" m=\"150\" "
             "e=\"400\" moneyLimit=\"1000\" expertMoney=\"2000\" maxcolors=\"3\" zacatekpauzy=\"60000\" "
             "zacatekpauzyrand=\"5000\" delkapauzy=\"20000\" monkeyTimer=\"9000\" unknown=\"7\"",
             "<pacient name=\"PACIENT1\" count=\"3\"/>\n"
             "<pacient name=\"PACIENT2\" forced=\"\" count=\"+1000\"/>\n"
             "<pacient name=\"PACIENT1\" forced=\"0\"/>\n");
  CLevel_Game l(&engineObj);
  l.nahrajDefs(defsPath(*this, "day1"));

  EXPECT_EQ(l.getLevelName(), "Monday");
  EXPECT_EQ(l.getTileDefName(), "tiles.xml");
  EXPECT_EQ(l.getCustomerWorker(), 1);
  EXPECT_EQ(l.getCustomerBoy(), 2);
  EXPECT_EQ(l.getCustomerHomeless(), 3);
  EXPECT_EQ(l.getCustomerCelebrity(), 4);
  EXPECT_TRUE(l.getPerks()); // present is enough, whatever it says
  EXPECT_EQ(l.getPregenerate(), 2);
  EXPECT_EQ(l.getOutbreakDelay(), 7000);
  EXPECT_TRUE(l.hasTime());
  EXPECT_EQ(l.getRawTime(), 300000);
  EXPECT_EQ(l.getLevelTime(), 300000);
  EXPECT_EQ(l.getMusic(), "HUDBA1");
  EXPECT_EQ(l.getMoneyPlus(), 150);
  EXPECT_EQ(l.getExpertMoneyPlus(), 400);
  EXPECT_EQ(l.getMoneyLimit(), 1000);
  EXPECT_EQ(l.getExpertMoney(), 2000);
  EXPECT_EQ(l.getMaxColors(), 3);
  EXPECT_EQ(l.getZacatekPauzy(), 60000);
  EXPECT_EQ(l.getZacatekPauzyRand(), 5000);
  EXPECT_EQ(l.getDelkaPauzy(), 20000);
  EXPECT_EQ(l.getMonkeyTimer(), 9000);

  // The clock starts with the definition and runs on game time.
  ASSERT_NE(l.getLevelClock(), nullptr);
  EXPECT_EQ(l.getLevelClock()->vratVteriny(), 0);
  frame(40);
  EXPECT_EQ(l.getLevelClock()->vratVteriny(), 40);

  std::vector<CPacient> &p = l.getPacienti();
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].name, "PACIENT1");
  EXPECT_FALSE(p[0].forced);
  EXPECT_EQ(p[0].count, 3);
  EXPECT_EQ(p[1].name, "PACIENT2");
  EXPECT_TRUE(p[1].forced);
  EXPECT_EQ(p[1].count, 1000);
  EXPECT_TRUE(p[2].forced);
  EXPECT_EQ(p[2].count, 0);
  EXPECT_EQ(l.getTotalCustomers(), 3 + 1000);
  EXPECT_NE(logText().find("Pridavam pacienta PACIENT2"), std::string::npos);

  // Each record's kind was drawn once, and the copies are gone: only the three prototypes live,
  // and no patient is left in the level.
  EXPECT_EQ(ProbeEntity::fills().size(), 3u);
  EXPECT_EQ(ProbeEntity::live(), 3);
  EXPECT_TRUE(l.noCustomers());
}

TEST_F(LevelTest, DefinitionWithOnlyTiledefKeepsTheDefaults) {
  writeLevel("menu", "");
  CLevel_Game l(&engineObj);
  l.nahrajDefs(defsPath(*this, "menu"));
  EXPECT_EQ(l.getLevelName(), "NO NAME");
  EXPECT_FALSE(l.hasTime());
  EXPECT_EQ(l.getLevelClock(), nullptr);
  EXPECT_EQ(l.getLevelTime(), 0);
  EXPECT_EQ(l.getRawTime(), 0);
  EXPECT_EQ(l.getOutbreakDelay(), 5000);
  EXPECT_EQ(l.getMaxColors(), -1);
  EXPECT_EQ(l.getMonkeyTimer(), 15000);
  EXPECT_EQ(l.getMoneyLimit(), 0);
  EXPECT_EQ(l.getExpertMoney(), 0);
  EXPECT_EQ(l.getMoneyPlus(), 0);
  EXPECT_EQ(l.getTotalCustomers(), 0);
  EXPECT_EQ(l.getPregenerate(), 0);
  EXPECT_FALSE(l.getPerks());
  EXPECT_EQ(l.getMusic(), "");
  EXPECT_TRUE(l.getPacienti().empty());
  // Without a clock the day never closes and no part of it passes.
  frame(50);
  EXPECT_FALSE(l.closed());
  EXPECT_EQ(l.getTimeLeftPercent(), 0.0f);
  l.finishClock();
  EXPECT_FALSE(l.closed());
}

TEST_F(LevelTest, LoadReadsEveryFileInOrderWithLoadingSteps) {
  writeLevel("ward", "name=\"Ward\" time=\"60000\"", "<pacient name=\"PACIENT1\" count=\"2\"/>\n",
             "<entity name=\"PROBE\" x=\"10\" y=\"20\"/>\n",
             "<map background=\"ward.tga\">\n<layer bgtiles=\"1\"/>\n</map>\n");
  std::string longLine(5000, 'x');
  writeFile("data/maps/medium/ward_intro.txt", "line one\nline two\n");
  writeFile("data/maps/medium/ward_outro.txt", "");
  writeFile("data/maps/medium/ward_entitydesc.txt", longLine + "\r\nend");
  mkdir((dir + "/data/maps/easy").c_str(), 0755);
  writeFile("data/maps/easy/ward_introentity.txt", "PROBE");

  loadLevel("ward");

  // The patient record is drawn at the first step, the entities file at the fourth.
  ASSERT_EQ(ProbeEntity::fills().size(), 2u);
  EXPECT_FLOAT_EQ(ProbeEntity::fills()[0], 0.2f);
  EXPECT_FLOAT_EQ(ProbeEntity::fills()[1], 0.8f);
  EXPECT_FLOAT_EQ(CLoadingScreen::instance()->getFill(), 1.0f);
  EXPECT_EQ(CLoadingScreen::instance()->getText(), "LOADING");

  EXPECT_EQ(level->getLevelName(), "Ward");
  EXPECT_NE(level->getMapa()->getPozadi(), MAPA_ZADNA_SURFACE);
  ASSERT_EQ(level->getMapa()->getLayers().size(), 1u);
  EXPECT_TRUE(level->getMapa()->isWalkable(0, 0));
  EXPECT_EQ(CPathFinder::instance()->getMapa(), level->getMapa());
  EXPECT_EQ(level->getEC()->getMapa(), level->getMapa());

  CMapEntity_Game *probe = level->getEC()->getEntityByID(500);
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(probe->getX(), 10.0f);
  EXPECT_EQ(probe->getY(), 20.0f);
  EXPECT_EQ(countID(73), 1);
  EXPECT_EQ(ProbeEntity::live(), 3 + 1);

  // Texts byte for byte; a long line is not cut; a file of another difficulty is not read.
  EXPECT_EQ(level->getIntroText(), "line one\nline two\n");
  EXPECT_EQ(level->getOutroText(), "");
  EXPECT_EQ(level->getEntityDesc(), longLine + "\r\nend");
  EXPECT_EQ(level->getIntroEntity(), "");

  // A second load of another level replaces everything; the first level's entities are freed.
  writeLevel("menu", "");
  loadLevel("menu");
  EXPECT_EQ(ProbeEntity::live(), 3);
  EXPECT_EQ(CPathFinder::instance()->getMapa(), level->getMapa());
}

TEST_F(LevelTest, FillLeftByAnotherLoaderStaysUntilTheLastStep) {
  writeLevel("ward", "", "<pacient name=\"PACIENT1\"/>\n", "<entity name=\"PROBE\" x=\"0\" y=\"0\"/>\n");
  CLoadingScreen::instance()->setFill(0.5f);
  loadLevel("ward");
  ASSERT_EQ(ProbeEntity::fills().size(), 2u);
  EXPECT_FLOAT_EQ(ProbeEntity::fills()[0], 0.5f);
  EXPECT_FLOAT_EQ(ProbeEntity::fills()[1], 0.5f);
  EXPECT_FLOAT_EQ(CLoadingScreen::instance()->getFill(), 1.0f);

  // A full bar from the level before starts again from the first step.
  ProbeEntity::fills().clear();
  loadLevel("ward");
  ASSERT_EQ(ProbeEntity::fills().size(), 2u);
  EXPECT_FLOAT_EQ(ProbeEntity::fills()[0], 0.2f);
  EXPECT_FLOAT_EQ(ProbeEntity::fills()[1], 0.8f);
}

TEST_F(LevelTest, BrokenDefinitionEndsTheRunNamingFileAndRow) {
  const ::testing::ExitedWithCode minusOne(255);
  const std::string file = "[^ ]*/data/maps/medium/bad_defs.xml";
  auto defs = [&](const std::string &xml) {
    writeFile("data/maps/medium/bad_defs.xml", xml);
    CLevel_Game l(&engineObj);
    l.nahrajDefs(defsPath(*this, "bad"));
  };
  EXPECT_EXIT(defs("<leveldef>\n<level tiledef=\"t\">\n</leveldef>\n"), minusOne,
              "File " + file + " is not well-formed XML! \\(file " + file + ", row 3: Error reading end tag.\\)");
  EXPECT_EXIT(defs("<levels>\n<level tiledef=\"t\"/>\n</levels>\n"), minusOne,
              "leveldef tag not found, encapsulate level definiton in <leveldef></leveldef> tags!");
  EXPECT_EXIT(defs("<leveldef>\n<levels tiledef=\"t\"/>\n</leveldef>\n"), minusOne,
              "level tag not found in leveldef! \\(file " + file + ", row 1\\)");
  EXPECT_EXIT(defs("<leveldef>\n<level name=\"x\"/>\n</leveldef>\n"), minusOne,
              "TILEDEF not found near LEVEL tag! \\(file " + file + ", row 2\\)");
  EXPECT_EXIT(defs("<leveldef>\n<level tiledef=\"t\"/>\n<pacient name=\"PACIENT1\"/>\n<pacient count=\"1\"/>\n"
                   "</leveldef>\n"),
              minusOne, "NAME not found near PACIENT tag! \\(file " + file + ", row 4\\)");
  EXPECT_EXIT(defs("<leveldef>\n<level tiledef=\"t\"/>\n<pacient name=\"NOBODY\"/>\n</leveldef>\n"), minusOne,
              "Entity NOBODY not found in global entity object! \\(file " + file + ", row 3\\)");
  EXPECT_EXIT(defs("<leveldef>\n<level tiledef=\"t\" time=\"abc\"/>\n</leveldef>\n"), minusOne,
              "TIME \"abc\" near LEVEL tag is not a whole number from 0 to 86400000! \\(file " + file + ", row 2\\)");
  EXPECT_EXIT(defs("<leveldef>\n<level tiledef=\"t\" moneyLimit=\"-5\"/>\n</leveldef>\n"), minusOne,
              "MONEYLIMIT \"-5\" near LEVEL tag is not a whole number from 0 to 10000000!");
  EXPECT_EXIT(defs("<leveldef>\n<level tiledef=\"t\"/>\n<pacient name=\"PACIENT1\" count=\"70000\"/>\n</leveldef>\n"),
              minusOne, "COUNT \"70000\" near PACIENT tag is not a whole number from 0 to 1000! \\(file " + file + ", row 3\\)");
}

TEST_F(LevelTest, MissingLevelFilesEndTheRunNamingThem) {
  const ::testing::ExitedWithCode minusOne(255);
  EXPECT_EXIT(loadLevel("nothing"), minusOne, "File [^ ]*/data/maps/medium/nothing_defs.xml not found!");

  writeLevel("nomap", "");
  std::remove((dir + "/data/maps/medium/nomap_map.xml").c_str());
  EXPECT_EXIT(loadLevel("nomap"), minusOne, "File [^ ]*/data/maps/medium/nomap_map.xml not found!");

  writeLevel("noentities", "");
  std::remove((dir + "/data/maps/medium/noentities_entities.xml").c_str());
  EXPECT_EXIT(loadLevel("noentities"), minusOne, "File [^ ]*/data/maps/medium/noentities_entities.xml not found!");

  writeFile("data/maps/medium/notiles_defs.xml", "<leveldef><level tiledef=\"gone.xml\"/></leveldef>");
  EXPECT_EXIT(loadLevel("notiles"), minusOne, "File [^ ]*/data/maps/gone.xml not found!");

  // The level list gave no name: it has none for this difficulty.
  EXPECT_EXIT(loadLevel(""), minusOne,
              "The level list of difficulty medium is empty! \\(file [^ ]*/data/maps/medium/levellist.xml\\)");
}

} // namespace
