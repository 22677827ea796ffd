#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_Fader;

// The map's star, a second way on: while a perk is on offer a press opens the shop with the perk
// tip, otherwise it darkens the screen over a second and ends the map.
class CMapStarController : public CCloneable<CMapStarController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override { fader = nullptr; }
  void update() override;

  CMapEntity_Fader *getFader() const { return fader; }

private:
  int32_t pressed = 0;
  // The star was pressed in the last frame: a press held on it is one press.
  bool wasDown = false;
  // Owned by the level's collection once added.
  CMapEntity_Fader *fader = nullptr;
  int32_t hovered = 0;
};
