#pragma once
#include <cstdint>

// A period on the real (engine) clock or on the game clock, polled once per update. The period
// counts from the first poll; a late poll fires once and restarts from that poll (no catch-up).
// Game-clock timers never fire while the game is paused.
class Timer {
public:
  Timer(int spoustec, bool realTime);
  // A copy runs on from where the original stands and joins the timer list as well, so a timer
  // can be a member that copies with its owner.
  Timer(const Timer &other);
  Timer &operator=(const Timer &other) = default;
  ~Timer();

  bool udalost();
  // Milliseconds since the period began, despite the name.
  int vratVteriny();
  void reset();
  void reset(int t);
  void zmenCas(int d);
  void nastavSpoustec(int p);
  int getSpoustec();

  uint32_t start = 0;
  uint32_t lastFire = 0;
  uint32_t startedAt = 0;
  int32_t spoustec = 0;
  bool fresh = true;
  bool realTime = false;

private:
  uint32_t now() const;
};
