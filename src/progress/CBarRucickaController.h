#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Sweeps the day gauge's hand from +90 degrees at the start of the day to -90 at its end.
class CBarRucickaController : public CCloneable<CBarRucickaController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void update() override;

  // The hand's angle for the elapsed part of the day.
  static float angleFor(float fraction) { return 90.0f - 180.0f * fraction; }
};
