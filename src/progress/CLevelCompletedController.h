#pragma once

#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A finished day's icon glows under the pointer; a left click replays that day.
class CLevelCompletedController : public CCloneable<CLevelCompletedController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

private:
  int32_t hovered = 0;
};
