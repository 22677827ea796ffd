#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The map's main-menu button: a left press saves the progress reached, starts a fresh record
// and goes back to the main menu without passing the level's end.
class CMainMenuButtonController : public CCloneable<CMainMenuButtonController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

private:
  bool underCursor() const;

  bool hovered = false;
};
