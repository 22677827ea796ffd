#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "core/CProfiles.h"
#include "core/CStavHry_Hra.h"
#include "core/CStavHry_Pauza.h"
#include "support/GameSpritesSupport.h"
#include "support/HomeFixture.h"
#include "core/CLoadingScreen.h"
#include "media/GameGlobals.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "game/CStartupTables.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CSurface.h"
#include "support/FakePicture.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CEntityController.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Fader.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/Links.h"

namespace {

// A state that counts what the engine does with it.
class CountingState : public CStavHry {
public:
  explicit CountingState(const std::string &name) : CStavHry(name) {}
  void init(CEngine *e) override {
    initVirtual();
    engine = e;
    ++inits;
    active = 1;
  }
  void handleMessages(KEvent *) override { ++events; }
  void update() override {
    ++updates;
    if (frameMs) clock() += frameMs;
  }
  void close() override {
    closeVirtual();
    ++closes;
  }
  int inits = 0, closes = 0, events = 0, updates = 0;
  uint32_t frameMs = 0;

  static uint32_t &clock() {
    static uint32_t ms = 1000;
    return ms;
  }
};

uint32_t testClock() { return CountingState::clock(); }

KEvent event(uint32_t type, uint32_t ptkKey = K_VK_ERROR) {
  KEvent e{};
  e.type = type;
  e.ptkKey = ptkKey;
  return e;
}

} // namespace

// ---- the state registry, the event callback and the focus flag ----

class EngineStateTest : public ::testing::Test {
protected:
  void SetUp() override {
    CEngine::setRunning(&e);
    a = new CountingState("HRA");
    b = new CountingState("PAUZA");
    e.addStav(a);
    e.addStav(b);
  }
  void TearDown() override {
    e.deleteStavy();
    CEngine::setRunning(nullptr);
    globalAktualniStav = nullptr;
    loading = 0;
    CEngine::setWinFocus(true);
  }
  CEngine e;
  CountingState *a = nullptr;
  CountingState *b = nullptr;
};

TEST_F(EngineStateTest, SwitchingOnlyChangesTheCurrentStateAndNamesAreExact) {
  e.prepniStav("PAUZA");
  EXPECT_EQ(e.getAktualniStav(), b);
  EXPECT_EQ(globalAktualniStav, b);
  EXPECT_EQ(e.vratStav(), "PAUZA");
  EXPECT_EQ(a->inits + a->closes + b->inits + b->closes, 0);

  // Of two states with one name the later wins; init and close reach every one of them.
  CountingState *second = new CountingState("HRA");
  e.addStav(second);
  e.prepniStav("HRA");
  EXPECT_EQ(e.getAktualniStav(), second);
  e.initStav("HRA");
  EXPECT_EQ(a->inits, 1);
  EXPECT_EQ(second->inits, 1);
  EXPECT_EQ(b->inits, 0);
  e.vypniStav("HRA");
  EXPECT_TRUE(a->isClosed());
  EXPECT_TRUE(second->isClosed());
}

TEST_F(EngineStateTest, AStateNameNoStateBearsEndsTheProcessWithStatusOne) {
  EXPECT_EXIT(e.prepniStav("MENU"), ::testing::ExitedWithCode(1), "Chyba: Stav MENU nenalezen!");
  EXPECT_EXIT(e.prepniStav("hra"), ::testing::ExitedWithCode(1), "Chyba: Stav hra nenalezen!");
  EXPECT_EXIT(e.initStav("HRA "), ::testing::ExitedWithCode(1), "nenalezen");
  EXPECT_EXIT(e.vypniStav(""), ::testing::ExitedWithCode(1), "nenalezen");
}

TEST_F(EngineStateTest, EventsReachOnlyAnActiveCurrentState) {
  EXPECT_FALSE(ourOwnEventCallback(nullptr));
  e.prepniStav("HRA");
  KEvent ev = event(K_EVENT_MOUSEDOWN);
  EXPECT_TRUE(ourOwnEventCallback(&ev));
  EXPECT_EQ(a->events, 0) << "a state not yet initialised is inactive";
  a->init(&e);
  EXPECT_TRUE(ourOwnEventCallback(&ev));
  EXPECT_EQ(a->events, 1);
  a->close();
  EXPECT_TRUE(ourOwnEventCallback(&ev));
  EXPECT_EQ(a->events, 1);
}

TEST_F(EngineStateTest, DeactivationClearsTheFocusUnlessALevelIsLoading) {
  KSystemEvent other{K_CLASS_APPLICATION, K_KIND_APP_ACTIVATED, nullptr};
  KSystemEvent off{K_CLASS_APPLICATION, K_KIND_APP_DEACTIVATED, nullptr};
  KSystemEvent window{K_CLASS_WINDOW, K_KIND_APP_DEACTIVATED, nullptr};
  EXPECT_TRUE(CEngine::handleWinEvent(&other));
  EXPECT_TRUE(CEngine::handleWinEvent(&window));
  EXPECT_TRUE(CEngine::getWinFocus());
  loading = 1;
  EXPECT_TRUE(CEngine::handleWinEvent(&off));
  EXPECT_TRUE(CEngine::getWinFocus());
  loading = 0;
  EXPECT_TRUE(CEngine::handleWinEvent(&off));
  EXPECT_FALSE(CEngine::getWinFocus());
}

TEST_F(EngineStateTest, AFrameFeedsItsTimeToTheGlobalsAndTheGameClock) {
  KMiscTools::setClockSource(testClock);
  e.prepniStav("HRA");
  CGlobals::instance()->resetAll();
  CGlobals::instance()->resetDelta();
  uint32_t game = CFakeTime::instance()->ms;

  a->frameMs = 99;
  e.runFrame();
  EXPECT_EQ(CFakeTime::instance()->ms, game + 99);
  a->frameMs = 150;
  e.runFrame();
  EXPECT_EQ(CFakeTime::instance()->ms, game + 198) << "a frame of 150 ms moves the game 99 ms";
  EXPECT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 99 / 20.0f);

  a->frameMs = 20;
  CGlobals::instance()->paused = true;
  e.runFrame();
  EXPECT_EQ(CFakeTime::instance()->ms, game + 198);
  EXPECT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 0.0f);
  CGlobals::instance()->paused = false;
  e.runFrame();
  EXPECT_EQ(CFakeTime::instance()->ms, game + 218);
  // Whole-millisecond average of 99, 99, 20, 20: 59 ms.
  EXPECT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 59 / 20.0f);
  EXPECT_EQ(a->updates, 4);
  KMiscTools::setClockSource(nullptr);
  CGlobals::instance()->resetDelta();
}

// ---- level progression on a small level list ----

namespace {
// Placed once in every level: notes each load, with its level and whether a level change was in
// progress, and counts the draws of its copies.
class LoadProbe : public CMapEntity_Game {
public:
  LoadProbe() : CMapEntity_Game(0, 0, false) {}
  LoadProbe(const LoadProbe &o) : CMapEntity_Game(o) {
    CLevel *level = CLevel::getRunning();
    loads().push_back({level ? level->getLevelName() : "", loading});
  }
  LoadProbe *clone() override { return new LoadProbe(*this); }
  void renderAdditional(KGraphic *) override { ++renders(); }

  struct Load {
    std::string level;
    int loading;
  };
  static std::vector<Load> &loads() {
    static std::vector<Load> l;
    return l;
  }
  static int &renders() {
    static int n = 0;
    return n;
  }
};

// The probe's behaviour: counts its updates and the events it is handed.
class ProbeController : public CEntityController {
public:
  ProbeController() : CEntityController(nullptr, nullptr, nullptr, "PROBE") {}
  ProbeController(const ProbeController &o) : CEntityController(o) {}
  ProbeController *clone() override { return new ProbeController(*this); }
  void update() override { ++updates(); }
  void specificHandleMessages(KEvent *) override { ++events(); }
  static int &updates() {
    static int n = 0;
    return n;
  }
  static int &events() {
    static int n = 0;
    return n;
  }
};
} // namespace

// The engine over real levels: MENU (goal 1), MAP (goal 0, perks), DAY1 and DAY2 (goal 500).
class EngineLevelTest : public HomeTest {
protected:
  void SetUp() override {
    HomeTest::SetUp();
    KMiscTools::setApplicationFolder(home.c_str());
    writeLevels();
    writeFile("data/maps/tiles.xml", "<tiledef src=\"tiles.tga\">\n<tile name=\"Floor\" id=\"1\" walkable=\"1\" "
                                     "special=\"0\" tileSprite=\"floor\"/>\n</tiledef>\n");
    LoadProbe::loads().clear();
    LoadProbe::renders() = 0;
    ProbeController::updates() = 0;
    ProbeController::events() = 0;

    CSurfaceManager::destroyInstance();
    FakePicture::clear();
    CSurface::setPictureFactory(FakePicture::make);
    spriteFactory = new ZSpriteFactory("kolekce");
    ZSprite *empty = new ZSprite("EMPTY");
    Frameset *fs = new Frameset("empty.png", "FRAMESET1", true, true, false, false, false);
    fs->pridejFrame(new Frame("F", 0, 0, 1, 1, 100, 0, 0, 1, 1, 0, 0, 0, 1, 1));
    empty->pridejFrameset(fs);
    spriteFactory->pridejZSprite(empty);
    CMapEntitiesFactory::destroyInstance();
    CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
    f->addEntity(CMapEntity_FrontaAkci::makePrototype());
    LoadProbe *probe = new LoadProbe();
    probe->name = "PROBE";
    probe->setEntityID(49999);
    probe->looks().setSprite("EMPTY");
    f->addEntity(probe);
    // Every level load warms these; plain stand-ins are enough here.
    unsigned id = 50000;
    for (const char *name : CMapEntitiesCollection::commonEntityNames()) {
      CMapEntity_Game *p = new CMapEntity_Game(0, 0, false);
      p->name = name;
      p->setEntityID(id++);
      p->looks().setSprite("EMPTY");
      f->addEntity(p);
    }

    CEngine::setRunning(&e);
    e.built().setProfiles(new CProfiles());
    ASSERT_EQ(e.built().getProfiles()->load(), 0);
    e.progression().setPlayer(new CPlayer());
    CEntityControllersVzory_Game *prototypes = buildControllerPrototypes(&e);
    prototypes->addController(new ProbeController());
    e.built().setControllerPrototypes(prototypes);
    e.setSkipToLevel(CEngine::kNoSkip);
    e.progression().setRunning(true);
    e.restartGame();
    ASSERT_EQ(LoadProbe::loads().size(), 1u);
    LoadProbe::loads().clear();
  }
  void TearDown() override {
    delete e.getLevel();
    e.progression().setLevel(nullptr);
    delete e.progression().getLevelList();
    e.progression().setLevelList(nullptr);
    delete e.getPlayer();
    e.progression().setPlayer(nullptr);
    delete e.built().getProfiles();
    e.built().setProfiles(nullptr);
    delete e.getCEntityControllersVzory_Game();
    e.built().setControllerPrototypes(nullptr);
    CEngine::setRunning(nullptr);
    loading = 0;
    dropGameSprites();
    HomeTest::TearDown();
  }

  virtual void writeLevels() {
    writeList({"MENU", "MAP", "DAY1", "DAY2"});
    writeLevel("MENU", "name=\"MENU\" moneyLimit=\"1\"");
    writeLevel("MAP", "name=\"MAP\" perks=\"1\"");
    writeLevel("DAY1", "name=\"DAY1\" moneyLimit=\"500\"");
    writeLevel("DAY2", "name=\"DAY2\" moneyLimit=\"500\"");
  }

  void writeList(const std::vector<std::string> &names) {
    mkdir(path("data").c_str(), 0777);
    mkdir(path("data/maps").c_str(), 0777);
    mkdir(path("data/maps/medium").c_str(), 0777);
    std::string text;
    for (const std::string &n : names) text += "<level name=\"" + n + "\"/>\n";
    writeFile("data/maps/medium/levellist.xml", text);
  }

  void writeLevel(const std::string &name, const std::string &attributes) {
    std::string base = "data/maps/medium/" + name;
    writeFile(base + "_defs.xml", "<leveldef>\n<level tiledef=\"tiles.xml\" " + attributes + "/>\n</leveldef>\n");
    writeFile(base + "_map.xml", "<map>\n<layer/>\n</map>\n");
    writeFile(base + "_entities.xml",
              "<mapEntities>\n<entity name=\"PROBE\" x=\"10\" y=\"10\"/>\n</mapEntities>\n");
  }

  CLevel_Game *level() { return e.getLevel(); }
  std::string current() { return level() ? level()->getLevelName() : "<none>"; }
  static std::vector<std::string> loaded() {
    std::vector<std::string> names;
    for (const LoadProbe::Load &l : LoadProbe::loads()) names.push_back(l.level);
    return names;
  }

  // Ends the current level with this much money and runs the frame's checks.
  void finish(int money) {
    level()->changeMoney(money);
    level()->setLevelOver(true);
    e.checkNextLevel();
    e.trySkipLevel();
  }

  // The two indices at the start of the saved game, or -1s without one.
  std::pair<int, int> savedIndices() const {
    std::string s = readFile("hospital/0/save.dat");
    if (s.size() < 4) return {-1, -1};
    auto u16 = [&](size_t at) { return ((unsigned char)s[at] << 8) | (unsigned char)s[at + 1]; };
    return {u16(0), u16(2)};
  }

  void dropSave() { std::remove(path("hospital/0/save.dat").c_str()); }

  CEngine e;
};

TEST_F(EngineLevelTest, RestartReadsTheListAndBuildsTheMainMenu) {
  EXPECT_EQ(e.progression().getLevelList()->getSize(), 4);
  EXPECT_EQ(e.getSoucasnyLevel(), 0);
  EXPECT_EQ(e.progression().getMaxLevel(), CEngine::kNoMaxLevel);
  EXPECT_EQ(current(), "MENU");
  e.setSoucasnyLevel(2);
  e.restartGame();
  EXPECT_EQ(loaded(), std::vector<std::string>({"MENU"}));
  EXPECT_EQ(e.getSoucasnyLevel(), 0);
  EXPECT_EQ(CLevel::getRunning(), level()) << "the old level goes before the new one is made";
}

TEST_F(EngineLevelTest, AGoalMetMovesOnAndIsSavedWhileTheLevelBuildsUnderLoading) {
  finish(1);
  EXPECT_EQ(e.getSoucasnyLevel(), 1);
  EXPECT_EQ(e.progression().getMaxLevel(), 1);
  EXPECT_EQ(current(), "MAP");
  ASSERT_EQ(LoadProbe::loads().size(), 1u);
  EXPECT_EQ(LoadProbe::loads()[0].loading, 1);
  EXPECT_EQ(loading, 0);
  EXPECT_FALSE(level()->getShopping());
  EXPECT_EQ(savedIndices(), std::make_pair(1, 1));

  finish(0);
  CGlobals::instance()->paused = true;
  finish(500); // money equal to the goal is enough
  EXPECT_EQ(e.getSoucasnyLevel(), 3);
  EXPECT_EQ(savedIndices(), std::make_pair(3, 3));
  EXPECT_FALSE(CGlobals::instance()->paused);

  // A level that is not over changes nothing.
  e.checkNextLevel();
  EXPECT_EQ(LoadProbe::loads().size(), 3u);
}

TEST_F(EngineLevelTest, AGoalMissedRebuildsTheSameLevelAndTheMenuIsNeverSaved) {
  finish(0);
  EXPECT_EQ(e.getSoucasnyLevel(), 0);
  EXPECT_EQ(loaded(), std::vector<std::string>({"MENU"}));
  EXPECT_EQ(savedIndices().first, -1) << "a change to index 0 is not saved";

  finish(1);
  finish(0);
  dropSave();
  finish(499);
  EXPECT_EQ(e.getSoucasnyLevel(), 2);
  EXPECT_EQ(current(), "DAY1");
  EXPECT_EQ(level()->getMoney(), 0);
  EXPECT_EQ(savedIndices(), std::make_pair(2, 2));
}

TEST_F(EngineLevelTest, AnEarlierDayLeadsBackToTheFurthestOne) {
  e.setMaxLevel(3);
  e.setSoucasnyLevel(1);
  // The won day's summary keeps the record at once, as the move on then saves it again.
  e.creditDay(40, 1);
  EXPECT_EQ(savedIndices(), std::make_pair(3, 3));
  const std::string kept = readFile("hospital/0/save.dat");
  finish(10);
  EXPECT_EQ(e.getSoucasnyLevel(), 3);
  EXPECT_EQ(e.progression().getMaxLevel(), 3);
  EXPECT_EQ(readFile("hospital/0/save.dat"), kept);

  e.setSoucasnyLevel(1);
  finish(1);
  EXPECT_EQ(e.getSoucasnyLevel(), 1);
  EXPECT_EQ(e.progression().getMaxLevel(), 3);

  // After a fresh player the furthest level is 0 and never pulls the game forward.
  e.resetPlayer();
  EXPECT_EQ(e.progression().getMaxLevel(), 0);
  finish(5);
  EXPECT_EQ(e.getSoucasnyLevel(), 2);
  EXPECT_EQ(e.progression().getMaxLevel(), 2);
}

TEST_F(EngineLevelTest, PassingTheLastEntryEndsTheLoopWithoutBuildingAnything) {
  e.setSoucasnyLevel(3);
  e.setMaxLevel(3);
  finish(5);
  EXPECT_FALSE(e.progression().isRunning());
  EXPECT_EQ(e.getSoucasnyLevel(), 3);
  EXPECT_TRUE(LoadProbe::loads().empty());
  EXPECT_EQ(savedIndices().first, -1) << "no level was entered, so nothing is saved";
}

TEST_F(EngineLevelTest, ARequestedLevelIsBuiltWhateverTheMoneyAndSavedOnlyWhenAsked) {
  finish(1);
  finish(0);
  ASSERT_EQ(current(), "DAY1");
  dropSave();
  // A restart of a day whose goal is met: the same day again, saved as a replay.
  level()->changeMoney(600);
  level()->setLevelOver(true);
  CGlobals::instance()->paused = true;
  e.progression().requestLevel(2, true);
  e.checkNextLevel();
  e.trySkipLevel();
  EXPECT_EQ(current(), "DAY1");
  EXPECT_EQ(level()->getMoney(), 0);
  EXPECT_EQ(e.getSoucasnyLevel(), 2);
  EXPECT_EQ(savedIndices(), std::make_pair(2, 2));
  EXPECT_FALSE(CGlobals::instance()->paused);
  EXPECT_EQ(e.progression().getRequestedLevel(), CEngine::kNoSkip);

  // Back to the title screen from a won day: index 0, and the save stays as it was.
  const std::string saved = readFile("hospital/0/save.dat");
  level()->changeMoney(600);
  level()->setLevelOver(true);
  e.progression().requestLevel(0, false);
  e.checkNextLevel();
  EXPECT_EQ(current(), "MENU");
  EXPECT_EQ(e.getSoucasnyLevel(), 0);
  EXPECT_EQ(readFile("hospital/0/save.dat"), saved);
}

TEST_F(EngineLevelTest, JumpsAreNeverSavedAndKeepTheFurthestLevel) {
  e.setSkipToLevel(1);
  e.trySkipLevel();
  ASSERT_EQ(current(), "MAP");
  e.setMaxLevel(2);
  e.getPlayer()->setPerkBought(true);
  e.getPlayer()->setPerkSelected(true);
  e.setSkipToLevel(3);
  e.checkNextLevel();
  e.trySkipLevel();
  EXPECT_EQ(e.getSoucasnyLevel(), 3);
  EXPECT_EQ(e.progression().getMaxLevel(), 2);
  EXPECT_EQ(e.progression().getSkipToLevel(), CEngine::kNoSkip);
  EXPECT_EQ(current(), "DAY2");
  EXPECT_EQ(savedIndices().first, -1);
  EXPECT_FALSE(e.getPlayer()->getPerkBought());
  EXPECT_FALSE(e.getPlayer()->getPerkSelected());
  EXPECT_TRUE(e.getPlayer()->bylPerkLevel(1)) << "the map had perks on";

  // A jump to the list's size ends the game like finishing the last entry.
  e.setSkipToLevel(4);
  e.trySkipLevel();
  EXPECT_FALSE(e.progression().isRunning());
  EXPECT_EQ(e.getSoucasnyLevel(), 3);
  EXPECT_EQ(current(), "DAY2");
  EXPECT_EQ(LoadProbe::loads().size(), 2u) << "nothing is built past the list";
  EXPECT_EQ(savedIndices().first, -1);
}

TEST_F(EngineLevelTest, AnEndOfLevelAndAJumpInOneFrameEndOnTheJump) {
  e.setSkipToLevel(0);
  finish(1);
  EXPECT_EQ(loaded(), std::vector<std::string>({"MAP", "MENU"}));
  EXPECT_EQ(e.getSoucasnyLevel(), 0);
  EXPECT_EQ(e.progression().getMaxLevel(), 1);
  EXPECT_EQ(CLevel::getRunning(), level());
}

TEST_F(EngineLevelTest, AContinueRequestLoadsTheSaveOrStaysWhenThereIsNone) {
  e.getPlayer()->setMoney(777);
  e.setSoucasnyLevel(2);
  e.setMaxLevel(3);
  e.saveGame();
  e.setSoucasnyLevel(0);
  e.setMaxLevel(CEngine::kNoMaxLevel);
  e.resetPlayer();

  e.progression().setLoadGamePending(true);
  level()->setLevelOver(true); // served instead of the end of the level
  e.checkNextLevel();
  EXPECT_FALSE(e.progression().isLoadGamePending());
  EXPECT_EQ(e.getSoucasnyLevel(), 2);
  EXPECT_EQ(e.progression().getMaxLevel(), 3);
  EXPECT_EQ(e.getPlayer()->getMoney(), 777);
  EXPECT_EQ(current(), "DAY1");
  EXPECT_EQ(loading, 0);

  dropSave();
  e.progression().setLoadGamePending(true);
  testing::internal::CaptureStderr();
  e.checkNextLevel();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("save.dat"), std::string::npos) << err;
  EXPECT_FALSE(e.progression().isLoadGamePending());
  EXPECT_EQ(e.getSoucasnyLevel(), 2);
  EXPECT_EQ(e.getPlayer()->getMoney(), 777);
  EXPECT_EQ(LoadProbe::loads().size(), 1u);
  EXPECT_FALSE(e.saveExists());
}

// A three-day list whose days carry their own names and goals.
class EngineRealLevelTest : public EngineLevelTest {
protected:
  void writeLevels() override {
    writeList({"MENU", "DAY1", "DAY2"});
    writeLevel("MENU", "name=\"Menu\"");
    writeLevel("DAY1", "name=\"Day 1\" moneyLimit=\"500\" perks=\"1\"");
    writeLevel("DAY2", "name=\"Day 2\" moneyLimit=\"800\"");
  }
  void end(int money) { finish(money); }
};

TEST_F(EngineRealLevelTest, DaysFollowTheirMoneyGoalsAndTheListEndsTheGame) {
  ASSERT_NE(level(), nullptr);
  EXPECT_EQ(level()->getLevelName(), "Menu");

  end(0);
  EXPECT_EQ(level()->getLevelName(), "Day 1");
  EXPECT_EQ(level()->getMoneyLimit(), 500);
  EXPECT_EQ(level()->getMoney(), 0);
  EXPECT_EQ(savedIndices(), std::make_pair(1, 1));

  end(499);
  EXPECT_EQ(level()->getLevelName(), "Day 1") << "a missed goal replays the day";
  EXPECT_EQ(level()->getMoney(), 0);
  EXPECT_EQ(savedIndices(), std::make_pair(1, 1));

  e.getPlayer()->setPerkBought(true);
  end(500);
  EXPECT_EQ(level()->getLevelName(), "Day 2");
  EXPECT_TRUE(e.getPlayer()->bylPerkLevel(1));
  EXPECT_EQ(savedIndices(), std::make_pair(2, 2));

  // Back to the first day from the map: not saved; its goal met leads to the furthest day.
  e.setSkipToLevel(1);
  e.trySkipLevel();
  EXPECT_EQ(level()->getLevelName(), "Day 1");
  EXPECT_EQ(savedIndices(), std::make_pair(2, 2));
  end(600);
  EXPECT_EQ(level()->getLevelName(), "Day 2");

  end(800);
  EXPECT_FALSE(e.progression().isRunning());
  EXPECT_EQ(level()->getLevelName(), "Day 2");
  EXPECT_EQ(savedIndices(), std::make_pair(2, 2)) << "the end of the list is no level to save";
}

// The campaign's shape: its days marked in the list, a map after each, the credits, the ending.
class EngineEndingTest : public EngineLevelTest {
protected:
  void writeLevels() override {
    writeList({});
    writeFile("data/maps/medium/levellist.xml", "<level name=\"MENU\"/><level name=\"DAY1\" day=\"1\"/><level name=\"MAP\"/><level "
              "name=\"DAY2\" day=\"2\"/><level name=\"MAP\"/><level name=\"END\"/><level name=\"VICTORY\"/>");
    for (const char *n : {"MENU", "MAP", "END", "VICTORY", "DAY1", "DAY2"})
      writeLevel(n, std::string("name=\"") + n + "\" moneyLimit=\"" + (n[0] == 'D' ? "500" : "0") + "\"");
  }
};

TEST_F(EngineEndingTest, AfterTheEndingTheMapReplaysAnyDayAndKeepsTheFurthest) {
  e.getPlayer()->addLevelDone(1, 0);
  e.setSoucasnyLevel(6);
  e.setMaxLevel(6);
  e.saveGame();
  e.progression().setLoadGamePending(true);
  e.checkNextLevel();
  EXPECT_EQ(e.getSoucasnyLevel(), 4) << "the map after the last day";
  EXPECT_EQ(e.progression().getMaxLevel(), 6) << "only the current level moves";

  // A day played again leads back to that map, and its GO to the ending, not the credits again.
  e.setSkipToLevel(1);
  e.trySkipLevel();
  finish(500);
  EXPECT_EQ(e.getSoucasnyLevel(), 4);
  finish(0);
  EXPECT_EQ(current(), "VICTORY");
}

// ---- the play and pause states ----

class EngineStatesTest : public EngineLevelTest {
protected:
  void SetUp() override {
    EngineLevelTest::SetUp();
    // The play state's init takes over the level pointers without deleting them.
    delete e.getLevel();
    e.progression().setLevel(nullptr);
    delete e.progression().getLevelList();
    e.progression().setLevelList(nullptr);
  }
  static void countMode(bool full) { modes().push_back(full); }
  static std::vector<bool> &modes() {
    static std::vector<bool> m;
    return m;
  }
};

TEST_F(EngineStatesTest, ThePlayStateRunsTheLevelAndTheLevelChecksEachFrame) {
  CStavHry_Hra hra("HRA");
  EXPECT_TRUE(hra.isClosed());
  hra.init(&e);
  EXPECT_TRUE(hra.isActive());
  EXPECT_EQ(hra.getLevelName(), "MENU");
  ASSERT_TRUE(e.frameClock().hasFpsTimer());

  LoadProbe::renders() = 0; // loading draws each entity once off screen
  debug = 1;
  hra.update();
  EXPECT_EQ(debug, 0);
  EXPECT_EQ(ProbeController::updates(), 1);
  EXPECT_EQ(LoadProbe::renders(), 1);
  EXPECT_TRUE(e.frameClock().wasUpdated());
  EXPECT_EQ(e.frameClock().getFrameCounter(), 1);

  level()->changeMoney(1);
  level()->setLevelOver(true);
  hra.update();
  EXPECT_EQ(current(), "MAP") << "the level change is served inside the frame";

  hra.close();
  EXPECT_TRUE(hra.isClosed());
  EXPECT_EQ(e.getLevel(), nullptr);
  EXPECT_EQ(e.progression().getLevelList(), nullptr);
  EXPECT_FALSE(e.frameClock().hasFpsTimer());
  EXPECT_EQ(CLevel::getRunning(), nullptr);
  hra.update(); // a closed state does nothing
}

// The message window as the play state uses it: what it was asked to show, and open until told.
class RecordedWindow : public CMessageWindowLink {
public:
  void open(CMapEntitiesCollection *c, const std::string &text) override {
    shown.push_back(text);
    where = c;
    isShowing = true;
  }
  bool isOpen(CMapEntitiesCollection *) override { return isShowing; }
  std::vector<std::string> shown;
  CMapEntitiesCollection *where = nullptr;
  bool isShowing = false;
};

// A save that cannot be written and a saved game that cannot be read are told to the player in
// the message window, one at a time, naming the folder or the file; the game goes on.
TEST_F(EngineStatesTest, WhatCouldNotBeSavedOrReadIsToldInTheMessageWindow) {
  RecordedWindow window;
  TScopedLink<CMessageWindowLink> link(&window);
  CStavHry_Hra hra("HRA");
  hra.init(&e);
  hra.update();
  EXPECT_TRUE(window.shown.empty());

  // The slot's folder is a file now: no save can be written there.
  writeFile("hospital/0/save.dat", "garbage");
  ASSERT_EQ(rename(path("hospital/0").c_str(), path("hospital/away").c_str()), 0);
  writeFile("hospital/0", "not a folder");
  testing::internal::CaptureStderr();
  level()->changeMoney(1);
  level()->setLevelOver(true);
  hra.update();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(current(), "MAP");
  EXPECT_TRUE(window.shown.empty()) << "shown once the new level has run a frame";
  hra.update();
  EXPECT_NE(err.find("Can't write " + path("hospital/0/save.dat")), std::string::npos) << err;
  ASSERT_EQ(window.shown.size(), 1u);
  EXPECT_EQ(window.shown[0], "Your game could not be saved:|the folder is missing.|Folder: ~/hospital/0");
  EXPECT_EQ(window.where, level()->getEC());

  // Asked to continue a saved game that ends early: the player is told while the first is open,
  // so it shows once that one is closed; the game stays where it was.
  std::remove(path("hospital/0").c_str());
  ASSERT_EQ(rename(path("hospital/away").c_str(), path("hospital/0").c_str()), 0);
  e.progression().setLoadGamePending(true);
  testing::internal::CaptureStderr();
  hra.update();
  hra.update();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(current(), "MAP");
  EXPECT_EQ(window.shown.size(), 1u);
  window.isShowing = false;
  hra.update();
  ASSERT_EQ(window.shown.size(), 2u);
  EXPECT_EQ(window.shown[1], "Your saved game cannot be read:|it ends early.|File: ~/hospital/0/save.dat");
  hra.update();
  EXPECT_EQ(window.shown.size(), 2u);

  // A save failing again the same way is not told again.
  window.isShowing = false;
  ASSERT_EQ(rename(path("hospital/0").c_str(), path("hospital/away").c_str()), 0);
  writeFile("hospital/0", "not a folder");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(e.saveGame());
  testing::internal::GetCapturedStderr();
  hra.update();
  EXPECT_EQ(window.shown.size(), 2u);
  std::remove(path("hospital/0").c_str());
  ASSERT_EQ(rename(path("hospital/away").c_str(), path("hospital/0").c_str()), 0);

  // A saved game that cannot be opened says why, as a failed save does.
  std::remove(path("hospital/0/save.dat").c_str());
  ASSERT_EQ(symlink("save.dat", path("hospital/0/save.dat").c_str()), 0);
  e.progression().setLoadGamePending(true);
  hra.update();
  hra.update();
  EXPECT_EQ(window.shown.back(), "Your saved game cannot be read:|its link leads round in a loop.|File: ~/hospital/0/save.dat");
  hra.close();
}

TEST_F(EngineStatesTest, F1TogglesTheScreenModeWithoutSavingAndEventsWaitWhileLoading) {
  CVideoOptions::setScreenModeSink(countMode);
  modes().clear();
  CStavHry_Hra hra("HRA");
  hra.init(&e);
  KEvent f1 = event(K_EVENT_KEYDOWN_FIRST, K_VK_F1);

  hra.update(); // binds the probe's behaviour
  bylKlik = 1;
  loading = 1;
  hra.handleMessages(&f1);
  EXPECT_TRUE(modes().empty());
  EXPECT_EQ(bylKlik, 1);
  EXPECT_EQ(ProbeController::events(), 0);
  loading = 0;

  bool start = CVideoOptions::instance()->vratFullScreen();
  hra.handleMessages(&f1);
  hra.handleMessages(&f1);
  EXPECT_EQ(modes(), std::vector<bool>({!start, start}));
  EXPECT_FALSE(exists("hospital/0/video.cfg"));
  EXPECT_EQ(ProbeController::events(), 2);
  EXPECT_EQ(bylKlik, 0) << "the click-taken flag is cleared after each event";
  CVideoOptions::setScreenModeSink(nullptr);
  hra.close();
}

TEST_F(EngineStatesTest, ThePauseStateHoldsGameTimeUntilAClickOrAKey) {
  CStavHry_Hra *hra = new CStavHry_Hra("HRA");
  CStavHry_Pauza *pauza = new CStavHry_Pauza("PAUZA");
  e.addStav(hra);
  e.addStav(pauza);
  pauza->init(&e);
  e.prepniStav("PAUZA");
  pauza->update();
  pauza->update();
  EXPECT_TRUE(CGlobals::instance()->paused);
  EXPECT_TRUE(pauza->getShown());

  KEvent move = event(K_EVENT_MOUSEMOVE);
  ourOwnEventCallback(&move);
  EXPECT_EQ(e.vratStav(), "PAUZA");
  KEvent click = event(K_EVENT_MOUSEDOWN);
  ourOwnEventCallback(&click);
  EXPECT_EQ(e.vratStav(), "HRA");
  EXPECT_FALSE(CGlobals::instance()->paused);
  EXPECT_FALSE(pauza->getShown());
  e.deleteStavy();
}

// ---- the faders ----

namespace {
class CoverPicture : public FakePicture {
public:
  void drawRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) override {
    PictureCall c;
    c.op = "rect";
    c.x1 = x1;
    c.y1 = y1;
    c.x2 = x2;
    c.y2 = y2;
    c.r = r;
    c.g = g;
    c.b = b;
    c.a = a;
    calls().push_back(c);
  }
};
} // namespace

class FaderTest : public ::testing::Test {
protected:
  void SetUp() override {
    CGlobals::instance()->resetAll();
    CGlobals::instance()->resetDelta();
    FakePicture::clear();
  }
  void TearDown() override {
    CGlobals::instance()->resetAll();
    CGlobals::instance()->resetDelta();
    backbuffer = nullptr;
    FakePicture::clear();
  }
  static void frames(int ms) {
    for (unsigned i = 0; i < CGlobals::kFrameWindow; ++i) CGlobals::instance()->addDelta(ms);
  }
};

TEST_F(FaderTest, StartsLimitsAndRestarts) {
  CMapEntity_Fader f(0, 0, false);
  EXPECT_FALSE(f.getSmer());
  EXPECT_FLOAT_EQ(f.getCoverAlpha(), 1.0f);
  EXPECT_FLOAT_EQ(f.getStep(), 0.01f);
  EXPECT_EQ(f.getTimeLimit(), 1000u);
  f.setTimeLimit(0);
  EXPECT_EQ(f.getTimeLimit(), 1000u);

  // Darkening with a limit shorter than one frame is done in one step.
  frames(20);
  f.setTimeLimit(10);
  f.setSmer(true);
  EXPECT_FLOAT_EQ(f.getCoverAlpha(), 0.0f);
  f.fade();
  EXPECT_TRUE(f.isComplete());
  EXPECT_FLOAT_EQ(f.getCoverAlpha(), 1.0f);
  f.setSmer(true);
  EXPECT_FALSE(f.isComplete());
  EXPECT_FLOAT_EQ(f.getCoverAlpha(), 0.0f);

  // Paused, a fade still moves by one millisecond a step.
  f.setTimeLimit(1000);
  CGlobals::instance()->paused = true;
  f.fade();
  EXPECT_FLOAT_EQ(f.getStep(), 0.001f);
  EXPECT_FLOAT_EQ(f.getCoverAlpha(), 0.001f);

  CMapEntity_Fader *copy = static_cast<CMapEntity_Fader *>(f.clone());
  EXPECT_TRUE(copy->getSmer());
  EXPECT_FLOAT_EQ(copy->getCoverAlpha(), 0.001f);
  EXPECT_EQ(copy->getTimeLimit(), 1000u);
  delete copy;
}

TEST_F(FaderTest, ABrighteningFadeEndsClearWhateverItsSteps) {
  frames(20);
  for (unsigned limit : {100u, 60u, 300u, 1000u, 7u}) {
    CFader f;
    f.setTimeLimit(limit);
    f.setSmer(false);
    int steps = 0;
    float last = 1.0f;
    while (!f.isComplete() && steps < 1000) {
      f.fade();
      EXPECT_LE(f.getCoverAlpha(), last) << "limit " << limit;
      last = f.getCoverAlpha();
      ++steps;
    }
    EXPECT_TRUE(f.isComplete()) << "limit " << limit;
    EXPECT_FLOAT_EQ(f.getCoverAlpha(), 0.0f) << "limit " << limit;
    EXPECT_LE(steps, (int)(limit / 20) + 1) << "limit " << limit;
  }
  // And a darkening one ends black.
  CFader d;
  d.setTimeLimit(300);
  d.setSmer(true);
  for (int i = 0; i < 100 && !d.isComplete(); ++i) d.fade();
  EXPECT_TRUE(d.isComplete());
  EXPECT_FLOAT_EQ(d.getCoverAlpha(), 1.0f);
}

TEST_F(FaderTest, TheCoverGoesOverTheWholeScreenPicture) {
  CoverPicture screen;
  backbuffer = &screen;
  frames(20);
  CMapEntity_Fader f(0, 0, false);
  f.setTimeLimit(100);
  f.setSmer(true);
  f.fade();
  FakePicture other;
  f.renderAdditional(&other);
  ASSERT_EQ(FakePicture::calls().size(), 1u);
  PictureCall c = FakePicture::calls()[0];
  EXPECT_EQ(c.op, "rect");
  EXPECT_FLOAT_EQ(c.x1, -1.0f);
  EXPECT_FLOAT_EQ(c.y1, -1.0f);
  EXPECT_FLOAT_EQ(c.x2, 800.0f);
  EXPECT_FLOAT_EQ(c.y2, 600.0f);
  EXPECT_FLOAT_EQ(c.r + c.g + c.b, 0.0f);
  EXPECT_FLOAT_EQ(c.a, 0.2f);

  // The plain fader draws before it steps.
  FakePicture::clear();
  CFader plain;
  plain.setTimeLimit(100);
  plain.setSmer(true);
  plain.fade();
  ASSERT_EQ(FakePicture::calls().size(), 1u);
  EXPECT_FLOAT_EQ(FakePicture::calls()[0].a, 0.0f);
  EXPECT_FLOAT_EQ(plain.getCoverAlpha(), 0.2f);
}
