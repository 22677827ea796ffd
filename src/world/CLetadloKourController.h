#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

#include <cstdint>

// One puff of the plane's smoke trail: opaque at first, it grows and fades until it is killed.
// It is drawn as it stands at each step of kDrawnStepMs of game time, every puff at the same
// frame: a frame changes a puff by about one level of brightness and a tenth of a pixel, and the
// whole trail drawn anew every frame costs more than the rest of the map.
class CLetadloKourController : public CCloneable<CLetadloKourController, CEntityController> {
public:
  using CCloneable::CCloneable;

  static const uint32_t kDrawnStepMs = 40;
  // Below this a puff is gone before the next step: it is no longer drawn.
  static constexpr float kFadedAlpha = 0.02f;

  void onBind() override;
  void update() override;

private:
  uint32_t drawnStep = 0;
};
