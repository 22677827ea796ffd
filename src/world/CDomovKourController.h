#pragma once
#include <string>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The home's chimney: puffs a grey dust cloud ("PRACH") at the emitter every 220 ms of game time.
class CDomovKourController : public CCloneable<CDomovKourController, CEntityController> {
public:
  using CCloneable::CCloneable;
  // A copy starts its own timer.
  CDomovKourController(const CDomovKourController &other);
  CDomovKourController &operator=(const CDomovKourController &) = delete;
  void update() override;
  ~CDomovKourController() override;

  Timer *puffTimer = new Timer(220, false);
};
