#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The rotating hands and the clock that carries one; their behaviours turn them.

// The day gauge's hand on the status bars.
class CMapEntity_BarRucicka : public CCloneable<CMapEntity_BarRucicka, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// The clock's hand.
class CMapEntity_HodinyRucicka : public CCloneable<CMapEntity_HodinyRucicka, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// A clock face; every copy carries its own hand.
class CMapEntity_Hodiny : public CCloneable<CMapEntity_Hodiny, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  CMapEntity_Hodiny(const CMapEntity_Hodiny &other);
};
