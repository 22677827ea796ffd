#include "media/CGlobals.h"

#include <cstdlib>

#include "media/CRandom.h"
#include "media/Timer.h"

CGlobals *CGlobals_instance = nullptr;

CGlobals::CGlobals() {
  frameTimes.reserve(kFrameWindow + 1);
  windTimer = new Timer(5000, false);
  resetAll();
  speedFactor = 1.0f;
  hints = true;
  windRange = 20;
  CGlobals_instance = this;
}

CGlobals::~CGlobals() {
  delete windTimer;
  windTimer = nullptr;
  if (CGlobals_instance == this) CGlobals_instance = nullptr;
  if (m_instance == this) m_instance = nullptr;
}

void CGlobals::addDelta(int ms) {
  if (ms < 1) {
    velkyZasek = true;
    return;
  }
  velkyZasek = ms > kLongestFrameMs;
  if (velkyZasek) ms = kLongestFrameMs;
  if (frameTimes.size() + 1 > kFrameWindow) frameTimes.erase(frameTimes.begin());
  frameTimes.push_back((uint32_t)ms);
}

unsigned int CGlobals::computeDelta() {
  unsigned int average = 0;
  if (!frameTimes.empty()) {
    unsigned int sum = 0;
    for (uint32_t t : frameTimes) sum += t;
    average = sum / (unsigned int)frameTimes.size();
  }
  averageFrameMs = (float)average;
  return paused ? 0u : average;
}

void CGlobals::resetDelta() {
  frameTimes.clear();
  deltaFactor = 0.0f;
  averageFrameMs = 0.0f;
  velkyZasek = false;
}

bool CGlobals::getVelkyZasek() { return velkyZasek; }

void CGlobals::randomizeWind() {
  if (!windTimer->udalost()) return;
  // A non-positive range would divide by zero; the wind then stays calm.
  if (windRange <= 0) return;
  wind = (float)((unsigned)CRandom::draw() % (unsigned)windRange) / 10.0f + (float)windRange / -20.0f;
}

void CGlobals::resetLevel() {
  wind = 0.0f;
  entityAdded = false;
  speedFactor = 1.0f;
  velkyZasek = false;
}

void CGlobals::resetAll() {
  paused = false;
  velkyZasek = false;
  entityAdded = false;
  speedFactor = 1.0f;
  wind = 0.0f;
}

float CGlobals::updateDeltaFactor() {
  deltaFactor = (float)(uint16_t)computeDelta() / 20.0f;
  return deltaFactor;
}
