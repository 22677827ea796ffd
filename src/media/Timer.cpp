#include "media/Timer.h"

#include <cstddef>

#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CTimerList.h"

namespace {
bool gamePaused() { return CGlobals_instance && CGlobals_instance->paused; }
} // namespace

Timer::Timer(int spoustec_, bool realTime_) : spoustec(spoustec_), fresh(true), realTime(realTime_) {
  CTimerList::instance()->timers.push_back(this);
}

Timer::Timer(const Timer &o) : Timer(o.spoustec, o.realTime) { *this = o; }

Timer::~Timer() {
  std::vector<Timer *> &timers = CTimerList::instance()->timers;
  for (std::size_t i = 0; i < timers.size();) {
    if (timers[i] == this)
      timers.erase(timers.begin() + (long)i);
    else
      ++i;
  }
}

uint32_t Timer::now() const {
  if (realTime) return (uint32_t)KMiscTools::getMilliseconds();
  return CFakeTime::instance()->ms;
}

bool Timer::udalost() {
  uint32_t t = now();
  if (fresh) {
    start = t;
    startedAt = t;
    fresh = false;
  }
  if (t - start < (uint32_t)spoustec) return false;
  if (!realTime && gamePaused()) return false;
  lastFire = t;
  start = t;
  return true;
}

int Timer::vratVteriny() { return (int)(int32_t)(now() - start); }

void Timer::reset() {
  start = startedAt = now();
  fresh = false;
}

void Timer::reset(int t) {
  start = startedAt = (uint32_t)t;
  fresh = false;
}

void Timer::zmenCas(int d) { start += (uint32_t)d; }

void Timer::nastavSpoustec(int p) { spoustec = p; }

int Timer::getSpoustec() { return spoustec; }
