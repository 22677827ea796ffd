#include <gtest/gtest.h>

#include <cmath>

#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CTimerList.h"
#include "media/Timer.h"

namespace {

class GlobalsTest : public ::testing::Test {
protected:
  void SetUp() override {
    CGlobals::destroyInstance();
    g = CGlobals::instance();
    CFakeTime::instance()->ms = 0;
  }
  void TearDown() override { CGlobals::destroyInstance(); }

  // One pass of a frame loop: offer the frame, move the game clock, derive the factor.
  float frame(int16_t dt) {
    g->addDelta(dt);
    CFakeTime::instance()->advanceFrame(dt);
    return g->updateDeltaFactor();
  }

  CGlobals *g = nullptr;
};

TEST_F(GlobalsTest, FactorIsTheWholeMillisecondAverageOverTwenty) {
  EXPECT_EQ(g->updateDeltaFactor(), 0.0f) << "no accepted frame yet";
  frame(20);
  frame(20);
  EXPECT_EQ(frame(20), 1.0f);
  EXPECT_EQ(g->averageFrameMs, 20.0f);

  g->resetDelta();
  frame(10);
  EXPECT_FLOAT_EQ(frame(15), 0.6f) << "12.5 ms counts as 12";
  EXPECT_EQ(g->averageFrameMs, 12.0f);

  g->resetDelta();
  for (int i = 0; i < 7; ++i) frame(99);
  EXPECT_FLOAT_EQ(g->deltaFactor, 4.95f);
}

TEST_F(GlobalsTest, WindowKeepsTheLastSevenAcceptedFrames) {
  frame(90);
  for (int i = 0; i < 7; ++i) frame(10);
  ASSERT_EQ(g->frameTimes.size(), 7u);
  EXPECT_EQ(g->frameTimes.front(), 10u);
  EXPECT_FLOAT_EQ(g->deltaFactor, 0.5f);
}

TEST_F(GlobalsTest, LongFramesCountAsTheLongestStepAndAreFlagged) {
  frame(40);
  EXPECT_FALSE(g->getVelkyZasek());
  EXPECT_FLOAT_EQ(frame(5000), 3.45f) << "(40 + 99) / 2 ms";
  EXPECT_TRUE(g->getVelkyZasek());
  EXPECT_FLOAT_EQ(frame(0), 3.45f);
  EXPECT_FLOAT_EQ(frame(-3), 3.45f);
  EXPECT_TRUE(g->getVelkyZasek());
  EXPECT_EQ(CFakeTime::instance()->ms, 139u) << "a stall moves the game by one longest step";
  frame(20);
  EXPECT_FALSE(g->getVelkyZasek());
  EXPECT_EQ(g->averageFrameMs, 53.0f);
}

TEST_F(GlobalsTest, PauseZeroesTheFactorButKeepsMeasuring) {
  frame(20);
  g->paused = true;
  EXPECT_EQ(frame(40), 0.0f);
  EXPECT_EQ(g->averageFrameMs, 30.0f);
  EXPECT_EQ(CFakeTime::instance()->ms, 20u);
  g->paused = false;
  EXPECT_FLOAT_EQ(g->updateDeltaFactor(), 1.5f);
}

TEST_F(GlobalsTest, ResetsTouchOnlyTheirOwnValues) {
  g->paused = true;
  g->entityAdded = true;
  g->wind = 0.5f;
  g->hints = false;
  frame(20);
  g->resetLevel();
  EXPECT_TRUE(g->paused);
  EXPECT_FALSE(g->entityAdded);
  EXPECT_EQ(g->wind, 0.0f);
  g->resetAll();
  EXPECT_FALSE(g->paused);
  EXPECT_FALSE(g->hints);
  EXPECT_EQ(g->frameTimes.size(), 1u);
}

TEST_F(GlobalsTest, WindChangesOnlyWhenItsGameTimerFires) {
  g->randomizeWind();
  EXPECT_EQ(g->wind, 0.0f);
  CFakeTime::instance()->ms = 5000;
  for (int i = 0; i < 20; ++i) {
    CFakeTime::instance()->ms += 5000;
    g->randomizeWind();
    float tenths = g->wind * 10.0f;
    EXPECT_GE(g->wind, -1.0f);
    EXPECT_LE(g->wind, 0.9f + 1e-6f);
    EXPECT_NEAR(tenths, std::round(tenths), 1e-4);
  }
}

TEST_F(GlobalsTest, GlobalPointersFollowTheSingletons) {
  EXPECT_EQ(CGlobals_instance, g);
  size_t timers = CTimerList::instance()->timers.size();
  CGlobals::destroyInstance();
  EXPECT_EQ(CGlobals_instance, nullptr);
  EXPECT_EQ(CTimerList::instance()->timers.size(), timers - 1) << "the wind timer is unregistered";

  CFakeTime::destroyInstance();
  EXPECT_EQ(CFakeTime_instance, nullptr);
  EXPECT_EQ(CFakeTime::instance(), CFakeTime_instance);
  EXPECT_EQ(CFakeTime_instance->ms, 0u);
}

} // namespace
