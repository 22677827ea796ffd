#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/SpriteTestSupport.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"

namespace {

uint32_t g_realClock = 0;
uint32_t realClock() { return g_realClock; }

Frame *makeFrame(const char *name, unsigned x, unsigned delay, unsigned w = 32, unsigned h = 16) {
  return new Frame(name, x, 0, w, h, delay, 0, 0, w, h, -1, 0, 0, 0, 0);
}

class SpriteTest : public MediaScratch {
protected:
  void SetUp() override {
    MediaScratch::SetUp();
    KMiscTools::setClockSource(realClock);
  }

  // A frameset of `count` frames, each `delay` ms, frame i cut at x = 100 * i.
  std::unique_ptr<Frameset> frameset(int count, unsigned delay, bool repeat, bool realTime = false) {
    std::unique_ptr<Frameset> f(new Frameset("sheet.png", "F", repeat, true, false, false, realTime));
    for (int i = 0; i < count; ++i) f->pridejFrame(makeFrame(("f" + std::to_string(i)).c_str(), 100u * i, delay));
    return f;
  }

  // The frame's step, then its drawing (which changes nothing).
  void draw(Frameset &f) {
    f.step();
    f.putFrame(nullptr, 0, 0, 1.0f, -1, -1, -1, -1);
  }
  static void draw(ZSprite &s) {
    s.step();
    s.put(nullptr, 1, -1, -1, -1, -1);
  }

  void advance(uint32_t ms) {
    CFakeTime::instance()->ms += ms;
    g_realClock += ms;
  }

  // Where the last blit took its source from.
  float lastSourceX() { return FakePicture::blits().back().x1; }
};

TEST_F(SpriteTest, FramesSortByBYUnlessGivenAndReportTheirBoxes) {
  Frame f("walk", 1, 2, 30, 40, 100, -4, 40, 9, 7, -1, 1, 2, 3, 4);
  EXPECT_EQ(f.getSortY(), 40);
  EXPECT_EQ(f.getBoundingBoxCenterX(), -4 + 4);
  EXPECT_EQ(f.getBoundingBoxCenterY(), 43);
  EXPECT_EQ(f.getBoundingBoxCenter(), std::make_pair(0, 43));
  Rect b = f.getBoundingBox(), a = f.getActionBoundingBox();
  EXPECT_EQ(b.x, -4);
  EXPECT_EQ(b.w, 9);
  EXPECT_EQ(a.y, 2);
  EXPECT_EQ(a.h, 4);
  f.setBY(12);
  EXPECT_EQ(f.getBY(), 12);
  EXPECT_EQ(f.getSortY(), 12);
  f.setSortY(5);
  EXPECT_EQ(f.getSortY(), 5);
  EXPECT_EQ(Frame("x", 0, 0, 1, 1, 0, 0, 40, 1, 1, 0, 0, 0, 0, 0).getSortY(), 0);

  // Names are kept to 255 characters; the copy carries every field.
  std::string longName(400, 'n');
  Frame named(longName.c_str(), 0, 0, 1, 1, 0, 0, 0, 1, 1, -1, 0, 0, 0, 0);
  EXPECT_EQ(std::string(named.getID()), longName.substr(0, 255));
  Frame copy(f);
  EXPECT_STREQ(copy.getID(), "walk");
  EXPECT_EQ(copy.getSortY(), 5);
  EXPECT_EQ(copy.getAW(), 3);
}

TEST_F(SpriteTest, ARepeatingAnimationStepsAtMostOneFrameAStep) {
  std::unique_ptr<Frameset> f = frameset(3, 100, true);
  f->nastavFrame(0);
  f->zapniAnimace();
  int shownAt[4] = {0, 0, 0, 0};
  int step = 0;
  for (int t = 16; t <= 400 && step < 3; t += 16) {
    advance(16);
    draw(*f);
    int want = (step + 1) % 3;
    if (f->getAktivniIndex() == want) shownAt[++step] = t;
  }
  ASSERT_EQ(step, 3);
  EXPECT_EQ(shownAt[1], 112) << "first step at least 100 ms after the selection";
  EXPECT_EQ(shownAt[2], 224) << "the next delay counts from the step that moved";
  EXPECT_EQ(shownAt[3], 336);
  EXPECT_FLOAT_EQ(lastSourceX(), 0.0f);

  // A long pause between steps is not caught up: one step, one frame.
  advance(1000);
  EXPECT_EQ(f->getAktivniIndex(), 0);
  draw(*f);
  EXPECT_EQ(f->getAktivniIndex(), 1);
  draw(*f);
  EXPECT_EQ(f->getAktivniIndex(), 1);
}

TEST_F(SpriteTest, AOneShotAnimationEndsOnItsFirstFrame) {
  std::unique_ptr<Frameset> f = frameset(3, 100, false);
  f->nastavFrame(0);
  f->zapniAnimace();
  for (int i = 0; i < 3; ++i) {
    advance(100);
    draw(*f);
  }
  EXPECT_EQ(f->getAktivniIndex(), 0);
  EXPECT_FALSE(f->probihaAnimace());
  for (int i = 0; i < 3; ++i) {
    advance(100);
    draw(*f);
    EXPECT_EQ(f->getAktivniIndex(), 0);
  }
  f->zapniAnimace();
  advance(100);
  draw(*f);
  EXPECT_EQ(f->getAktivniIndex(), 1);
}

TEST_F(SpriteTest, ZeroDelayStepsEveryTimeAndThePausedGameClockHolds) {
  std::unique_ptr<Frameset> f = frameset(4, 0, true);
  f->zapniAnimace();
  for (int i = 1; i <= 5; ++i) {
    draw(*f);
    EXPECT_EQ(f->getAktivniIndex(), i % 4);
  }

  std::unique_ptr<Frameset> slow = frameset(2, 50, true);
  slow->nastavFrame(0);
  slow->zapniAnimace();
  CGlobals::instance()->paused = true;
  g_realClock += 500;  // the game clock stands still while paused
  draw(*slow);
  EXPECT_EQ(slow->getAktivniIndex(), 0);
  CFakeTime::instance()->ms += 60;  // even if it moved, a paused game-clock timer does not fire
  draw(*slow);
  EXPECT_EQ(slow->getAktivniIndex(), 0);
  CGlobals::instance()->paused = false;
  draw(*slow);
  EXPECT_EQ(slow->getAktivniIndex(), 1);
}

TEST_F(SpriteTest, RealTimeFramesetsRunOnTheEngineClock) {
  std::unique_ptr<Frameset> f = frameset(2, 100, true, true);
  f->nastavFrame(0);
  f->zapniAnimace();
  CGlobals::instance()->paused = true;
  g_realClock += 100;
  draw(*f);
  EXPECT_EQ(f->getAktivniIndex(), 1);
  CFakeTime::instance()->ms += 500;
  draw(*f);
  EXPECT_EQ(f->getAktivniIndex(), 1);
}

TEST_F(SpriteTest, FrameSelectionClampsWrapsAndFindsByName) {
  std::unique_ptr<Frameset> f = frameset(4, 100, true);
  f->nastavFrame(99);
  EXPECT_EQ(f->getAktivniIndex(), 3);
  f->nastavFrame(0);
  f->nastavFrame(-1);
  EXPECT_EQ(f->getAktivniIndex(), 3);
  EXPECT_TRUE(f->frameInc(false));
  EXPECT_EQ(f->getAktivniIndex(), 3);
  EXPECT_FALSE(f->frameInc(true));
  EXPECT_EQ(f->getAktivniIndex(), 0);
  EXPECT_FALSE(f->frameDec(false));
  EXPECT_EQ(f->getAktivniIndex(), 0);
  EXPECT_TRUE(f->frameDec(true));
  EXPECT_EQ(f->getAktivniIndex(), 3);
  EXPECT_FALSE(f->frameDec(true));
  EXPECT_EQ(f->getAktivniIndex(), 2);
  f->pretocit();
  EXPECT_EQ(f->getAktivniFrame(), f->getFrame(0));

  EXPECT_EQ(f->nastavFrame((char const *)"f2"), 2);
  EXPECT_EQ(f->getAktivniFrame(), f->getFrame(2));
  EXPECT_EQ(f->nastavFrame((char const *)"F2"), -1);
  EXPECT_EQ(f->getAktivniFrame(), nullptr);
  // Without a current frame nothing is drawn or measured, and nothing breaks.
  f->zapniAnimace();
  draw(*f);
  EXPECT_TRUE(FakePicture::blits().empty());
  EXPECT_EQ(f->getAktivniSirka(), 0u);

  for (int i = 0; i < 50; ++i) {
    f->nastavNahodnouFrame();
    ASSERT_GE(f->getAktivniIndex(), 0);
    ASSERT_LT(f->getAktivniIndex(), 4);
  }
}

TEST_F(SpriteTest, SelectingAFrameRestartsItsDelayFromNowOrAGivenTime) {
  std::unique_ptr<Frameset> f = frameset(3, 100, true);
  f->zapniAnimace();
  draw(*f);  // the first step starts the timer
  advance(90);
  f->nastavFrame(1);
  advance(90);
  draw(*f);
  EXPECT_EQ(f->getAktivniIndex(), 1);
  advance(10);
  draw(*f);
  EXPECT_EQ(f->getAktivniIndex(), 2);

  // Started in step with a carrier whose frame began 80 ms ago.
  f->nastavFrame(0, CFakeTime::instance()->ms - 80);
  advance(20);
  draw(*f);
  EXPECT_EQ(f->getAktivniIndex(), 1);
}

TEST_F(SpriteTest, ClipRectanglesCutTheFrameAndMoveItsPosition) {
  Frameset f("sheet.png", "F", true, true, false, false, false);
  f.pridejFrame(new Frame("a", 100, 0, 32, 16, 100, 0, 0, 32, 16, -1, 0, 0, 0, 0));
  f.putFrame(nullptr, 10, 10, 1.0f, 20, -1, 5, -1);
  f.putFrame(nullptr, 10, 10, 1.0f, -1, -1, -1, -1);
  f.setAngle(30);
  f.putFrameVyrez(nullptr, 10, 10, -1, 12, -1, 4);
  f.putFrameAlpha(nullptr, (unsigned)-20, 7, 0.5f, 1, 1, 1, 2.0f, -1, -1, -1, -1);

  std::vector<PictureCall> b = FakePicture::blits();
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[0].op, "blitAlphaRect");
  EXPECT_FLOAT_EQ(b[0].x1, 105);
  EXPECT_FLOAT_EQ(b[0].x2, 120);
  EXPECT_FLOAT_EQ(b[0].y1, 0);
  EXPECT_FLOAT_EQ(b[0].y2, 16);
  EXPECT_EQ(b[0].x, 15);
  EXPECT_EQ(b[0].y, 10);
  EXPECT_FLOAT_EQ(b[1].x1, 100);
  EXPECT_FLOAT_EQ(b[1].x2, 132);
  EXPECT_EQ(b[1].x, 10);
  EXPECT_EQ(b[2].op, "blitAlphaRectFx");
  EXPECT_FLOAT_EQ(b[2].angle, 30);
  EXPECT_FLOAT_EQ(b[2].zoom, 1);
  EXPECT_FLOAT_EQ(b[2].y1, 4);
  EXPECT_FLOAT_EQ(b[2].y2, 12);
  EXPECT_EQ(b[2].y, 14);
  EXPECT_EQ(b[3].op, "blitAlphaRectFx");
  EXPECT_EQ(b[3].x, -20) << "a negative position wraps back to a negative coordinate";
  EXPECT_FLOAT_EQ(b[3].alpha, 0.5f);
  EXPECT_FLOAT_EQ(b[3].zoom, 2.0f);
  // One picture serves every frameset cut from the same file; it loads at the first draw.
  EXPECT_EQ(FakePicture::created(), 1);
  EXPECT_EQ(FakePicture::calls()[0].op, "load " + dir + "/data/gfx/sheet.png sized alpha");
}

TEST_F(SpriteTest, ACopiedFramesetStartsOverWithItsOwnTimer) {
  std::unique_ptr<Frameset> f = frameset(3, 100, false);
  f->nastavFrame(2);
  f->zapniAnimace();
  f->setAngle(15);
  Frameset copy(*f);
  EXPECT_EQ(copy.getAktivniIndex(), 0);
  EXPECT_TRUE(copy.probihaAnimace());
  EXPECT_FALSE(copy.getRepeat());
  EXPECT_FLOAT_EQ(copy.getAngle(), 15);
  EXPECT_STREQ(copy.getID(), "F");
  EXPECT_EQ(copy.getSurfaceIndex(), f->getSurfaceIndex());
  EXPECT_NE(copy.getFrame(0), f->getFrame(0));

  advance(100);
  draw(copy);
  EXPECT_EQ(copy.getAktivniIndex(), 0) << "the copy's timer starts at its first step";
  advance(100);
  draw(copy);
  EXPECT_EQ(copy.getAktivniIndex(), 1);
  EXPECT_EQ(f->getAktivniIndex(), 2);
}

class ZSpriteTest : public SpriteTest {
protected:
  void SetUp() override {
    SpriteTest::SetUp();
    sprite.reset(new ZSprite("HERO"));
    for (const char *name : {"FRAMESET1", "FRAMESET2"}) {
      Frameset *f = new Frameset("hero.png", name, true, true, false, false, false);
      for (int i = 0; i < 3; ++i) f->pridejFrame(makeFrame("f", 100u * i, 100));
      sprite->pridejFrameset(f);
    }
  }
  std::unique_ptr<ZSprite> sprite;
};

TEST_F(ZSpriteTest, SelectingTheRunningAnimationByNameChangesNothing) {
  sprite->nastavFrameset("FRAMESET2");
  Frameset *two = sprite->getAktivniFrameset();
  EXPECT_EQ(sprite->getAktivniIndex(), 1);
  two->zapniAnimace();
  draw(*sprite);
  advance(60);
  sprite->nastavFrameset("FRAMESET2");
  advance(40);
  draw(*sprite);
  EXPECT_EQ(two->getAktivniIndex(), 1) << "the timer ran on through the repeated selection";

  // Selecting by index always starts over, even the current frameset.
  advance(60);
  sprite->nastavFrameset(1);
  EXPECT_EQ(two->getAktivniIndex(), 0);
  advance(40);
  draw(*sprite);
  EXPECT_EQ(two->getAktivniIndex(), 0);
  advance(60);
  draw(*sprite);
  EXPECT_EQ(two->getAktivniIndex(), 1);
}

TEST_F(ZSpriteTest, UnknownNamesAndIndexesFallBackOrAreIgnored) {
  Frameset *one = sprite->getFrameset(0);
  one->nastavFrame(2);
  sprite->nastavFrameset("FRAMESET2");
  sprite->nastavFrameset(5);
  sprite->nastavFrameset(-1);
  EXPECT_EQ(sprite->getAktivniIndex(), 1);

  clearLog();
  sprite->nastavFrameset("WALK");
  sprite->nastavFrameset("WALK");
  EXPECT_EQ(sprite->getAktivniFrameset(), one);
  EXPECT_EQ(one->getAktivniIndex(), 2) << "the fallback keeps its frame";
  EXPECT_EQ(count(logText(), "Warning: frameset WALK not found in ZSprite HERO !\n"), 2u);
}

TEST_F(ZSpriteTest, AnglesBelongToTheWholeSprite) {
  sprite->setAngle(90);
  sprite->nastavFrameset("FRAMESET2");
  EXPECT_FLOAT_EQ(sprite->getAngle(), 90);
  CGlobals::instance()->deltaFactor = 1.5f;
  sprite->changeAngle(2);
  CGlobals::instance()->deltaFactor = 0.0f;
  EXPECT_FLOAT_EQ(sprite->getFrameset(0)->getAngle(), 93);
  EXPECT_FLOAT_EQ(sprite->getFrameset(1)->getAngle(), 93);
  EXPECT_EQ(sprite->getPozadi(nullptr), 16u);
}

TEST_F(ZSpriteTest, ThePutFamilyDrawsTheCurrentFrameAtTheSpritePosition) {
  sprite->x = 40;
  sprite->y = 30;
  sprite->getAktivniFrameset()->nastavFrame(1);
  sprite->put(nullptr, 2.0f, -1, -1, -1, -1);
  sprite->putVyrez(nullptr, 8, -1, -1, -1);
  sprite->putAlpha(nullptr, 0.3f, 1.0f, -1, -1, -1, -1);
  size_t before = FakePicture::calls().size();
  sprite->putWithColor(nullptr, 1, 0, 0, 1, -1, -1, -1, -1, 0.5f);
  sprite->putAlphaTopLeft(nullptr, 7);

  std::vector<PictureCall> b = FakePicture::blits();
  ASSERT_EQ(b.size(), 4u);
  for (const PictureCall &c : b) {
    EXPECT_EQ(c.x, 40);
    EXPECT_EQ(c.y, 30);
    EXPECT_FLOAT_EQ(c.x1, 100);
  }
  EXPECT_EQ(b[0].op, "blitAlphaRectFx");
  EXPECT_FLOAT_EQ(b[0].zoom, 2);
  EXPECT_EQ(b[1].op, "blitAlphaRect");
  EXPECT_FLOAT_EQ(b[1].x2, 108);
  EXPECT_FLOAT_EQ(b[2].alpha, 0.3f);
  EXPECT_FLOAT_EQ(b[3].alpha, 0.5f);
  EXPECT_FLOAT_EQ(b[3].zoom, 1);
  EXPECT_FLOAT_EQ(b[3].x2, 132);
  const std::vector<PictureCall> &c = FakePicture::calls();
  ASSERT_GT(c.size(), before);
  EXPECT_EQ(c[before].op, "color");
  EXPECT_FLOAT_EQ(c[before].r, 1);
  EXPECT_FLOAT_EQ(c[before].g, 0);
  EXPECT_FLOAT_EQ(c[before].b, 0);

  ZSprite empty("EMPTY");
  empty.put(nullptr, 1, -1, -1, -1, -1);
  empty.putVyrez(nullptr, -1, -1, -1, -1);
  empty.putAlpha(nullptr, 1, 1, -1, -1, -1, -1);
  empty.putWithColor(nullptr, 1, 1, 1, 1, -1, -1, -1, -1, 1);
  EXPECT_EQ(FakePicture::blits().size(), 4u);
  EXPECT_EQ(empty.getAktivniIndex(), -1);
}

TEST_F(ZSpriteTest, ACopyStartsAtTheFirstFrameOfTheSameAnimationAtTheOrigin) {
  sprite->nastavFrameset("FRAMESET2");
  sprite->getAktivniFrameset()->nastavFrame(2);
  sprite->x = 77;
  ZSprite copy(*sprite);
  EXPECT_STREQ(copy.getID(), "HERO");
  EXPECT_EQ(copy.getAktivniIndex(), 1);
  EXPECT_NE(copy.getAktivniFrameset(), sprite->getAktivniFrameset());
  EXPECT_EQ(copy.getAktivniFrameset(), copy.getFrameset(1));
  EXPECT_EQ(copy.getAktivniFrameset()->getAktivniIndex(), 0);
  EXPECT_EQ(copy.x, 0u);
  EXPECT_EQ(copy.y, 0u);
}

TEST_F(SpriteTest, ClonesFromTheCollectionAnimateOnlyWhenStepped) {
  std::string path = write("sprites.xml",
                           "<kolekce><sprite name=\"PATIENT\" src=\"patient.png\">"
                           "<frameset name=\"STAND\"><frameB name=\"s\" x=\"0\" y=\"0\" w=\"8\" h=\"8\" delay=\"0\""
                           " bX=\"0\" bY=\"0\" bW=\"8\" bH=\"8\"/></frameset>"
                           "<frameset name=\"WALK\" repeatAnimation=\"1\">"
                           "<frameB name=\"w0\" x=\"0\" y=\"8\" w=\"8\" h=\"8\" delay=\"120\" bX=\"0\" bY=\"0\" bW=\"8\" bH=\"8\"/>"
                           "<frameB name=\"w1\" x=\"8\" y=\"8\" w=\"8\" h=\"8\" delay=\"80\" bX=\"0\" bY=\"0\" bW=\"8\" bH=\"8\"/>"
                           "</frameset></sprite></kolekce>");
  ZSpriteFactory factory("kolekce");
  factory.nahrajXML(path.c_str());
  std::unique_ptr<ZSprite> a(factory.cloneSprite("PATIENT"));
  std::unique_ptr<ZSprite> b(factory.cloneSprite("PATIENT"));
  ZSprite *proto = factory.getPrototype(0);
  EXPECT_NE(a->getFrameset(1), proto->getFrameset(1));
  EXPECT_NE(a->getFrameset(1)->getFrame(0), proto->getFrameset(1)->getFrame(0));
  EXPECT_STREQ(a->getAktivniFrameset()->getID(), "STAND");

  for (ZSprite *s : {a.get(), b.get()}) {
    s->nastavFrameset("WALK");
    s->getAktivniFrameset()->zapniAnimace();
  }
  EXPECT_FALSE(proto->getFrameset(1)->probihaAnimace());
  draw(*a);
  for (int i = 0; i < 9; ++i) {
    advance(20);
    draw(*a);
  }
  EXPECT_EQ(a->getAktivniFrameset()->getAktivniIndex(), 1);  // 180 ms: past w0's 120, not yet w1's 80 more

  // Drawing alone moves nothing; then one late step moves one frame only.
  advance(300);
  b->put(nullptr, 1, -1, -1, -1, -1);
  EXPECT_EQ(b->getAktivniFrameset()->getAktivniIndex(), 0);
  draw(*b);
  EXPECT_EQ(b->getAktivniFrameset()->getAktivniIndex(), 1);
  EXPECT_FLOAT_EQ(FakePicture::blits().back().x1, 8);
  EXPECT_FLOAT_EQ(FakePicture::blits().back().y1, 8);
  EXPECT_EQ(FakePicture::created(), 1);
}

} // namespace
