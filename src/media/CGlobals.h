#pragma once
#include <cstdint>
#include <vector>

#include "media/CSingleton.h"

class Timer;

// Process-wide game values; above all the frame timing behind the delta factor that every
// per-frame step is multiplied by (1.0 at 20 ms a frame, 0 while paused).
class CGlobals : public CSingleton<CGlobals> {
public:
  CGlobals();
  virtual ~CGlobals();

  // A frame longer than kLongestFrameMs counts as that long and raises the stall flag: a single
  // stall moves the game no more than one slow frame, and a machine whose every frame is slow
  // plays slowly rather than not at all. Frames under 1 ms are dropped.
  void addDelta(int ms);
  // Whole-millisecond average of the window (also stored in averageFrameMs); 0 while paused.
  unsigned int computeDelta();
  void resetDelta();
  bool getVelkyZasek();
  void randomizeWind();
  void resetLevel();
  void resetAll();

  // What the frame loops do after each frame: deltaFactor = computeDelta() / 20.
  float updateDeltaFactor();

  Timer *windTimer = nullptr;
  bool velkyZasek = false;
  uint8_t lastChar = 0;
  float wind = 0.0f;
  float deltaFactor = 0.0f;
  float averageFrameMs = 0.0f;
  float speedFactor = 1.0f;
  int32_t windRange = 20;
  bool entityAdded = false;
  bool paused = false;
  bool hints = true;
  std::vector<uint32_t> frameTimes;

  static const unsigned kFrameWindow = 7;
  static const int kLongestFrameMs = 99;
};

// Always the live globals (kept in step by the constructor and destructor), or null.
extern CGlobals *CGlobals_instance;
