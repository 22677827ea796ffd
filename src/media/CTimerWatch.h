#pragma once

#include "media/CSingleton.h"

// Shifts the start of every registered timer at once.
class CTimerWatch : public CSingleton<CTimerWatch> {
public:
  CTimerWatch() {}
  virtual ~CTimerWatch() {}

  void addTime(unsigned int ms);
};
