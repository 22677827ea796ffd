#pragma once
#include <cstdint>

#include "world/CEntityController.h"

class CMapEntity;

// What the shop's buttons and rows share: the last mouse position words of their behaviour and
// the glow that rises while the pointer is on them and fades after it has left.
class CShopButtonController : public CEntityController {
public:
  using CEntityController::CEntityController;

protected:
  // Restarts the target's flash while `under`, and once that has happened runs it every frame.
  void glow(CMapEntity *target, bool under, bool recurse);

  int32_t lastX = -1;
  int32_t lastY = 0;
  bool hovered = false;
};
