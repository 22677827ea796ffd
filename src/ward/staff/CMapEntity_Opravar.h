#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

// The repairman ("OPRAVAR"): dragged onto a broken bed he mends it, then goes home.
class CMapEntity_Opravar : public CCloneable<CMapEntity_Opravar, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // A copy works on no bed.
  CMapEntity_Opravar(const CMapEntity_Opravar &other) : CCloneable(other), working(other.working) {}

  uint8_t working = 0;
  // The bed being mended; the behaviour finds it again in the level's list before each use.
  TEntityRef<CMapEntity_Game> bed;
};
