#include "media/CTimerWatch.h"

#include "media/CLogger.h"
#include "media/CTimerList.h"
#include "media/Timer.h"
#include "media/makeString.h"

void CTimerWatch::addTime(unsigned int ms) {
  std::vector<Timer *> &timers = CTimerList::instance()->timers;
  CLogger::instance()->log("Working with timers-size: " + makeString((unsigned long)timers.size()));
  for (Timer *t : timers) t->zmenCas((int)ms);
}
