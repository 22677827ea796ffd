#pragma once
#include <cstdint>

#include "world/CMapEntity_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/TEntityRef.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

// Examination chair (`kChairClass`): the patient seated on it and the gauge beside it. The patient
// behaviour seats patients on a chair whose occupant is empty and starts its gauge.
class CMapEntity_DiagnosticTool : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;

  uint16_t examinationValue = 1000;
  // The patient seated on it; empty while the chair is free.
  TEntityRef<CMapEntity_Game> occupant;
  // Set when the chair's behaviour places the gauge in the level, which keeps it as long as itself.
  TEntityRef<CMapEntity_Tlakomer> gauge;
  // The gauge as the chair's own level holds it, or null.
  CMapEntity_Tlakomer *getGauge() const { return gauge.in(home()); }
};
