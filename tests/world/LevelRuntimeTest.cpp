#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/GLTestWindow.h"
#include "engine/KEvent.h"
#include "media/Timer.h"
#include "world/CEntityController.h"
#include "world/CEntityControllersVzory_Game.h"
#include "core/CProfiles.h"
#include "world/CLevelList.h"
#include "world/CMapCollisionManager.h"
#include "support/LevelTestSupport.h"

namespace {

// A behaviour that counts what the level does with it; on a click it queues an order and, for
// the right button, asks for the queue to be emptied.
class CountingController : public CEntityController {
public:
  explicit CountingController(std::string bindTo) : CEntityController(nullptr, nullptr, nullptr, std::move(bindTo)) {}
  CountingController(const CountingController &o) : CEntityController(o) {}
  CEntityController *clone() override { return new CountingController(*this); }
  void onBind() override { ++binds(); }
  void update() override { ++updates(); }
  void specificHandleMessages(KEvent *ev) override {
    CMapEntity_FrontaAkci *queue = CMapEntity_FrontaAkci::najdi(collection);
    if (!queue || ev->type != K_EVENT_MOUSEDOWN) return;
    akce *a = new akce();
    a->controller = this;
    a->id = 1;
    a->priority = ev->button == 2 ? 0 : 1;
    queue->pridej(a);
    if (ev->button == 2) queue->setClear(true);
  }
  static int &binds() {
    static int n = 0;
    return n;
  }
  static int &updates() {
    static int n = 0;
    return n;
  }
};

// A patient generator that notes what the level asks of it.
struct FakeGenerator {
  CMapEntitiesCollection_Game *collection = nullptr;
  CLevel_Game *level = nullptr;
  int total = -1;
  int preGenerated = 0;
  int works = 0;
};
std::vector<FakeGenerator *> &generators() {
  static std::vector<FakeGenerator *> g;
  return g;
}

FakeGenerator *fake(CCustomerGenerator *g) { return reinterpret_cast<FakeGenerator *>(g); }

struct FakeGeneratorLink : CCustomerGeneratorLink {
  CCustomerGenerator *create() override {
    generators().push_back(new FakeGenerator());
    return reinterpret_cast<CCustomerGenerator *>(generators().back());
  }
  void destroy(CCustomerGenerator *g) override {
    for (auto &p : generators())
      if (p == fake(g)) p = nullptr;
    delete fake(g);
  }
  void bindEC(CCustomerGenerator *g, CMapEntitiesCollection_Game *c, CLevel_Game *lv) override {
    fake(g)->collection = c;
    fake(g)->level = lv;
  }
  void setCustomerCount(CCustomerGenerator *g, int n) override { fake(g)->total = n; }
  void preGenerate(CCustomerGenerator *g, int n) override { fake(g)->preGenerated += n; }
  void work(CCustomerGenerator *g) override { ++fake(g)->works; }
};

class LevelRuntimeTest : public LevelTest {
protected:
  void SetUp() override {
    LevelTest::SetUp();
    CountingController::binds() = 0;
    CountingController::updates() = 0;
    vzory.addController(new CountingController("PROBE"));
  }
  void TearDown() override {
    LevelTest::TearDown();
    for (FakeGenerator *g : generators()) delete g;
    generators().clear();
  }

  CLevel_Game *loadDay(const std::string &attributes, const std::string &entities = "") {
    writeLevel("day", attributes, "", entities);
    loadLevel("day");
    level->bindEContVzory(&vzory);
    return level;
  }

  static KEvent click(int button) {
    KEvent ev{};
    ev.type = K_EVENT_MOUSEDOWN;
    ev.button = (uint32_t)button;
    return ev;
  }

  CEntityControllersVzory_Game vzory;
};

TEST_F(LevelRuntimeTest, MoneyNeverGoesBelowZero) {
  loadDay("");
  level->changeMoney(30);
  level->changeMoney(-50);
  EXPECT_EQ(level->getMoney(), 0);
  level->changeMoney(-10);
  level->changeMoney(5);
  EXPECT_EQ(level->getMoney(), 5);
  level->changeMoney(2147483647);
  EXPECT_EQ(level->getMoney(), 2147483647) << "a huge payment stops at the largest amount";
  level->incCured();
  level->incCured();
  level->incLost();
  EXPECT_EQ(level->getCured(), 2);
  EXPECT_EQ(level->getLost(), 1);
}

TEST_F(LevelRuntimeTest, ClockClosesJustPastTheLengthAndStandsStillWhilePaused) {
  loadDay("time=\"300000\"");
  frame(50);
  CFakeTime::instance()->ms += 150000 - 50;
  EXPECT_FLOAT_EQ(level->getTimeLeftPercent(), 0.5f);
  CFakeTime::instance()->ms += 150000;
  EXPECT_FALSE(level->closed()) << "elapsed equal to the length is still open";
  EXPECT_FLOAT_EQ(level->getTimeLeftPercent(), 1.0f);
  CGlobals::instance()->paused = true;
  frame(50);
  EXPECT_FALSE(level->closed()) << "paused game time does not pass";
  CGlobals::instance()->paused = false;
  frame(1);
  EXPECT_TRUE(level->closed());
  CFakeTime::instance()->ms += 100000;
  EXPECT_FLOAT_EQ(level->getTimeLeftPercent(), 1.0f);

  // The tutorial's early end: over from the next millisecond.
  loadDay("time=\"300000\"");
  frame(20);
  level->finishClock();
  EXPECT_FALSE(level->closed());
  frame(1);
  EXPECT_TRUE(level->closed());

  // A day of length 0 has passed wholly after its first millisecond; no division by zero.
  loadDay("time=\"0\"");
  EXPECT_FLOAT_EQ(level->getTimeLeftPercent(), 0.0f);
  frame(1);
  EXPECT_TRUE(level->closed());
  EXPECT_FLOAT_EQ(level->getTimeLeftPercent(), 1.0f);
}

TEST_F(LevelRuntimeTest, UpdateBindsRunsGeneratesAndKillsInOrder) {
  FakeGeneratorLink fakeLink;
  auto installed = std::make_unique<TScopedLink<CCustomerGeneratorLink>>(&fakeLink);
  writeLevel("day", "pregenerate=\"2\"", "<pacient name=\"PACIENT1\" count=\"4\"/>\n",
             "<generator x=\"40\" y=\"50\" interval=\"5000\" start=\"100\"><generatorentity name=\"PROBE\"/>"
             "</generator>\n");
  loadLevel("day");
  level->bindEContVzory(&vzory);
  ASSERT_EQ(generators().size(), 1u);
  FakeGenerator *gen = generators()[0];
  EXPECT_EQ(gen->collection, level->getEC());
  EXPECT_EQ(gen->level, level);
  EXPECT_EQ(gen->total, 4);
  EXPECT_EQ(gen->preGenerated, 2);

  // An entity added before the update is bound and updated in that same update.
  CMapEntity_Game *probe = place("PROBE", 0, 0);
  playFrame(20);
  EXPECT_EQ(CountingController::binds(), 1);
  EXPECT_EQ(CountingController::updates(), 1);
  EXPECT_EQ(gen->works, 1);
  EXPECT_FALSE(CGlobals::instance()->entityAdded);

  // The generator releases its entity once its start delay has passed; it is bound next update.
  playFrame(90);
  EXPECT_EQ(countID(500), 2);
  playFrame(20);
  EXPECT_EQ(CountingController::binds(), 2);
  EXPECT_EQ(CountingController::updates(), 1 + 1 + 2);

  // A killed entity is gone at the end of the update, and its behaviour after it.
  probe->setKill(true);
  level->update(0, true);
  EXPECT_EQ(countID(500), 1);
  size_t behaviours = level->getControllers()->size();
  level->update(0, true);
  EXPECT_EQ(level->getControllers()->size(), behaviours - 1);
  EXPECT_EQ(gen->works, 5);

  // The game's own link gives the day its patient generator; with no couch in the ward the two
  // pre-generated arrivals pass without a patient.
  delete level;
  level = nullptr;
  engineObj.progression().setLevel(nullptr);
  installed.reset();
  loadLevel("day");
  EXPECT_NE(level->getGenerator(), nullptr);
  level->update(0, true);
}

TEST_F(LevelRuntimeTest, CollisionPassRunsOnlyAfterSomethingMoved) {
  addPlainSprite("BOX", "box.tga", 20, 20);
  loadDay("");
  CMapEntity_Game *a = place("PROBE", 100, 100);
  CMapEntity_Game *b = place("PROBE", 110, 110);
  a->looks().setSprite("BOX");
  b->looks().setSprite("BOX");
  level->update(0, true);
  EXPECT_TRUE(a->hits().isCollisionWithEntity(b));
  EXPECT_EQ(kolizniCheck, 0u);

  // Nothing moved: the lists stay as they are, even if they are out of date.
  b->hits().removeCollisions();
  level->update(0, true);
  EXPECT_FALSE(b->hits().isCollisionWithEntity(a));
  b->setXY(300, 300);
  level->update(0, true);
  EXPECT_FALSE(a->hits().isCollisionWithEntity(b));
  EXPECT_FALSE(b->hits().isCollisionWithEntity(a));
}

TEST_F(LevelRuntimeTest, RightClickEmptiesTheQueueInTheSameEventAndStopsThePlayer) {
  loadDay("");
  place("PROBE", 0, 0);
  TestPlayer *player = static_cast<TestPlayer *>(place("PLAYER", 50, 50));
  level->update(0, true);
  CMapEntity_FrontaAkci *queue = CMapEntity_FrontaAkci::najdi(level->getEC());
  ASSERT_NE(queue, nullptr);

  KEvent left = click(1);
  level->handleMessages(&left);
  level->handleMessages(&left);
  EXPECT_EQ(queue->getFronta().size(), 2u);
  EXPECT_TRUE(queue->getPredFronta().empty());
  EXPECT_EQ(player->targetX, 100);

  KEvent right = click(2);
  level->handleMessages(&right);
  EXPECT_TRUE(queue->getFronta().empty());
  EXPECT_TRUE(queue->getPredFronta().empty());
  EXPECT_FALSE(queue->getClear());
  EXPECT_EQ(player->targetX, -1);
  EXPECT_EQ(player->targetY, -1);

  // Without a player figure the queue is still emptied.
  player->setKill(true);
  level->update(0, true);
  level->handleMessages(&left);
  level->handleMessages(&right);
  EXPECT_TRUE(queue->getFronta().empty());
}

TEST_F(LevelRuntimeTest, LaundryHoldsTheWardUntilBedsAreMadeAndRubbishIsGone) {
  loadDay("");
  EXPECT_TRUE(level->noLaundry()) << "no player figure";
  TestPlayer *player = static_cast<TestPlayer *>(place("PLAYER", 0, 0));
  TestBed *bed1 = static_cast<TestBed *>(place("POSTEL", 0, 0));
  TestBed *bed2 = static_cast<TestBed *>(place("POSTEL", 0, 0));
  EXPECT_TRUE(level->noLaundry());
  bed2->madeUp = false;
  EXPECT_FALSE(level->noLaundry());
  bed2->madeUp = true;
  CMapEntity *rubbish = player->addEntity("ODPAD");
  EXPECT_TRUE(level->getEC()->contains(rubbish)) << "what a carrier picks up joins the level";
  EXPECT_FALSE(level->noLaundry()) << "rubbish in hand, beds made";
  rubbish->setKill(true);
  level->update(0, true);
  EXPECT_TRUE(level->noLaundry());
  (void)bed1;

  EXPECT_TRUE(level->noCustomers());
  place("PACIENT1", 0, 0);
  EXPECT_FALSE(level->noCustomers());
}

// The engine's level changes with real levels: a screen without a goal always moves on, a day
// moves on only with its goal, jumps and the end of the list.
class LevelProgressionTest : public LevelTest {
protected:
  void SetUp() override {
    LevelTest::SetUp();
    const char *old = std::getenv("HOME");
    if (old) oldHome = old;
    setenv("HOME", dir.c_str(), 1);
    mkdir((dir + "/hospital").c_str(), 0777);
    for (int i = 0; i < 6; ++i) mkdir((dir + "/hospital/" + std::to_string(i)).c_str(), 0777);
    writeFile("data/maps/medium/levellist.xml", "<level name=\"menu\"/>\n<level name=\"map\"/>\n"
                                                "<level name=\"day1\"/>\n<level name=\"day2\"/>\n");
    writeLevel("menu", "name=\"Menu\"");
    writeLevel("map", "name=\"Map\" perks=\"1\"");
    writeLevel("day1", "name=\"Day one\" time=\"1000\" moneyLimit=\"100\"");
    writeLevel("day2", "name=\"Day two\" time=\"1000\" moneyLimit=\"100\"");
    engineObj.built().setProfiles(new CProfiles());
    engineObj.built().getProfiles()->load();
    engineObj.setSkipToLevel(CEngine::kNoSkip);
    engineObj.progression().setRunning(true);
    engineObj.restartGame();
    level = nullptr; // the engine owns its level
  }
  void TearDown() override {
    delete engineObj.getLevel();
    engineObj.progression().setLevel(nullptr);
    delete engineObj.progression().getLevelList();
    engineObj.progression().setLevelList(nullptr);
    delete engineObj.built().getProfiles();
    engineObj.built().setProfiles(nullptr);
    if (!oldHome.empty()) setenv("HOME", oldHome.c_str(), 1);
    LevelTest::TearDown();
  }

  std::string current() { return engineObj.getLevel() ? engineObj.getLevel()->getLevelName() : "<none>"; }

  // Ends the running level with this much money and runs the frame's level checks.
  void finish(int money) {
    engineObj.getLevel()->changeMoney(money);
    engineObj.getLevel()->setLevelOver(true);
    engineObj.checkNextLevel();
    engineObj.trySkipLevel();
  }

  bool saved() const { return access((dir + "/hospital/0/save.dat").c_str(), F_OK) == 0; }

  std::string oldHome;
};

TEST_F(LevelProgressionTest, LevelsFollowTheListByGoalJumpAndEnd) {
  EXPECT_EQ(current(), "Menu");
  EXPECT_EQ(engineObj.getSoucasnyLevel(), 0);
  EXPECT_EQ(CLevel::getRunning(), engineObj.getLevel());

  finish(0);
  EXPECT_EQ(current(), "Map");
  EXPECT_TRUE(saved());
  EXPECT_EQ(CLevel::getRunning(), engineObj.getLevel());
  finish(0);
  EXPECT_EQ(current(), "Day one");

  // Short of the goal: the same day again, afresh.
  CLevel_Game *before = engineObj.getLevel();
  before->changeMoney(99);
  before->setLevelOver(true);
  engineObj.checkNextLevel();
  EXPECT_EQ(current(), "Day one");
  EXPECT_EQ(engineObj.getLevel()->getMoney(), 0);
  EXPECT_FALSE(engineObj.getLevel()->getLevelOver());
  finish(100);
  EXPECT_EQ(current(), "Day two");
  EXPECT_EQ(engineObj.progression().getMaxLevel(), 3);

  // A map icon jumps back without saving; finishing there leads to the furthest day.
  std::remove((dir + "/hospital/0/save.dat").c_str());
  engineObj.setSkipToLevel(1);
  engineObj.trySkipLevel();
  EXPECT_EQ(current(), "Map");
  EXPECT_FALSE(saved());
  finish(0);
  EXPECT_EQ(current(), "Day two");

  // Past the last day the main loop ends; the last entry is built once more.
  finish(500);
  EXPECT_FALSE(engineObj.progression().isRunning());
  EXPECT_EQ(engineObj.getSoucasnyLevel(), 3);
  EXPECT_EQ(current(), "Day two");
}

// The level's drawing in the game window: background, layers, y plus the frame's sort offset,
// carried entities with their carrier and its alpha.
class LevelDrawGL : public GLTestWindow, public LevelScratch {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    setUpLevel(false);
    writeTGA("bg.tga", 800, 600, 40, 40, 40);
    const struct {
      const char *name;
      uint8_t r, g, b;
      short sortY;
    } sprites[] = {{"RED", 200, 0, 0, 0},       {"GREEN", 0, 200, 0, 0},   {"BLUE", 0, 0, 200, 50},
                   {"YELLOW", 200, 200, 0, 0},  {"WHITE", 200, 200, 200, 0}, {"CYAN", 0, 200, 200, 0},
                   {"MAGENTA", 200, 0, 200, 0}};
    for (const auto &s : sprites) {
      std::string file = std::string(s.name) + ".tga";
      writeTGA(file, 20, 20, s.r, s.g, s.b);
      addPlainSprite(s.name, file, 20, 20, 1, s.sortY);
    }
    writeLevel("ward", "", "", "", "<map background=\"bg.tga\">\n<layer/>\n</map>\n");
    loadLevel("ward");
  }
  void TearDown() override {
    tearDownLevel();
    GLTestWindow::TearDown();
  }

  CMapEntity_Game *put(const char *sprite, float x, float y, int sortZ) {
    CMapEntity_Game *e = place("PROBE", x, y);
    e->looks().setSprite(sprite);
    e->setSortZ(sortZ, true);
    return e;
  }

  // A frame: the update puts the entities in drawing order, the render draws them.
  void draw() {
    level->update(0, true);
    window()->setWorldView(0, 0, 0, 1, true);
    level->render(0, true, nullptr);
  }
};

TEST_F(LevelDrawGL, EntitiesDrawByLayerThenYPlusSortOffsetWithCarriedOnesAndTheirAlpha) {
  // Added out of drawing order on purpose.
  CMapEntity_Game *blue = put("BLUE", 110, 90, 1); // key 90 + 50
  put("RED", 100, 100, 1);
  put("GREEN", 105, 105, 0);
  put("YELLOW", 90, 95, 1);
  CMapEntity_Game *white = put("WHITE", 300, 300, 0);
  CMapEntity_Game *cyan = put("CYAN", 0, 0, 0);
  put("MAGENTA", 315, 315, 0);
  white->addEntity(cyan, false, true);
  cyan->setXOffset(10, false);
  cyan->setYOffset(10, false);
  ASSERT_EQ(cyan->looks().getSortZ(), 1);

  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/level_draw_order.png").c_str());
  EXPECT_TRUE(near(pixel(50, 50), rgba(40, 40, 40))) << std::hex << pixel(50, 50);
  EXPECT_TRUE(near(pixel(112, 112), rgba(200, 0, 0))) << "a higher layer covers a larger y";
  EXPECT_TRUE(near(pixel(122, 122), rgba(0, 200, 0)));
  EXPECT_TRUE(near(pixel(115, 105), rgba(0, 0, 200))) << "the sort offset puts blue in front";
  EXPECT_TRUE(near(pixel(102, 102), rgba(200, 0, 0))) << "same layer: larger y in front";
  EXPECT_TRUE(near(pixel(92, 97), rgba(200, 200, 0)));
  EXPECT_TRUE(near(pixel(312, 312), rgba(0, 200, 200))) << "carried over its carrier";
  EXPECT_TRUE(near(pixel(317, 317), rgba(200, 0, 200)))
      << "the carried entity goes with its carrier, behind what stands in front of the carrier";

  // The order is taken anew every frame; alpha set on the carrier reaches what it carries.
  blue->setXY(110, 40);
  white->setAlpha(0.5f, true);
  draw();
  EXPECT_TRUE(near(pixel(115, 105), rgba(200, 0, 0))) << std::hex << pixel(115, 105);
  EXPECT_TRUE(near(pixel(325, 312), rgba(20, 120, 120), 3)) << std::hex << pixel(325, 312);
  EXPECT_TRUE(near(pixel(305, 305), rgba(120, 120, 120), 3)) << std::hex << pixel(305, 305);
}

} // namespace
