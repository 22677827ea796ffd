#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// One puff of the plane's smoke trail: opaque at first, it grows and fades until it is killed.
class CLetadloKourController : public CCloneable<CLetadloKourController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;
};
