#pragma once
#include <cstdint>

#include "media/CSingleton.h"

// The game clock: milliseconds of unpaused play, advanced only by the frame loops.
class CFakeTime : public CSingleton<CFakeTime> {
public:
  CFakeTime();
  virtual ~CFakeTime();

  // One frame of dt ms while the game is not paused: a longer frame than the longest the game
  // allows (CGlobals::kLongestFrameMs) counts as that long, a negative one not at all.
  void advanceFrame(int16_t dt);

  uint32_t ms = 0;
};

// Always the live game clock (kept in step by its constructor and destructor), or null.
extern CFakeTime *CFakeTime_instance;
