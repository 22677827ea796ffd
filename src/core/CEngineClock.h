#pragma once
#include <cstdint>

class Timer;

// The main loop's frame timing: each frame's time goes into the global values and the game
// clock as the frame ends, and the play state counts its frames per second of game time.
// For unattended runs the clock can be stepped: it stands still within a frame and moves by
// exactly the frame's length as the frame ends, so game time never depends on the machine.
class CEngineClock {
public:
  CEngineClock() = default;
  CEngineClock(const CEngineClock &) = delete;
  CEngineClock &operator=(const CEngineClock &) = delete;

  // Set before start-up; 0 goes back to the real clock.
  static void setStepped(uint16_t frameMs);
  static bool isStepped();

  void beginFrame();
  // Frame time into the global values and the game clock.
  void endFrame();

  // The play state's frame count: a fresh count when play starts, none once it ends.
  void startCounting();
  void stopCounting();
  void markUpdated() { perUpdate = 1; }
  bool wasUpdated() const { return perUpdate != 0; }
  void countFrame();
  bool hasFpsTimer() const { return fpsTimer != nullptr; }
  unsigned short getFrameCounter() const { return frameCounter; }

private:
  uint32_t frameStart = 0;
  int32_t perUpdate = 0;
  Timer *fpsTimer = nullptr;
  uint16_t frameCounter = 0;
  uint16_t fps = 0;
};
