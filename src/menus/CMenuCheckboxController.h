#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A checkbox's behaviour: glows under the pointer, toggles on a left press.
class CMenuCheckboxController : public CCloneable<CMenuCheckboxController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

private:
  int hovered = 0;
};
