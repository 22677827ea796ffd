#include "progress/CShopButtonController.h"

#include "world/CMapEntity.h"

void CShopButtonController::glow(CMapEntity *target, bool under, bool recurse) {
  if (under) {
    hovered = true;
    target->resetFlash();
  }
  if (hovered) target->effectFlash(0.1f, 0.35f, recurse);
}
