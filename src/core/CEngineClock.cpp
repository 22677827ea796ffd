#include "core/CEngineClock.h"

#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/Timer.h"

namespace {
uint16_t steppedFrameMs = 0;
uint32_t steppedNow = 100000;
uint32_t steppedClock() { return steppedNow; }
} // namespace

void CEngineClock::setStepped(uint16_t frameMs) {
  steppedFrameMs = frameMs;
  steppedNow = 100000;
  KMiscTools::setClockSource(frameMs ? steppedClock : nullptr);
}

bool CEngineClock::isStepped() { return steppedFrameMs != 0; }

void CEngineClock::beginFrame() { frameStart = (uint32_t)KMiscTools::getMilliseconds(); }

void CEngineClock::endFrame() {
  steppedNow += steppedFrameMs;
  int16_t dt = (int16_t)(KMiscTools::getMilliseconds() - frameStart);
  CGlobals *g = CGlobals::instance();
  g->addDelta(dt);
  CFakeTime::instance()->advanceFrame(dt);
  g->updateDeltaFactor();
}

void CEngineClock::startCounting() {
  frameCounter = 0;
  fps = 0;
  delete fpsTimer;
  fpsTimer = new Timer(1000, false);
}

void CEngineClock::stopCounting() {
  delete fpsTimer;
  fpsTimer = nullptr;
}

void CEngineClock::countFrame() {
  if (fpsTimer && fpsTimer->udalost()) {
    fps = frameCounter;
    frameCounter = 0;
  }
  frameCounter++;
}
