#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Fades of the menu panels: the in-game menu fades in when it opens, and it and the in-game
// options menu fade out and are killed once their closing word is set. The other panels it is
// bound to stay as they are.
class CFloatingController : public CCloneable<CFloatingController, CEntityController> {
public:
  static const unsigned int kIngameMenu = 263;
  static const unsigned int kOptionsIngameMenu = 265;

  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;

private:
  void fadeOut(float step);
};
