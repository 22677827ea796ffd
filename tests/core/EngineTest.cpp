#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CLevelLink.h"
#include "core/CMapEntity_Fader.h"
#include "core/CPlayer.h"
#include "core/CProfiles.h"
#include "core/CStavHry_Hra.h"
#include "core/CStartupTables.h"
#include "core/CStavHry_Pauza.h"
#include "core/CLoadingScreen.h"
#include "core/GameGlobals.h"
#include "support/HomeFixture.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CSurface.h"
#include "support/FakePicture.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"

namespace {

// A level that knows only what the engine asks of it.
struct FakeLevel {
  std::string name;
  bool over = false;
  int money = 0;
  int goal = 0;
  bool perks = false;
  bool shopping = true;
  const void *prototypes = nullptr;
  int updates = 0;
  int renders = 0;
  int events = 0;
  int loadingWhileLoaded = -1;
};

FakeLevel *fake(CLevel_Game *l) { return reinterpret_cast<FakeLevel *>(l); }

class FakeLink : public CLevelLink {
public:
  CLevel_Game *create(CEngine *) override {
    ++created;
    // The old level must be gone before the next exists: only one level at a time.
    EXPECT_EQ(live, 0) << "a new level while the old one lives";
    ++live;
    return reinterpret_cast<CLevel_Game *>(new FakeLevel());
  }
  void destroy(CLevel_Game *l) override {
    --live;
    delete fake(l);
  }
  void bindEContVzory(CLevel_Game *l, CEntityControllers_Game *p) override { fake(l)->prototypes = p ? (const void *)p : (const void *)&bound; }
  void load(CLevel_Game *l, const std::string &name) override {
    fake(l)->name = name;
    fake(l)->loadingWhileLoaded = loading;
    loaded.push_back(name);
  }
  void setShopping(CLevel_Game *l, bool s) override { fake(l)->shopping = s; }
  bool getLevelOver(CLevel_Game *l) override { return fake(l)->over; }
  int getMoney(CLevel_Game *l) override { return fake(l)->money; }
  int getMoneyLimit(CLevel_Game *l) override { return fake(l)->goal; }
  bool getPerks(CLevel_Game *l) override { return fake(l)->perks; }
  void update(CLevel_Game *l, unsigned short) override { ++fake(l)->updates; }
  void render(CLevel_Game *l, unsigned short, KGraphic *) override { ++fake(l)->renders; }
  void handleMessages(CLevel_Game *l, KEvent *) override { ++fake(l)->events; }
  void clearClickTaken() override { ++clicksCleared; }

  int created = 0;
  int live = 0;
  int clicksCleared = 0;
  int bound = 0;
  std::vector<std::string> loaded;
};

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
    engine = &e;
    a = new CountingState("HRA");
    b = new CountingState("PAUZA");
    e.stavy = {a, b};
  }
  void TearDown() override {
    for (CStavHry *s : e.stavy) delete s;
    e.stavy.clear();
    engine = nullptr;
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
  EXPECT_EQ(e.aktualniStav, b);
  EXPECT_EQ(globalAktualniStav, b);
  EXPECT_EQ(e.vratStav(), "PAUZA");
  EXPECT_EQ(a->inits + a->closes + b->inits + b->closes, 0);

  // Of two states with one name the later wins; init and close reach every one of them.
  CountingState *second = new CountingState("HRA");
  e.stavy.push_back(second);
  e.prepniStav("HRA");
  EXPECT_EQ(e.aktualniStav, second);
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
  a->frameMs = 100;
  e.runFrame();
  EXPECT_EQ(CFakeTime::instance()->ms, game + 99) << "a frame of 100 ms is lost to game time";
  EXPECT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 99 / 20.0f);

  a->frameMs = 20;
  CGlobals::instance()->paused = true;
  e.runFrame();
  EXPECT_EQ(CFakeTime::instance()->ms, game + 99);
  EXPECT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 0.0f);
  CGlobals::instance()->paused = false;
  e.runFrame();
  EXPECT_EQ(CFakeTime::instance()->ms, game + 119);
  // Whole-millisecond average of 99, 20, 20: 46 ms.
  EXPECT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 46 / 20.0f);
  EXPECT_EQ(a->updates, 4);
  KMiscTools::setClockSource(nullptr);
  CGlobals::instance()->resetDelta();
}

// ---- level progression on a small level list ----

class EngineLevelTest : public HomeTest {
protected:
  void SetUp() override {
    HomeTest::SetUp();
    KMiscTools::setApplicationFolder(home.c_str());
    writeList({"MENU", "MAP", "DAY1", "DAY2"});
    CLevelLink::set(&link);
    engine = &e;
    e.profiles = new CProfiles();
    ASSERT_EQ(e.profiles->load(), 0);
    e.player = new CPlayer();
    e.skipToLevel = CEngine::kNoSkip;
    e.running = 1;
    e.restartGame();
    ASSERT_EQ(link.loaded.size(), 1u);
    link.loaded.clear();
  }
  void TearDown() override {
    if (e.level) link.destroy(e.level);
    e.level = nullptr;
    delete e.levelList;
    e.levelList = nullptr;
    delete e.player;
    e.player = nullptr;
    delete e.profiles;
    e.profiles = nullptr;
    engine = nullptr;
    loading = 0;
    CLevelLink::set(nullptr);
    KMiscTools::setApplicationFolder(nullptr);
    HomeTest::TearDown();
  }

  void writeList(const std::vector<std::string> &names) {
    mkdir(path("data").c_str(), 0777);
    mkdir(path("data/maps").c_str(), 0777);
    mkdir(path("data/maps/medium").c_str(), 0777);
    std::string text;
    for (const std::string &n : names) text += "<level name=\"" + n + "\"/>\n";
    writeFile("data/maps/medium/levellist.xml", text);
  }

  // Ends the current level with this much money against its goal and runs the frame's checks.
  void finish(int money, int goal) {
    FakeLevel *l = fake(e.level);
    l->over = true;
    l->money = money;
    l->goal = goal;
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
  FakeLink link;
};

TEST_F(EngineLevelTest, RestartReadsTheListAndBuildsTheMainMenu) {
  EXPECT_EQ(e.levelList->getSize(), 4);
  EXPECT_EQ(e.soucasnyLevel, 0);
  EXPECT_EQ(e.maxLevel, CEngine::kNoMaxLevel);
  EXPECT_EQ(fake(e.level)->name, "MENU");
  EXPECT_EQ(fake(e.level)->prototypes, nullptr) << "the first level takes its prototypes in its constructor";
  e.soucasnyLevel = 2;
  e.restartGame();
  EXPECT_EQ(link.loaded, std::vector<std::string>({"MENU"}));
  EXPECT_EQ(e.soucasnyLevel, 0);
  EXPECT_EQ(link.live, 1);
}

TEST_F(EngineLevelTest, AGoalMetMovesOnAndIsSavedWhileTheLevelBuildsUnderLoading) {
  finish(0, 0); // the menu's goal is met by nothing
  EXPECT_EQ(e.soucasnyLevel, 1);
  EXPECT_EQ(e.maxLevel, 1);
  EXPECT_EQ(fake(e.level)->name, "MAP");
  EXPECT_EQ(fake(e.level)->loadingWhileLoaded, 1);
  EXPECT_EQ(loading, 0);
  EXPECT_FALSE(fake(e.level)->shopping);
  EXPECT_NE(fake(e.level)->prototypes, nullptr);
  EXPECT_EQ(savedIndices(), std::make_pair(1, 1));

  CGlobals::instance()->paused = true;
  finish(500, 500); // money equal to the goal is enough
  EXPECT_EQ(e.soucasnyLevel, 2);
  EXPECT_EQ(savedIndices(), std::make_pair(2, 2));
  EXPECT_FALSE(CGlobals::instance()->paused);

  // A level that is not over changes nothing.
  e.checkNextLevel();
  EXPECT_EQ(link.loaded.size(), 2u);
}

TEST_F(EngineLevelTest, AGoalMissedRebuildsTheSameLevelAndTheMenuIsNeverSaved) {
  finish(0, 1);
  EXPECT_EQ(e.soucasnyLevel, 0);
  EXPECT_EQ(link.loaded, std::vector<std::string>({"MENU"}));
  EXPECT_EQ(savedIndices().first, -1) << "a change to index 0 is not saved";

  finish(0, 0);
  finish(0, 0);
  dropSave();
  finish(499, 500);
  EXPECT_EQ(e.soucasnyLevel, 2);
  EXPECT_EQ(fake(e.level)->name, "DAY1");
  EXPECT_EQ(savedIndices(), std::make_pair(2, 2));
}

TEST_F(EngineLevelTest, AnEarlierDayLeadsBackToTheFurthestOne) {
  e.maxLevel = 3;
  e.soucasnyLevel = 1;
  finish(10, 5);
  EXPECT_EQ(e.soucasnyLevel, 3);
  EXPECT_EQ(e.maxLevel, 3);

  e.soucasnyLevel = 1;
  finish(1, 5);
  EXPECT_EQ(e.soucasnyLevel, 1);
  EXPECT_EQ(e.maxLevel, 3);

  // After a fresh player the furthest level is 0 and never pulls the game forward.
  e.resetPlayer();
  EXPECT_EQ(e.maxLevel, 0);
  finish(5, 5);
  EXPECT_EQ(e.soucasnyLevel, 2);
  EXPECT_EQ(e.maxLevel, 2);
}

TEST_F(EngineLevelTest, PassingTheLastEntryEndsTheLoopAfterBuildingItOnceMore) {
  e.soucasnyLevel = 3;
  e.maxLevel = 3;
  finish(5, 5);
  EXPECT_FALSE(e.running);
  EXPECT_EQ(e.soucasnyLevel, 3);
  EXPECT_EQ(fake(e.level)->name, "DAY2");
  EXPECT_EQ(savedIndices(), std::make_pair(3, 4));
}

TEST_F(EngineLevelTest, JumpsAreNeverSavedAndKeepTheFurthestLevel) {
  e.maxLevel = 2;
  e.player->setPerkBought(true);
  e.player->setPerkSelected(true);
  fake(e.level)->perks = true;
  e.setSkipToLevel(3);
  e.checkNextLevel();
  e.trySkipLevel();
  EXPECT_EQ(e.soucasnyLevel, 3);
  EXPECT_EQ(e.maxLevel, 2);
  EXPECT_EQ(e.skipToLevel, CEngine::kNoSkip);
  EXPECT_EQ(fake(e.level)->name, "DAY2");
  EXPECT_EQ(savedIndices().first, -1);
  EXPECT_FALSE(e.player->getPerkBought());
  EXPECT_FALSE(e.player->getPerkSelected());
  EXPECT_TRUE(e.player->bylPerkLevel(0));

  // A jump to the list's size ends the game like finishing the last entry.
  e.setSkipToLevel(4);
  e.trySkipLevel();
  EXPECT_FALSE(e.running);
  EXPECT_EQ(e.soucasnyLevel, 3);
  EXPECT_EQ(savedIndices().first, -1);
}

TEST_F(EngineLevelTest, AnEndOfLevelAndAJumpInOneFrameEndOnTheJump) {
  e.setSkipToLevel(0);
  finish(0, 0);
  EXPECT_EQ(link.loaded, std::vector<std::string>({"MAP", "MENU"}));
  EXPECT_EQ(e.soucasnyLevel, 0);
  EXPECT_EQ(e.maxLevel, 1);
  EXPECT_EQ(link.live, 1);
}

TEST_F(EngineLevelTest, AContinueRequestLoadsTheSaveOrStaysWhenThereIsNone) {
  e.player->setMoney(777);
  e.soucasnyLevel = 2;
  e.maxLevel = 3;
  e.saveGame();
  e.soucasnyLevel = 0;
  e.maxLevel = CEngine::kNoMaxLevel;
  e.resetPlayer();

  e.loadGamePending = 1;
  fake(e.level)->over = true; // served instead of the end of the level
  e.checkNextLevel();
  EXPECT_EQ(e.loadGamePending, 0);
  EXPECT_EQ(e.soucasnyLevel, 2);
  EXPECT_EQ(e.maxLevel, 3);
  EXPECT_EQ(e.player->getMoney(), 777);
  EXPECT_EQ(fake(e.level)->name, "DAY1");
  EXPECT_EQ(loading, 0);

  dropSave();
  e.loadGamePending = 1;
  testing::internal::CaptureStderr();
  e.checkNextLevel();
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("save.dat"), std::string::npos) << err;
  EXPECT_EQ(e.loadGamePending, 0);
  EXPECT_EQ(e.soucasnyLevel, 2);
  EXPECT_EQ(e.player->getMoney(), 777);
  EXPECT_EQ(link.loaded.size(), 1u);
  EXPECT_FALSE(e.saveExists());
}

// The same progression with the real level class on a three-level list.
class EngineRealLevelTest : public EngineLevelTest {
protected:
  void SetUp() override {
    CLevelLink::set(nullptr);
    HomeTest::SetUp();
    KMiscTools::setApplicationFolder(home.c_str());
    writeList({"MENU", "DAY1", "DAY2"});
    writeFile("data/maps/tiles.xml", "<tiledef src=\"tiles.tga\">\n<tile name=\"Floor\" id=\"1\" walkable=\"1\" "
                                     "special=\"0\" tileSprite=\"floor\"/>\n</tiledef>\n");
    writeLevel("MENU", "name=\"Menu\"");
    writeLevel("DAY1", "name=\"Day 1\" moneyLimit=\"500\" perks=\"1\"");
    writeLevel("DAY2", "name=\"Day 2\" moneyLimit=\"800\"");

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
    CMapEntitiesFactory::instance()->addEntity(CMapEntity_FrontaAkci::makePrototype());
    // Every level load warms these; plain stand-ins are enough here.
    unsigned id = 50000;
    for (const char *name : CMapEntitiesCollection::commonEntityNames()) {
      CMapEntity_Game *p = new CMapEntity_Game(0, 0, false);
      p->name = name;
      p->setEntityID(id++);
      p->addEntityZSprite("EMPTY");
      CMapEntitiesFactory::instance()->addEntity(p);
    }

    engine = &e;
    e.profiles = new CProfiles();
    ASSERT_EQ(e.profiles->load(), 0);
    e.player = new CPlayer();
    e.controllerPrototypes = buildControllerPrototypes(&e);
    e.skipToLevel = CEngine::kNoSkip;
    e.running = 1;
    e.restartGame();
  }
  void TearDown() override {
    delete e.level;
    e.level = nullptr;
    deleteControllerPrototypes(e.controllerPrototypes);
    e.controllerPrototypes = nullptr;
    CMapEntitiesFactory::destroyInstance();
    delete spriteFactory;
    spriteFactory = nullptr;
    CSurfaceManager::destroyInstance();
    CSurface::setPictureFactory(nullptr);
    CLoadingScreen::destroyInstance();
    EngineLevelTest::TearDown();
  }

  void writeLevel(const std::string &name, const std::string &attributes) {
    std::string base = "data/maps/medium/" + name;
    writeFile(base + "_defs.xml", "<leveldef>\n<level tiledef=\"tiles.xml\" " + attributes + "/>\n</leveldef>\n");
    writeFile(base + "_map.xml", "<map>\n<layer/>\n</map>\n");
    writeFile(base + "_entities.xml", "<mapEntities>\n</mapEntities>\n");
  }

  CLevel_Game *level() { return e.getLevel(); }

  void end(int money) {
    level()->changeMoney(money);
    level()->setLevelOver(true);
    e.checkNextLevel();
    e.trySkipLevel();
  }
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
  EXPECT_FALSE(e.isRunning());
  EXPECT_EQ(level()->getLevelName(), "Day 2");
  EXPECT_EQ(savedIndices(), std::make_pair(2, 3));
}

// ---- the play and pause states ----

class EngineStatesTest : public EngineLevelTest {
protected:
  void SetUp() override {
    EngineLevelTest::SetUp();
    // The play state's init takes over the level pointers without deleting them.
    link.destroy(e.level);
    e.level = nullptr;
    delete e.levelList;
    e.levelList = nullptr;
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
  ASSERT_NE(e.fpsTimer, nullptr);

  debug = 1;
  hra.update();
  EXPECT_EQ(debug, 0);
  EXPECT_EQ(fake(e.level)->updates, 1);
  EXPECT_EQ(fake(e.level)->renders, 1);
  EXPECT_EQ(e.perUpdate, 1);
  EXPECT_EQ(e.frameCounter, 1);

  fake(e.level)->over = true;
  hra.update();
  EXPECT_EQ(fake(e.level)->name, "MAP") << "the level change is served inside the frame";

  hra.close();
  EXPECT_TRUE(hra.isClosed());
  EXPECT_EQ(e.level, nullptr);
  EXPECT_EQ(e.levelList, nullptr);
  EXPECT_EQ(e.fpsTimer, nullptr);
  EXPECT_EQ(link.live, 0);
  hra.update(); // a closed state does nothing
}

TEST_F(EngineStatesTest, F1TogglesTheScreenModeWithoutSavingAndEventsWaitWhileLoading) {
  CVideoOptions::setScreenModeSink(countMode);
  modes().clear();
  CStavHry_Hra hra("HRA");
  hra.init(&e);
  KEvent f1 = event(K_EVENT_KEYDOWN_FIRST, K_VK_F1);

  loading = 1;
  hra.handleMessages(&f1);
  EXPECT_TRUE(modes().empty());
  EXPECT_EQ(link.clicksCleared, 0);
  EXPECT_EQ(fake(e.level)->events, 0);
  loading = 0;

  bool start = CVideoOptions::instance()->vratFullScreen();
  hra.handleMessages(&f1);
  hra.handleMessages(&f1);
  EXPECT_EQ(modes(), std::vector<bool>({!start, start}));
  EXPECT_FALSE(exists("hospital/0/video.cfg"));
  EXPECT_EQ(fake(e.level)->events, 2);
  EXPECT_EQ(link.clicksCleared, 2);
  CVideoOptions::setScreenModeSink(nullptr);
  hra.close();
}

TEST_F(EngineStatesTest, ThePauseStateHoldsGameTimeUntilAClickOrAKey) {
  CStavHry_Hra *hra = new CStavHry_Hra("HRA");
  CStavHry_Pauza *pauza = new CStavHry_Pauza("PAUZA");
  e.stavy = {hra, pauza};
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
  delete hra;
  delete pauza;
  e.stavy.clear();
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

  CMapEntity_Fader *copy = f.clone();
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
