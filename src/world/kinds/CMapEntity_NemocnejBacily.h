#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

// A germ cloud coughed out by a patient in bed (`kGermClass`): it drifts by its steps, in pixels a
// frame at the nominal frame time, and harms the patients in bed it reaches but its source.
class CMapEntity_NemocnejBacily : public CCloneable<CMapEntity_NemocnejBacily, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // A copy keeps the source; the sender gives it its steps.
  CMapEntity_NemocnejBacily(const CMapEntity_NemocnejBacily &other);

  uint16_t word = 0;
  // The patient that sent it; compared only, never followed.
  TEntityRef<CMapEntity_Game> source;
  int32_t stepX = 0;
  int32_t stepY = 0;
};

// An entertainer's happy notes: they drift like a germ cloud and please whom they reach.
class CMapEntity_HappyNotes : public CCloneable<CMapEntity_HappyNotes, CMapEntity_NemocnejBacily> {
public:
  using CCloneable::CCloneable;
};
