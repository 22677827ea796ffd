#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A cloud drifts right at its entity's speed and comes back in from the left.
class CMapCloudController : public CCloneable<CMapCloudController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void update() override;
};
