#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The close box: a left press asks for closing and the next update closes the panel that carries
// it, as that panel closes: the main menu asks about quitting, the in-game panels go back or
// resume, a question or message window is dismissed, any other panel is removed. Nothing is saved.
class CMenuCloseController : public CCloneable<CMenuCloseController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

private:
  void close(CMapEntity_Game *panel);

  int hovered = 0;
  int closeRequested = 0;
};
