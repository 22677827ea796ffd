#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "world/CBonusTextController.h"
#include "world/CBublinaController.h"
#include "world/CComicController.h"
#include "world/CConfettiController.h"
#include "world/CDomovKourController.h"
#include "world/CFlashObjektController.h"
#include "world/CFloatingController.h"
#include "world/CKurzorController.h"
#include "world/CLetadloKourController.h"
#include "world/CLevel.h"
#include "world/CMapEntity_Fader.h"
#include "world/CMapEntity_Particle.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"
#include "world/CParticleController.h"
#include "world/CPixlaBlackController.h"
#include "world/CSipkaController.h"
#include "world/TEntityRef.h"

namespace {

// Records the rectangles a dark screen fills.
class RectRecorder : public FakePicture {
public:
  void drawRect(float x1, float y1, float x2, float y2, float r, float g, float b, float a) override {
    rects.push_back({x1, y1, x2, y2, r, g, b, a});
  }
  std::vector<std::vector<float>> rects;
};

class VisualEntitiesTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    KInput::resetHeldState();
    steadyFrames(20);
  }
  void TearDown() override {
    KInput::resetHeldState();
    FrameworkTest::TearDown();
  }

  // A prototype of class T registered under a name, as the start-up table builds it.
  template <class T> T *register_(const std::string &name, unsigned id, float alpha = -1.0f) {
    T *p = new T(0, 0, false);
    p->name = name;
    p->setEntityID(id);
    p->looks().setSprite("BOX");
    if (alpha != -1.0f) p->setAlpha(alpha, true);
    factory->addEntity(p);
    return p;
  }
  template <class C> void behaviour(const std::string &bindName) {
    prototypes.addController(new C(nullptr, nullptr, nullptr, bindName));
  }
  // A clone placed into the level at (x, y).
  CMapEntity_Game *place(const std::string &name, float x, float y) {
    CMapEntity_Game *e = factory->cloneEntity(name);
    e->setXY(x, y);
    collection->addEntity(e);
    return e;
  }
  // One frame of ms, then the level update; false once the entity has left the level.
  bool step(CMapEntity_Game *e, int ms = 20) {
    const TEntityRef<CMapEntity_Game> kept(e);
    frame(ms);
    levelUpdate();
    return kept.in(collection);
  }
  int framesUntilGone(CMapEntity_Game *e, int limit = 1000) {
    for (int n = 1; n <= limit; ++n)
      if (!step(e)) return n;
    return -1;
  }
  template <class C> C *controllerOf(CMapEntity_Game *e) { return static_cast<C *>(e->getController()); }
};

TEST_F(VisualEntitiesTest, CaptionRisesOpaqueForASecondOfGameTimeThenFadesOutInTwentyFrames) {
  behaviour<CBonusTextController>("BONUSTEXT");
  register_<CMapEntity_BonusText>("BONUSTEXT", 173, 1.0f);
  CMapEntity_Game *caption = place("BONUSTEXT", 100, 300);
  caption->setAlpha(0.3f, true);

  steadyFrames(40);
  levelUpdate();
  EXPECT_FLOAT_EQ(caption->looks().getAlpha(), 1.0f) << "binding shows it opaque whatever its maker left";
  EXPECT_NEAR(caption->getY(), 300 - 1.7f * 2, 1e-4) << "1.7 pixels a frame times the frame factor";
  uint32_t started = CFakeTime::instance()->ms;

  CGlobals::instance()->paused = true;
  for (int i = 0; i < 100; ++i) step(caption, 40);
  EXPECT_NEAR(caption->getY(), 296.6f, 1e-4) << "nothing moves while paused";
  EXPECT_FLOAT_EQ(caption->looks().getAlpha(), 1.0f) << "and the game clock stands, so it does not fade";
  CGlobals::instance()->paused = false;

  while (caption->looks().getAlpha() == 1.0f) step(caption, 40);
  uint32_t fadedAt = CFakeTime::instance()->ms;
  EXPECT_GE(fadedAt - started, 1000u);
  EXPECT_LE(fadedAt - started, 1040u);
  int fadeFrames = framesUntilGone(caption) + 1;
  EXPECT_GE(fadeFrames, 20);
  EXPECT_LE(fadeFrames, 21) << "0.05 a frame at level speed 1, whatever the frame time";
}

TEST_F(VisualEntitiesTest, SparksRiseSwayGrowAndFadeAfterASecond) {
  behaviour<CParticleController>("WHITEPARTICLE");
  behaviour<CParticleController>("REDSTARPARTICLE");
  register_<CMapEntity_WhiteParticle>("WHITEPARTICLE", 273, 0.6f)->setAlpha(0.9f, true);
  register_<CMapEntity_RedStarParticle>("REDSTARPARTICLE", 276, 0.65f);
  CMapEntity_Game *spark = place("WHITEPARTICLE", 400, 300);
  CMapEntity_Game *red = place("REDSTARPARTICLE", 100, 300);
  EXPECT_FLOAT_EQ(spark->looks().getAlpha(), 0.6f) << "a white spark copy starts at 0.6";
  EXPECT_FLOAT_EQ(red->looks().getAlpha(), 0.65f) << "a red star copy keeps its prototype's alpha";

  levelUpdate();
  float speed = controllerOf<CParticleController>(spark)->speedY;
  EXPECT_GE(speed, 0.5f);
  EXPECT_LE(speed, 1.4f);
  EXPECT_NEAR(spark->getY(), 300 - speed, 1e-4);
  EXPECT_NEAR(spark->looks().getZoom(), 1.02f, 1e-5);
  for (int i = 0; i < 20; ++i) {
    float x = spark->getX();
    step(spark);
    EXPECT_NEAR(spark->getX() - x, std::sin(spark->getY() * 3.14159265f / 180.0f * 4.0f), 1e-3)
        << "the sway follows the height: a period of 90 pixels";
  }
  EXPECT_FLOAT_EQ(spark->looks().getAlpha(), 0.6f) << "full strength during the first second";

  float zoom = spark->looks().getZoom();
  int sparkFrames = 0, redFrames = 0;
  const TEntityRef<CMapEntity_Game> sparkRef(spark), redRef(red);
  for (int n = 22; n < 200 && (sparkFrames == 0 || redFrames == 0); ++n) {
    bool sparkAlive = sparkRef.in(collection), redAlive = redRef.in(collection);
    if (sparkAlive) zoom = spark->looks().getZoom();
    frame(20);
    levelUpdate();
    if (sparkAlive && !sparkRef.in(collection)) sparkFrames = n;
    if (redAlive && !redRef.in(collection)) redFrames = n;
  }
  EXPECT_NEAR(sparkFrames, 50 + 30, 1) << "a second of game time, then 30 frames from 0.6";
  EXPECT_NEAR(redFrames, 50 + 33, 1) << "and 33 from 0.65";
  EXPECT_GT(zoom, 2.5f) << "still growing while it fades";

  // Its maker may hand it over already invisible: gone in the first update.
  CMapEntity_Game *blank = place("WHITEPARTICLE", 10, 10);
  blank->setAlpha(0.0f, true);
  EXPECT_FALSE(step(blank));
}

TEST_F(VisualEntitiesTest, GoldStarsBurstUpSpinAgainstTheirDriftAndFallNoFasterThanTheCap) {
  behaviour<CParticleController>("STARPARTICLE");
  CMapEntity_StarParticle *proto = register_<CMapEntity_StarParticle>("STARPARTICLE", 392, 1.0f);
  proto->typ = CMapEntity_Particle::kBurst;
  proto->health = 1;
  std::srand(7);
  std::vector<CMapEntity_Game *> stars;
  for (int i = 0; i < 12; ++i) stars.push_back(place("STARPARTICLE", 400, 300));
  steadyFrames(40);
  levelUpdate();
  bool left = false, right = false;
  for (CMapEntity_Game *s : stars) {
    CParticleController *c = controllerOf<CParticleController>(s);
    EXPECT_LT(s->getY(), 300) << "a burst starts upwards";
    EXPECT_GE(std::fabs(c->speedX), 0.5f);
    EXPECT_GE(s->looks().getZoom(), 0.4f);
    EXPECT_LE(s->looks().getZoom(), 1.0f);
    float angle = s->looks().getSprite()->getAngle();
    EXPECT_NEAR(angle, (c->speedX >= 0 ? -c->spin : c->spin) * 2.0f, 1e-5) << "turned against its drift";
    (c->speedX < 0 ? left : right) = true;
  }
  EXPECT_TRUE(left && right);

  CMapEntity_Game *star = stars[0];
  CParticleController *c = controllerOf<CParticleController>(star);
  int frames = 1;
  float fastest = 0.0f;
  while (step(star, 40)) {
    ++frames;
    fastest = std::max(fastest, c->speedY);
    float y = star->getY();
    if (c->speedY == CParticleController::kMaxFall) {
      if (!step(star, 40)) break;
      ++frames;
      EXPECT_NEAR(star->getY() - y, 3.0f * 2.0f, 1e-3) << "capped fall times the frame factor";
    }
  }
  EXPECT_FLOAT_EQ(fastest, 3.0f);
  EXPECT_NEAR(frames, 25 + 84, 2) << "a second at 40 ms a frame, then 84 frames from 1.0";
}

TEST_F(VisualEntitiesTest, ChimneyPuffsDustOnGameTimeOnly) {
  behaviour<CDomovKourController>("DOMOVKOUR");
  register_<CMapEntity_DomovKour>("DOMOVKOUR", 354);
  FrameworkTest::addBoxSprite("DUST", Rect{0, 0, 32, 32}, Rect{2, 2, 20, 20});
  CMapEntity_Game *dust = new CMapEntity_Game(0, 0, false);
  dust->name = "PRACH";
  dust->looks().setSprite("DUST");
  factory->addEntity(dust);
  static std::vector<std::pair<float, float>> drifts;
  drifts.clear();
  struct NotedDrift : CChimneyDriftLink {
    void setDrift(CMapEntity_Game *, float dx, float dy) override { drifts.push_back({dx, dy}); }
  } noted;
  TScopedLink<CChimneyDriftLink> driftLink(&noted);
  CMapEntity_Game *chimney = place("DOMOVKOUR", 200, 100);

  levelUpdate();
  CGlobals::instance()->paused = true;
  for (int i = 0; i < 100; ++i) step(chimney);
  EXPECT_EQ(collection->getEntitiesPtr()->size(), 1u) << "paused: the game clock stands";
  CGlobals::instance()->paused = false;
  for (int i = 0; i < 50; ++i) step(chimney);

  std::vector<CMapEntity_Game *> &all = *collection->getEntitiesPtr();
  ASSERT_EQ(all.size(), 5u) << "one puff every 220 ms over a second";
  ASSERT_EQ(drifts.size(), 4u);
  for (size_t i = 1; i < all.size(); ++i) {
    CMapEntity_Game *p = all[i];
    EXPECT_EQ(p->name, "PRACH");
    EXPECT_FLOAT_EQ(p->getX(), 200);
    EXPECT_FLOAT_EQ(p->getY(), 100);
    EXPECT_FLOAT_EQ(p->looks().getAlpha(), 0.3f);
    EXPECT_EQ(p->looks().getSortZ(), 4);
    EXPECT_FALSE(p->getFocusable());
    EXPECT_EQ(p->looks().getCurrentFrame()->getAW(), 0) << "no action box: smoke is never under the mouse";
    EXPECT_GE(p->looks().getZoom(), 0.2f);
    EXPECT_LE(p->looks().getZoom(), 0.9f);
    EXPECT_GE(drifts[i - 1].first, 0.0f);
    EXPECT_LE(drifts[i - 1].first, 0.4f);
    EXPECT_FLOAT_EQ(drifts[i - 1].second, -0.45f);
  }
  EXPECT_EQ(dust->looks().getCurrentFrame()->getAW(), 20) << "the prototype keeps its action box";
}

TEST_F(VisualEntitiesTest, PlaneSmokeBubblesAndConfettiMoveAndWrapAsTheyShould) {
  behaviour<CLetadloKourController>("LETADLOKOUR");
  behaviour<CBublinaController>("BUBLINA");
  behaviour<CConfettiController>("VICTORYCONFETTI");
  register_<CMapEntity_LetadloKour>("LETADLOKOUR", 209);
  register_<CMapEntity_Bublina>("BUBLINA", 366);
  register_<CMapEntity_Game>("VICTORYCONFETTI", 384);
  CMapEntity_Game *smoke = place("LETADLOKOUR", 50, 50);
  CMapEntity_Game *bubble = place("BUBLINA", 123, 0);
  CMapEntity_Game *sheet = place("VICTORYCONFETTI", 300, 597);

  levelUpdate();
  EXPECT_NEAR(smoke->looks().getAlpha(), 0.995f, 1e-6);
  float speed = controllerOf<CBublinaController>(bubble)->speed;
  EXPECT_GE(speed, 0.5f);
  EXPECT_LT(speed, 1.0f);
  EXPECT_FLOAT_EQ(bubble->getX(), 123) << "from y 0 it rose above the top and started again";
  EXPECT_FLOAT_EQ(bubble->getY(), CBublinaController::kRestartY);
  EXPECT_FLOAT_EQ(sheet->getY(), 599);
  EXPECT_FLOAT_EQ(sheet->looks().getAlpha(), 1.0f);

  // Landing exactly on the top edge is not yet above it.
  bubble->setXY(123, speed);
  step(smoke);
  EXPECT_FLOAT_EQ(bubble->getY(), 0.0f);
  EXPECT_FLOAT_EQ(sheet->getX(), 0) << "the sheet restarts at x 0 above the screen";
  EXPECT_FLOAT_EQ(sheet->getY(), -600);

  int n = 0;
  float zoom = 0;
  for (bool up = true; up && n < 400; ++n) {
    zoom = smoke->looks().getZoom();
    up = step(smoke);
  }
  EXPECT_NEAR(n + 2, 200, 1) << "0.005 a frame from 1.0";
  EXPECT_NEAR(zoom, 1.0f + 2.4f, 0.03f);
  EXPECT_NEAR(bubble->getY(), CBublinaController::kRestartY - speed * (n - 1), 0.01f) << "from 0 back to the bottom";
}

TEST_F(VisualEntitiesTest, ArrowPulsesForeverAndNewItemsFlashOnce) {
  behaviour<CSipkaController>("SIPKA");
  behaviour<CFlashObjektController>("RECEPT");
  register_<CMapEntity_Sipka>("SIPKA", 189);
  register_<CMapEntity_Game>("RECEPT", 44);
  CMapEntity_FrontaAkci *queue = new CMapEntity_FrontaAkci(0, 0, false);
  collection->addEntity(queue);
  CMapEntity_Game *arrow = place("SIPKA", 10, 10);
  CMapEntity_Game *recipe = place("RECEPT", 20, 20);
  levelUpdate();
  EXPECT_EQ(controllerOf<CFlashObjektController>(recipe)->actionQueue(), queue);

  float low = 2, high = 0, brightest = 0;
  for (int i = 0; i < 300; ++i) {
    ASSERT_TRUE(step(arrow));
    low = std::min(low, arrow->looks().getZoom());
    high = std::max(high, arrow->looks().getZoom());
    brightest = std::max(brightest, recipe->looks().getFlash());
  }
  EXPECT_FLOAT_EQ(arrow->looks().getAlpha(), 1.0f);
  EXPECT_NEAR(low, 1.0f, 0.06f);
  EXPECT_NEAR(high, 1.2f, 0.06f);
  EXPECT_FLOAT_EQ(brightest, 1.0f);
  EXPECT_TRUE(recipe->looks().getFlashDone()) << "one flash, then it lies still";
  EXPECT_FLOAT_EQ(recipe->looks().getFlash(), 0.0f);
}

TEST_F(VisualEntitiesTest, ItemsAndTargetsEndTheGameInALevelWithoutTheActionQueue) {
  behaviour<CFlashObjektController>("ODPAD");
  behaviour<CPixlaBlackController>("HULKA");
  register_<CMapEntity_Game>("ODPAD", 47);
  register_<CMapEntity_Game>("HULKA", 106);
  place("ODPAD", 0, 0);
  EXPECT_EXIT(levelUpdate(), ::testing::ExitedWithCode(255), "Entita nemuze pracovat bez FRONTAAKCI, exit");
  collection->getEntitiesPtr()->front()->name = "HULKA";
  EXPECT_EXIT(levelUpdate(), ::testing::ExitedWithCode(255), "Entita nemuze pracovat bez FRONTAAKCI, exit");
}

TEST_F(VisualEntitiesTest, InGameMenuFadesInAndOutEvenWhilePausedWithItsDarkScreenCapped) {
  behaviour<CFloatingController>("INGAMEMENU");
  behaviour<CFloatingController>("OPTIONSINGAMEMENU");
  behaviour<CFloatingController>("MAINMENU");
  register_<CMapEntity_Game>("INGAMEMENU", 263);
  register_<CMapEntity_Game>("OPTIONSINGAMEMENU", 265);
  register_<CMapEntity_Game>("MAINMENU", 264);
  CMapEntity_DarkScreen *darkProto = register_<CMapEntity_DarkScreen>("DARKSCREEN", 1101, 0.9f);
  darkProto->coverRed = 1.0f;
  darkProto->maxAlpha = 0.8f;
  CMapEntity_Game *menu = place("INGAMEMENU", 0, 0);
  CMapEntity_Game *options = place("OPTIONSINGAMEMENU", 0, 0);
  CMapEntity_Game *mainMenu = place("MAINMENU", 0, 0);
  options->setAlpha(1.0f, true);
  mainMenu->setAlpha(1.0f, true);
  CMapEntity_DarkScreen *dark = static_cast<CMapEntity_DarkScreen *>(factory->cloneEntity("DARKSCREEN"));
  EXPECT_FLOAT_EQ(dark->coverRed, 0.0f) << "every copy is black with maximum 0.35";
  EXPECT_FLOAT_EQ(dark->maxAlpha, 0.35f);
  menu->addEntity(dark, true, true);

  CGlobals::instance()->paused = true;
  int frames = 0;
  for (; frames < 30 && menu->looks().getAlpha() < 1.0f; ++frames) step(menu);
  EXPECT_EQ(frames, 13) << "binding starts it at 0, then 13 steps of 0.08 at factor 1";
  RectRecorder screen;
  dark->renderAdditional(&screen);
  ASSERT_EQ(screen.rects.size(), 1u);
  EXPECT_EQ(screen.rects[0], (std::vector<float>{0, 0, 800, 600, 0, 0, 0, 0.35f}));
  menu->setAlpha(0.2f, true);
  dark->renderAdditional(&screen);
  EXPECT_FLOAT_EQ(screen.rects[1][7], 0.2f) << "it follows its window's fade below the cap";

  EXPECT_FLOAT_EQ(options->looks().getAlpha(), 1.0f);
  EXPECT_FLOAT_EQ(mainMenu->looks().getAlpha(), 1.0f);
  menu->closing = 1;
  options->closing = 1;
  mainMenu->closing = 1;
  menu->setAlpha(1.0f, true);
  frames = 0;
  const TEntityRef<CMapEntity_Game> optionsRef(options), darkRef(dark), mainRef(mainMenu);
  while (step(menu)) ++frames;
  EXPECT_EQ(frames + 1, 13);
  EXPECT_FALSE(optionsRef.in(collection));
  EXPECT_FALSE(darkRef.in(collection)) << "the dark screen goes with its window";
  EXPECT_TRUE(mainRef.in(collection)) << "other panels have no fade";
  CGlobals::instance()->paused = false;
}

TEST_F(VisualEntitiesTest, ComicPageWaitsForTheButtonAfterItsFadeInThenCoversAndEndsTheLevel) {
  behaviour<CComicController>("COMIC");
  register_<CMapEntity_Comic>("COMIC", 325);
  register_<CMapEntity_Fader>("FADER", 88);
  CLevel level(nullptr);
  CMapEntitiesCollection_Game *ec = level.getEC();
  CMapEntity_Game *page = factory->cloneEntity("COMIC");
  ec->addEntity(page);
  auto update = [&]() {
    frame(20);
    prototypes.bindVzoryTo(&behaviours, ec->getEntitiesPtr(), ec, true);
    behaviours.update();
  };
  KInput::noteButton(1, true);
  update();
  CMapEntity_Fader *fader = controllerOf<CComicController>(page)->getFader();
  ASSERT_NE(fader, nullptr);
  EXPECT_TRUE(ec->contains(fader));
  EXPECT_FALSE(fader->getSmer());
  int in = 1;
  while (!fader->isComplete() && in < 200) {
    update();
    ++in;
  }
  EXPECT_NEAR(in, 50, 1) << "a second of 20 ms frames, the button held all the while";
  update();
  EXPECT_TRUE(fader->getSmer()) << "the held button starts the cover in the first update after the fade-in";
  KInput::noteButton(1, false);
  int out = 1;
  while (!level.getLevelOver() && out < 200) {
    if (out == 10) KInput::noteButton(1, true);
    update();
    ++out;
  }
  EXPECT_NEAR(out, 50, 1) << "clicks during the cover change nothing";
  EXPECT_FLOAT_EQ(fader->getCoverAlpha(), 1.0f);
}

TEST_F(VisualEntitiesTest, ClickTargetsQueueActivationOrDeactivationAndActOnlyAtTheHead) {
  behaviour<CPixlaBlackController>("HULKA");
  register_<CMapEntity_Game>("HULKA", 106);
  register_<CMapEntity_Game>("OK", 50);
  CMapEntity_FrontaAkci *queue = new CMapEntity_FrontaAkci(0, 0, false);
  collection->addEntity(queue);
  CMapEntity_Game *cursor = live("KURZOR", 0, 32);
  CMapEntity_Game *stick = place("HULKA", 300, 300);
  levelUpdate();
  CPixlaBlackController *c = controllerOf<CPixlaBlackController>(stick);
  auto event = [&](uint32_t type, uint32_t button, int x, int y) {
    KEvent ev{};
    ev.type = type;
    ev.button = button;
    ev.mouseX = x;
    ev.mouseY = y;
    behaviours.handleMessages(&ev);
  };
  size_t before = collection->getEntitiesPtr()->size();

  // The day's first click comes before any motion: the marker goes where the click was.
  cursor->hits().addEntityActionCollision(stick);
  event(K_EVENT_MOUSEDOWN, 1, 310, 305);
  event(K_EVENT_MOUSEDOWN, 1, 310, 305);
  event(K_EVENT_MOUSEDOWN, 3, 310, 305);
  ASSERT_EQ(queue->getPredFronta().size(), 2u) << "two left clicks, two activations; the right button is not a click";
  EXPECT_EQ(queue->getPredFronta()[0]->id, 1);
  EXPECT_EQ(queue->getPredFronta()[0]->priority, 1);
  ASSERT_EQ(collection->getEntitiesPtr()->size(), before + 2) << "an OK marker for each";
  CMapEntity_Game *ok = collection->getEntitiesPtr()->back();
  EXPECT_EQ(ok->name, "OK");
  EXPECT_FLOAT_EQ(ok->getX(), 319);
  EXPECT_FLOAT_EQ(ok->getY(), 329);

  // Another order ahead of ours keeps it waiting.
  akce *other = new akce();
  other->controller = c;
  other->id = 9;
  other->priority = 0;
  queue->pridej(other);
  queue->flushPredFronta();
  levelUpdate();
  EXPECT_FALSE(stick->getAktivni());
  queue->removeFirst(c, 9);
  levelUpdate();
  EXPECT_TRUE(stick->getAktivni());
  EXPECT_EQ(queue->find(c, 1), 0) << "one activation taken per update";

  cursor->hits().removeActionCollisions();
  event(K_EVENT_MOUSEDOWN, 1, 10, 10);
  EXPECT_EQ(queue->getPredFronta().back()->id, 2);
  EXPECT_EQ(queue->getPredFronta().back()->priority, 0);
  queue->flushPredFronta();
  levelUpdate();
  levelUpdate();
  EXPECT_FALSE(stick->getAktivni()) << "deactivated once it reached the head";

  stick->locked = 1;
  event(K_EVENT_MOUSEDOWN, 1, 10, 10);
  EXPECT_TRUE(queue->getPredFronta().empty()) << "a locked target ignores clicks";
  stick->locked = 0;
  collection->getEntityByID(0)->setEntityID(5);
  event(K_EVENT_MOUSEDOWN, 1, 10, 10);
  EXPECT_EQ(queue->getPredFronta().back()->id, 2) << "without a cursor nothing is under the mouse";
}

// The cursors' own look, from what the last collision pass left in their action-collision lists.
TEST_F(VisualEntitiesTest, CursorsFollowTheMouseAndTakeTheirLookFromWhatTheyTouch) {
  TestFrameset neutral{"NEUTRAL", {{0, 0, 8, 8, 100, 0}, {8, 0, 8, 8, 100, 0}}};
  TestFrameset point{"POINT", {{0, 8, 8, 8, 100, 0}, {8, 8, 8, 8, 100, 0}}};
  TestFrameset drag{"DRAG", {{0, 16, 8, 8, 100, 0}, {8, 16, 8, 8, 100, 0}}};
  TestFrameset active{"ACTIVE", {{0, 24, 8, 8, 100, 0}}};
  addSprite("KURZOR", "cursor.png", {neutral, point, drag});
  addSprite("KURZOR2", "cursor.png", {TestFrameset{"FRAMESET1", neutral.frames}, active});
  behaviour<CKurzorController>("KURZOR");
  behaviour<CKurzor2Controller>("KURZOR2");
  CMapEntity_Game *kinds[] = {new CMapEntity_Kurzor(0, 0, false), new CMapEntity_Kurzor2(0, 0, false)};
  for (CMapEntity_Game *p : kinds) {
    p->name = p == kinds[0] ? "KURZOR" : "KURZOR2";
    p->looks().setSprite(p->name);
    p->setFocusable(false);
    factory->addEntity(p);
  }
  KInput::setViewMapping(0, 0, 800, 600, 800, 600);
  KInput::notePointer(250, 140);
  CMapEntity_Game *cursor = factory->cloneEntity("KURZOR");
  CMapEntity_Game *dragged = live("PACIENT1");
  cursor->addEntity(dragged, false, false);
  static_cast<CMapEntity_Kurzor *>(cursor)->held = dragged;
  collection->addEntity(cursor);
  CMapEntity_Game *cursor2 = place("KURZOR2", 0, 0);
  kolizniCheck = 0;
  levelUpdate();
  EXPECT_FLOAT_EQ(cursor->getX(), 250);
  EXPECT_FLOAT_EQ(cursor->getY(), 140);
  EXPECT_FLOAT_EQ(dragged->getX(), 250) << "what the cursor carries comes along";
  EXPECT_FLOAT_EQ(cursor2->getY(), 140);
  EXPECT_EQ(kolizniCheck, 1u);
  KInput::notePointer(600, 20);
  levelUpdate();
  EXPECT_FLOAT_EQ(cursor->getX(), 600);
  std::unique_ptr<CMapEntity_Game> copy(cursor->clone());
  EXPECT_EQ(static_cast<CMapEntity_Kurzor *>(copy.get())->held, dragged);

  auto look = [](CMapEntity_Game *e) { return std::string(e->looks().getSprite()->getAktivniFrameset()->getID()); };
  auto frameIndex = [](CMapEntity_Game *e) { return e->looks().getSprite()->getAktivniFrameset()->getAktivniIndex(); };
  auto send = [&](uint32_t type, uint32_t button = 0) {
    KEvent ev{};
    ev.type = type;
    ev.button = button;
    behaviours.handleMessages(&ev);
  };
  CMapEntity_Game *bed = live("POSTEL1", 20, 13);
  bed->setMouseClick(true);
  CMapEntity_Game *patient = live("PACIENT2", 21, 15);
  patient->setMouseClick(true);
  patient->setMouseDrag(true);
  CMapEntity_Game *player = live("PLAYER", 7, 1);

  for (CMapEntity_Game *c : {cursor, cursor2}) c->hits().addEntityActionCollision(bed);
  send(K_EVENT_MOUSEMOVE);
  EXPECT_EQ(look(cursor), "POINT");
  EXPECT_EQ(look(cursor2), "ACTIVE");
  send(K_EVENT_MOUSEDOWN, 1);
  EXPECT_EQ(frameIndex(cursor), 1) << "pressed look";
  send(K_EVENT_MOUSEUP, 1);
  EXPECT_EQ(frameIndex(cursor), 0);
  send(K_EVENT_MOUSEDOWN, 3);
  send(K_EVENT_MULTICLICK, 1);
  EXPECT_EQ(frameIndex(cursor), 0) << "neither the right button nor a repeated click presses it";

  cursor->hits().addEntityActionCollision(patient);
  send(K_EVENT_MOUSEMOVE);
  EXPECT_EQ(look(cursor), "DRAG") << "dragging wins over clicking";

  for (CMapEntity_Game *c : {cursor, cursor2}) c->hits().removeActionCollisions();
  send(K_EVENT_MOUSEMOVE);
  EXPECT_EQ(look(cursor), "NEUTRAL");
  EXPECT_EQ(look(cursor2), "FRAMESET1");

  // Behind an open panel, over the player figure, or locked, the look stays.
  bed->setFocus(false);
  cursor->hits().addEntityActionCollision(bed);
  send(K_EVENT_MOUSEMOVE);
  EXPECT_EQ(look(cursor), "NEUTRAL");
  bed->setFocus(true);
  cursor->locked = 1;
  send(K_EVENT_MOUSEMOVE);
  EXPECT_EQ(look(cursor), "NEUTRAL");
  cursor->locked = 0;
  send(K_EVENT_MOUSEMOVE);
  EXPECT_EQ(look(cursor), "POINT");
  cursor->hits().removeActionCollisions();
  cursor->hits().addEntityActionCollision(player);
  cursor->hits().addEntityActionCollision(patient);
  send(K_EVENT_MOUSEMOVE);
  EXPECT_EQ(look(cursor), "POINT") << "over the player figure nothing changes";
  cursor->hits().removeActionCollisions();
  cursor->locked = 1;
  send(K_EVENT_MOUSEMOVE);
  EXPECT_EQ(look(cursor), "NEUTRAL") << "off everything it is neutral, locked or not";
}

} // namespace
