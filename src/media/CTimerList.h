#pragma once
#include <vector>

#include "media/CSingleton.h"

class Timer;

// Every live timer in order of construction; the timers belong to their creators.
class CTimerList : public CSingleton<CTimerList> {
public:
  CTimerList() {}
  virtual ~CTimerList() {}

  std::vector<Timer *> timers;
};
