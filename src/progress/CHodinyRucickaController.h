#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class Timer;

// Turns the clock's hand 3 degrees at a time on the game clock, at most one step a frame, so it
// stands still while the game is paused.
class CHodinyRucickaController : public CCloneable<CHodinyRucickaController, CEntityController> {
public:
  using CCloneable::CCloneable;
  // Every copy has a step timer of its own; the prototype has none.
  CHodinyRucickaController(const CHodinyRucickaController &other);
  CHodinyRucickaController &operator=(const CHodinyRucickaController &) = delete;
  ~CHodinyRucickaController() override;

  void update() override;

  float getAngle() const { return angle; }

private:
  float angle = 0.0f;
  Timer *stepTimer = nullptr;
};
