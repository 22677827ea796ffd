#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Drives the introduction and summary windows: the notebook zooms in, the game is paused while it
// stands at full size, and a left click closes the window (and ends the level when the window
// says so).
class CHelpWindowController : public CCloneable<CHelpWindowController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  bool getCloseRequested() const { return closeRequested != 0; }

private:
  int32_t closeRequested = 0;
};
