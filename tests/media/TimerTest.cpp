#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CTimerList.h"
#include "media/CTimerWatch.h"
#include "media/Timer.h"

namespace {

uint32_t g_now = 0;
uint32_t fakeClock() { return g_now; }

class TimerTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_now = 1000;
    KMiscTools::setClockSource(fakeClock);
    KMiscTools::initMilliseconds();
    CFakeTime::instance()->ms = 0;
    CGlobals::instance()->paused = false;
  }
  void TearDown() override {
    CGlobals::destroyInstance();
    KMiscTools::setClockSource(nullptr);
  }
  void setGameTime(uint32_t ms) { CFakeTime::instance()->ms = ms; }
  void setRealTime(uint32_t ms) { g_now = 1000 + ms; }
};

TEST_F(TimerTest, PeriodCountsFromTheFirstPoll) {
  Timer t(1000, false);
  setGameTime(5000);
  EXPECT_FALSE(t.udalost());
  setGameTime(5999);
  EXPECT_FALSE(t.udalost());
  setGameTime(6000);
  EXPECT_TRUE(t.udalost());
  EXPECT_FALSE(t.udalost()) << "at most one firing per period";
  setGameTime(6999);
  EXPECT_FALSE(t.udalost());
  setGameTime(7000);
  EXPECT_TRUE(t.udalost());
  EXPECT_EQ(t.startedAt, 5000u);
  EXPECT_EQ(t.lastFire, 7000u);
}

TEST_F(TimerTest, LatePollFiresOnceWithoutCatchUp) {
  Timer t(1000, false);
  setGameTime(5000);
  t.udalost();
  setGameTime(6500);
  EXPECT_TRUE(t.udalost());
  setGameTime(7000);
  EXPECT_FALSE(t.udalost());
  setGameTime(7499);
  EXPECT_FALSE(t.udalost());
  setGameTime(7500);
  EXPECT_TRUE(t.udalost());
}

TEST_F(TimerTest, GameTimersStandStillWhilePausedRealTimersDoNot) {
  Timer game(100, false), real(100, true);
  game.udalost();
  real.udalost();
  CGlobals::instance()->paused = true;
  setGameTime(500);
  setRealTime(500);
  EXPECT_FALSE(game.udalost());
  EXPECT_FALSE(game.udalost());
  EXPECT_TRUE(real.udalost());
  CGlobals::instance()->paused = false;
  EXPECT_TRUE(game.udalost()) << "the first poll after the pause fires";
}

TEST_F(TimerTest, GameClockCutsStallsAndLosesNegativeFramesAndPauses) {
  CFakeTime *clock = CFakeTime::instance();
  clock->advanceFrame(99);
  EXPECT_EQ(clock->ms, 99u);
  clock->advanceFrame(150);
  EXPECT_EQ(clock->ms, 198u);
  clock->advanceFrame(-5);
  clock->advanceFrame(0);
  EXPECT_EQ(clock->ms, 198u);
  CGlobals::instance()->paused = true;
  clock->advanceFrame(20);
  EXPECT_EQ(clock->ms, 198u);
  CGlobals::instance()->paused = false;
  clock->advanceFrame(1);
  EXPECT_EQ(clock->ms, 199u);
}

TEST_F(TimerTest, PeriodChangesResetsAndOddPeriods) {
  Timer t(1000, false);
  t.udalost();
  setGameTime(200);
  t.nastavSpoustec(300);
  EXPECT_EQ(t.getSpoustec(), 300);
  EXPECT_FALSE(t.udalost());
  setGameTime(300);
  EXPECT_TRUE(t.udalost()) << "the new period counts from the old start";

  Timer r(500, false);
  r.reset(4000);
  setGameTime(4500);
  EXPECT_TRUE(r.udalost());

  Timer zero(0, false);
  EXPECT_TRUE(zero.udalost());
  EXPECT_TRUE(zero.udalost());

  Timer negative(-1, false);
  negative.udalost();
  setGameTime(4000000000u);
  EXPECT_FALSE(negative.udalost());
}

TEST_F(TimerTest, StartMovedAheadOfTheClockFiresAtTheNextPoll) {
  Timer t(1000, false);
  setGameTime(100);
  t.udalost();
  t.zmenCas(500);
  setGameTime(150);
  EXPECT_TRUE(t.udalost());
}

TEST_F(TimerTest, ElapsedTimeOnTheTimersOwnClock) {
  Timer real(1000, true);
  real.reset();
  CGlobals::instance()->paused = true;
  setRealTime(250);
  EXPECT_EQ(real.vratVteriny(), 250);

  Timer game(1000, false);
  setGameTime(40);
  game.reset();
  setGameTime(30);
  EXPECT_EQ(game.vratVteriny(), -10);
}

TEST_F(TimerTest, ListTracksLiveTimersAndSurvivesItsOwnDeletion) {
  size_t before = CTimerList::instance()->timers.size();
  Timer *a = new Timer(10, false);
  Timer *b = new Timer(10, false);
  EXPECT_EQ(CTimerList::instance()->timers.size(), before + 2);
  EXPECT_EQ(CTimerList::instance()->timers.back(), b);
  CTimerList::instance()->timers.push_back(a);
  delete a;
  for (Timer *t : CTimerList::instance()->timers) EXPECT_NE(t, a);
  EXPECT_EQ(CTimerList::instance()->timers.size(), before + 1);

  // A copy, as a member copied with its owner, joins the list itself and runs on from the same start.
  b->reset(40);
  Timer *copy = new Timer(*b);
  EXPECT_EQ(CTimerList::instance()->timers.back(), copy);
  EXPECT_EQ(copy->start, 40u);
  delete copy;
  EXPECT_EQ(CTimerList::instance()->timers.size(), before + 1);

  // After shutdown has dropped the list, a late timer finds a fresh empty one.
  CTimerList::destroyInstance();
  delete b;
  EXPECT_TRUE(CTimerList::instance()->timers.empty());
}

TEST_F(TimerTest, WatchShiftsEveryTimerAndLogsTheCount) {
  char tmpl[] = "/tmp/tob_watch_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  char cwd[1024];
  ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
  ASSERT_EQ(chdir(tmpl), 0);

  CGlobals::destroyInstance();
  CTimerList::destroyInstance();
  Timer a(100, false), b(100, false);
  a.reset(0);
  b.reset(50);
  debug = 1;
  CTimerWatch::instance()->addTime(30);
  debug = 0;
  EXPECT_EQ(a.start, 30u);
  EXPECT_EQ(b.start, 80u);

  std::ifstream in(std::string(tmpl) + "/log.txt");
  std::stringstream s;
  s << in.rdbuf();
  EXPECT_EQ(s.str(), "Working with timers-size: 2\n");
  std::remove((std::string(tmpl) + "/log.txt").c_str());
  ASSERT_EQ(chdir(cwd), 0);
  rmdir(tmpl);
  CTimerWatch::destroyInstance();
}

} // namespace
