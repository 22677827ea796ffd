#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class Timer;

// The map's plane: after a short wait it flies right and slightly down, trailing smoke puffs,
// then waits longer and comes in again from the left. Its waits and puffs run on game time.
class CMapaLetadloController : public CCloneable<CMapaLetadloController, CEntityController> {
public:
  static constexpr int32_t kFlying = 0;
  static constexpr int32_t kWaitingAgain = 1;
  static constexpr int32_t kWaitingFirst = 3;

  using CCloneable::CCloneable;
  // Every copy draws its own first wait; the prototype has no timers.
  CMapaLetadloController(const CMapaLetadloController &other);
  CMapaLetadloController &operator=(const CMapaLetadloController &) = delete;
  ~CMapaLetadloController() override;

  void onBind() override;
  void update() override;

  int32_t getState() const { return state; }
  Timer *getFlightTimer() const { return flightTimer; }

private:
  void puff(float dx, float dy);

  Timer *flightTimer = nullptr;
  Timer *puffTimer = nullptr;
  int32_t state = kWaitingFirst;
};
