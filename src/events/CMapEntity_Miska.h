#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A dish of the laboratory: carries its template piece and, once filled, the piece placed in it,
// and shows what it pays per strand.
class CMapEntity_Miska : public CCloneable<CMapEntity_Miska, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  void renderAdditional(KGraphic *g) override;
  // The colour of its last carried piece (template or placed piece), 0 without one.
  int32_t pieceColour() const;

  int32_t filled = 0;
  int32_t value = 0;
};

// The set of dishes the player fills; its position is the origin of the dish layout.
class CMapEntity_MiskaSet : public CCloneable<CMapEntity_MiskaSet, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
