#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A new prescription or waste item flashes once, with what it carries, when it appears.
class CFlashObjektController : public CCloneable<CFlashObjektController, CEntityController> {
public:
  using CCloneable::CCloneable;
  // A level without the action queue ends the process.
  void onBind() override;
  void update() override;
};
