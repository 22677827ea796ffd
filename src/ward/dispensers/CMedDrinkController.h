#pragma once
#include <cstdint>

#include "ward/furniture/CClickTargetControllers.h"

// The behaviour of every dispenser: a click target for the figure that puts out a new item on
// the restock timer (15 s of game time) whenever it stands empty; the drink machine's lamp turns
// green while an item waits and red once it is taken.
class CMedDrinkController : public CCloneable<CMedDrinkController, CClickTargetController> {
public:
  using CCloneable::CCloneable;
  CMedDrinkController(const CMedDrinkController &other) : CCloneable(other), stocked(0) {}

  static const int kRestockMs = 15000;

  void onBind() override;
  void update() override;

  int32_t stocked = 0;
};
