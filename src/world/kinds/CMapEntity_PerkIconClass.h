#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A perk icon on the status bar (`kPerkIconClass`): the perk's state for one day. The shop's
// behaviours switch it on and time it; the player figure and the patients read `active` to apply
// cure touch and luck, and spend cure-touch uses with countUse.
class CMapEntity_PerkIconClass : public CCloneable<CMapEntity_PerkIconClass, CMapEntity_Game> {
public:
  CMapEntity_PerkIconClass(unsigned short x, unsigned short y, bool solid);
  CMapEntity_PerkIconClass(const CMapEntity_PerkIconClass &other) = default;

  // Clips the picture to the part not yet spent.
  void animateAdditional() override;

  // One use done: the icon is spent (inactive, white) once uses reach maxuses.
  void countUse();
  bool isSpent() const { return spent != 0; }

  int32_t active = 0;
  int32_t uses = 0;
  int32_t maxuses = 1;
  int32_t duration = 20000;
  float remaining = 1.0f;
  int32_t spent = 0;
};
