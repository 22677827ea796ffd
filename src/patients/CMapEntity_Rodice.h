#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Visiting parents (`kParentsClass`): they wait in the row at the top of the ward showing the number
// of the bed they look for, and are dragged onto that bed for a visit.
class CMapEntity_RodiceClass : public CCloneable<CMapEntity_RodiceClass, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  void renderAdditional(KGraphic *g) override;

  uint16_t wantedBed = 0;
  uint8_t visiting = 0;
  int32_t slot = 0;
};

// The invisible generator that sends parents on later days.
class CMapEntity_RodiceGenerator : public CCloneable<CMapEntity_RodiceGenerator, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  int32_t parentsPerRound = 0;
};
