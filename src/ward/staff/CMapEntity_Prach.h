#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A dust puff or sleep "Z": rises, grows, fades and goes. Whoever makes one may give it a drift.
class CMapEntity_Prach : public CCloneable<CMapEntity_Prach, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  float driftX = 0.0f;
  float driftY = 0.0f;
};

class CMapEntity_Z : public CCloneable<CMapEntity_Z, CMapEntity_Prach> { using CCloneable::CCloneable; };
class CMapEntity_SprejKour : public CCloneable<CMapEntity_SprejKour, CMapEntity_Prach> { using CCloneable::CCloneable; };

// The invisible litter generator of a day.
class CMapEntity_OdpadkyGenerator : public CCloneable<CMapEntity_OdpadkyGenerator, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
