#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/CMapEntity_Fader.h"
#include "world/TEntityRef.h"

// The map's star, a second way on: while a perk is on offer a press opens the shop with the perk
// tip, otherwise it darkens the screen over a second and ends the map.
class CMapStarController : public CCloneable<CMapStarController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override { fading.clear(); }
  void update() override;

  CMapEntity_Fader *getFader() const { return fading.in(collection); }

private:
  int32_t pressed = 0;
  // The star was pressed in the last frame: a press held on it is one press.
  bool wasDown = false;
  TEntityRef<CMapEntity_Fader> fading;
  int32_t hovered = 0;
};
