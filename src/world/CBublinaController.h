#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A bubble: rises at its own speed and starts again at the bottom once it has left the screen.
class CBublinaController : public CCloneable<CBublinaController, CEntityController> {
public:
  // Where a bubble starts again after leaving the top.
  static constexpr float kRestartY = 470.0f;

  using CCloneable::CCloneable;
  // Each copy draws its own speed, 0.50 to 0.99.
  CBublinaController(const CBublinaController &other);

  void onBind() override;
  void update() override;

  float speed = 0.0f;
};
