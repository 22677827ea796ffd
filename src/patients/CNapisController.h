#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Captions and hearts that rise, grow and fade out, then go.
class CNapisController : public CCloneable<CNapisController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;

private:
  void keepOnScreen();
};
