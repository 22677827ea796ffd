#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The pointing arrow: opaque, pulsing between zoom 1.0 and 1.0 + kPulse for as long as it exists;
// whoever placed it removes it.
class CSipkaController : public CCloneable<CSipkaController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;

  static constexpr float kPulse = 0.2f;
};
