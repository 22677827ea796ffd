#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <vector>

#include "support/WorldTestSupport.h"
#include "world/CMapEntity.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/EntityIds.h"

namespace {

// Effects advance once per frame from a behaviour; these tests run whole frames of the main
// loop (engine clock, frame-time window, game clock) and call the effect once per frame.
class EntityEffectsTest : public WorldTest {
protected:
  void SetUp() override {
    WorldTest::SetUp();
    carrier = entity(1);
    item = entity(2);
    carrier->addEntity(item, false, false);
    steadyFrames(20);
  }
  void TearDown() override {
    delete carrier;
    WorldTest::TearDown();
  }

  CMapEntity_Game *carrier = nullptr;
  CMapEntity_Game *item = nullptr;
};

TEST_F(EntityEffectsTest, ACountedPulseSwellsShrinksAndEndsAtNormalSize) {
  ASSERT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 1.0f);
  std::vector<float> zooms;
  for (int i = 0; i < 40 && !carrier->looks().effectPulseOver(); ++i) {
    frame(20);
    carrier->effectPulse(0.2f, 1);
    zooms.push_back(carrier->looks().getZoom());
    EXPECT_EQ(item->looks().getZoom(), carrier->looks().getZoom()) << "carried entities swell along";
  }
  ASSERT_TRUE(carrier->looks().effectPulseOver());
  EXPECT_NEAR(zooms[0], 1.05f, 1e-5);
  EXPECT_NEAR(zooms[1], 1.10f, 1e-5);
  float peak = 0;
  for (float z : zooms) peak = z > peak ? z : peak;
  EXPECT_GE(peak, 1.2f - 1e-5);
  EXPECT_LT(peak, 1.26f);
  bool dipped = false;
  for (float z : zooms) dipped = dipped || z < 1.0f;
  EXPECT_TRUE(dipped) << "a pulse counts once the zoom falls below 1";
  EXPECT_EQ(carrier->looks().getZoom(), 1.0f);
  EXPECT_EQ(carrier->looks().getPulseDelta(), 0.0f);
  // Once over, further calls hold the normal size.
  for (int i = 0; i < 5; ++i) carrier->effectPulse(0.2f, 1);
  EXPECT_EQ(carrier->looks().getZoom(), 1.0f);

  carrier->effectFinishPulse();
  EXPECT_EQ(carrier->looks().getPulseCount(), 0);
  EXPECT_TRUE(carrier->looks().effectPulseOver()) << "finishing leaves the over flag";
}

TEST_F(EntityEffectsTest, APulseWhoseZoomIsSetBackBetweenFramesStillSwellsOnlyToItsAmount) {
  float highest = 0;
  for (int i = 0; i < 60 && !carrier->looks().effectPulseOver(); ++i) {
    frame(20);
    carrier->setZoom(1.0f);
    carrier->effectPulse(0.6f, 2);
    highest = std::max(highest, carrier->looks().getZoom());
  }
  EXPECT_TRUE(carrier->looks().effectPulseOver());
  EXPECT_LT(highest, 1.66f);
}

TEST_F(EntityEffectsTest, AnEndlessPulseNeverEndsAndScalesWithTheFrameFactor) {
  steadyFrames(40);
  ASSERT_FLOAT_EQ(CGlobals::instance()->deltaFactor, 2.0f);
  carrier->effectPulse(0.2f, -1);
  EXPECT_NEAR(carrier->looks().getZoom(), 1.1f, 1e-5) << "a 40 ms frame steps twice as far";
  float lowest = 2, highest = 0;
  for (int i = 0; i < 200; ++i) {
    frame(40);
    carrier->effectPulse(0.2f, -1);
    lowest = std::min(lowest, carrier->looks().getZoom());
    highest = std::max(highest, carrier->looks().getZoom());
  }
  EXPECT_FALSE(carrier->looks().effectPulseOver());
  EXPECT_GT(carrier->looks().getPulseCount(), 10);
  EXPECT_LT(lowest, 1.0f);
  EXPECT_GE(highest, 1.2f - 1e-5);

  // Paused frames have no factor: the pulse stands still.
  CGlobals::instance()->paused = true;
  frame(40);
  float before = carrier->looks().getZoom();
  carrier->effectPulse(0.2f, -1);
  EXPECT_EQ(carrier->looks().getZoom(), before);
}

TEST_F(EntityEffectsTest, AFlashRisesToItsPeakFadesOnceAndWaitsForAReset) {
  std::vector<float> values;
  for (int i = 0; i < 30; ++i) {
    frame(20);
    carrier->effectFlash(0.03f, 0.3f, false);
    values.push_back(carrier->looks().getFlash());
  }
  size_t peak = std::max_element(values.begin(), values.end()) - values.begin();
  EXPECT_EQ(values[peak], 0.3f) << "held at the peak";
  EXPECT_TRUE(peak == 9 || peak == 10) << peak;
  for (size_t i = 0; i < peak; ++i) EXPECT_NEAR(values[i], 0.03f * (float)(i + 1), 1e-4) << i;
  size_t end = peak;
  while (end + 1 < values.size() && values[end] > 0.0f) {
    EXPECT_NEAR(values[end] - values[end + 1], values[end + 1] == 0.0f ? values[end] : 0.03f, 1e-4) << end;
    ++end;
  }
  EXPECT_EQ(values[end], 0.0f);
  EXPECT_LE(end, peak + 11) << "falling by 0.03 a frame";
  EXPECT_TRUE(carrier->looks().getFlashDone());
  EXPECT_EQ(values[29], 0.0f) << "a finished flash stays off";
  EXPECT_EQ(item->looks().getFlash(), 0.0f) << "not passed on without the flag";

  carrier->resetFlash();
  EXPECT_FALSE(carrier->looks().getFlashDone());
  frame(20);
  carrier->effectFlash(0.03f, 0.3f, true);
  EXPECT_NEAR(carrier->looks().getFlash(), 0.03f, 1e-5);
  EXPECT_NEAR(item->looks().getFlash(), 0.03f, 1e-5);

  // The step follows the frame time itself: 40 ms frames flash twice as fast.
  steadyFrames(40);
  carrier->effectFlash(0.03f, 0.3f, true);
  EXPECT_NEAR(carrier->looks().getFlash(), 0.09f, 1e-5);
}

TEST_F(EntityEffectsTest, AFinishedFlashIsInheritedByClonesUntilReset) {
  for (int i = 0; i < 40; ++i) carrier->effectFlash(0.1f, 0.5f, false);
  ASSERT_TRUE(carrier->looks().getFlashDone());
  CMapEntity_Game *copy = carrier->clone();
  copy->effectFlash(0.1f, 0.5f, false);
  EXPECT_EQ(copy->looks().getFlash(), 0.0f);
  copy->resetFlash();
  copy->effectFlash(0.1f, 0.5f, false);
  EXPECT_NEAR(copy->looks().getFlash(), 0.1f, 1e-5);
  delete copy;
}

// An entity passes only a moving flash on to what it carries.
TEST_F(EntityEffectsTest, AFinishedFlashMovesNeitherTheLookNorWhatItsEntityCarries) {
  int steps = 0;
  for (; steps < 100 && !item->looks().getFlashDone(); ++steps) item->effectFlash(0.1f, 0.5f, false);
  EXPECT_GE(steps, 10) << "up by 0.1 a step past 0.5 and down again";
  EXPECT_LE(steps, 12);
  item->effectFlash(0.1f, 0.5f, false);
  EXPECT_EQ(item->looks().getFlash(), 0.0f) << "a finished flash stays out";
  item->resetFlash();

  for (int i = 0; i < 100 && !carrier->looks().getFlashDone(); ++i) carrier->effectFlash(0.1f, 0.5f, false);
  ASSERT_TRUE(carrier->looks().getFlashDone());
  carrier->effectFlash(0.1f, 0.5f, true);
  EXPECT_EQ(item->looks().getFlash(), 0.0f) << "a carried entity's own flash waits for its carrier's reset";
}

TEST_F(EntityEffectsTest, IntegrateShrinksIntoPlaceWhileFadingIn) {
  CMapEntity_Game *aura = entity(3, kHighlightClass);
  carrier->addEntity(aura, false, false);
  frame(20);
  carrier->effectIntegrate(0.02f);
  EXPECT_NEAR(carrier->looks().getZoom(), 1.38f, 1e-5);
  EXPECT_NEAR(carrier->looks().getAlpha(), 0.05f, 1e-5);
  EXPECT_NEAR(item->looks().getIntegrateZoom(), 1.38f, 1e-5) << "each carried entity runs its own";
  EXPECT_NEAR(aura->looks().getAlpha(), 0.05f, 1e-5) << "its own run sets even an aura";

  for (int i = 1; i < 20; ++i) {
    frame(20);
    carrier->effectIntegrate(0.02f);
  }
  EXPECT_GT(carrier->looks().getZoom(), 1.0f) << "single-precision steps leave a sliver after 20 calls";
  EXPECT_EQ(carrier->looks().getAlpha(), 1.0f);
  frame(20);
  carrier->effectIntegrate(0.02f);
  EXPECT_EQ(carrier->looks().getZoom(), 1.0f);
  EXPECT_EQ(item->looks().getZoom(), 1.0f);
  EXPECT_EQ(carrier->looks().getAlpha(), 1.0f);

  carrier->looks().effectIntegrateReset();
  EXPECT_FLOAT_EQ(carrier->looks().getIntegrateZoom(), 1.4f);
  EXPECT_EQ(carrier->looks().getIntegrateAlpha(), 0.0f);
}

TEST_F(EntityEffectsTest, TheHighlightPulsesWhileOnAndOnlyOnAnAuraStillCarried) {
  CMapEntity_Game *aura = entity(3, kHighlightClass);
  carrier->addEntity(aura, false, false);
  carrier->setHighlight(aura);
  carrier->animate();
  EXPECT_EQ(aura->looks().getAlpha(), -1.0f) << "nothing while the highlight is off";

  carrier->setHighlightOn(true);
  std::vector<float> alphas;
  for (int i = 0; i < 80; ++i) {
    frame(20);
    carrier->animate();
    alphas.push_back(aura->looks().getAlpha());
  }
  EXPECT_NEAR(alphas[0], 0.04f, 1e-5);
  EXPECT_NEAR(alphas[1], 0.08f, 1e-5);
  size_t top = 1;
  while (top < alphas.size() && alphas[top] > alphas[top - 1]) ++top;
  ASSERT_LT(top, alphas.size());
  EXPECT_NEAR(alphas[top], 0.96f, 1e-4) << "reaching 1.0 turns it round in the same call";
  size_t bottom = top;
  while (bottom < alphas.size() && alphas[bottom] > 0.0f) ++bottom;
  ASSERT_LT(bottom + 1, alphas.size());
  EXPECT_EQ(alphas[bottom], 0.0f);
  EXPECT_NEAR(alphas[bottom + 1], 0.04f, 1e-5) << "and rises again";

  // Fading the carrier leaves the aura's pulse alone.
  carrier->setAlpha(0.2f, true);
  EXPECT_EQ(aura->looks().getAlpha(), alphas.back());

  // A removed aura is no longer pulsed.
  carrier->removeEntity(aura);
  carrier->animate();
  EXPECT_EQ(carrier->getHighlight(), nullptr);

  alignas(CMapEntity_Game) unsigned char place[sizeof(CMapEntity_Game)];
  CMapEntity_Game *gone = new (place) CMapEntity_Game(0, 0, false);
  carrier->setHighlight(gone);
  gone->~CMapEntity_Game();
  CMapEntity_Game *other = new (place) CMapEntity_Game(0, 0, false);
  carrier->addEntity(other, false, false);
  carrier->animate();
  EXPECT_EQ(other->looks().getAlpha(), -1.0f) << "one made where the aura lay is another entity";
  other->~CMapEntity_Game();
}

} // namespace
