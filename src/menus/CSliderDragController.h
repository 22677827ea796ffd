#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Drags a slider's knob: while the pointer is on the knob with the left button held, the mouse's
// x sets the track's value (200 pixels cover the range).
class CSliderDragController : public CCloneable<CSliderDragController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void update() override;

  // The value for a mouse x over a track whose left edge is at trackX.
  static float valueAt(float mouseX, float trackX);

private:
  int hovered = 0;
};
