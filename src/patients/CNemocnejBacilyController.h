#pragma once
#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Drifts a germ cloud or happy notes by their steps while they fade; gone once transparent.
class CNemocnejBacilyController : public CCloneable<CNemocnejBacilyController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;

  Timer longTimer{2000, false};
  Timer shortTimer{500, false};
  float startAlpha = 1.0f;
};
