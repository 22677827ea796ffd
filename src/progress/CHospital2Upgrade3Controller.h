#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Flashes the piece once, up to full light, for each request.
class CHospital2Upgrade3Controller : public CCloneable<CHospital2Upgrade3Controller, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;

private:
  int lastX = -1;
  int lastY = 0;
  bool flashing = false;
};
