#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A laundry trolley (`kTrolleyClass`, "VOZIK".."VOZIK4"): the figure empties dirty linen into it.
class CMapEntity_Vozik : public CCloneable<CMapEntity_Vozik, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// A carriable tool that rests on a stand: the spray ("SPREJ") or the stick ("HULKA").
class CMapEntity_Sprej : public CCloneable<CMapEntity_Sprej, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  uint16_t word = 0;
};

// A stand ("ANTIV" with the spray, "HULKAPODSTAVEC" with the stick): its copies carry their tool.
class CMapEntity_Stojan : public CCloneable<CMapEntity_Stojan, CMapEntity_Game> {
public:
  CMapEntity_Stojan(unsigned short x, unsigned short y, bool solid) : CCloneable(x, y, solid) {}
  CMapEntity_Stojan(const CMapEntity_Stojan &other);

  // Where the tool rests on the stand.
  static const float kSprayX, kSprayY;
};
