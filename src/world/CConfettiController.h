#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The victory screen's confetti sheet: falls with a cheer and starts again above the screen.
class CConfettiController : public CCloneable<CConfettiController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;
};
