#pragma once
#include <cstdint>

#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

class CMapEntity_Tlakomer;

// Examination chair (`kChairClass`): the patient seated on it and the gauge beside it. The patient
// behaviour seats patients on a chair whose occupant is empty and starts its gauge.
class CMapEntity_DiagnosticTool : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;

  uint16_t examinationValue = 1000;
  // The patient seated on it; empty while the chair is free.
  TEntityRef<CMapEntity_Game> occupant;
  // Not owned; set when the chair's behaviour places the gauge, which stays as long as the level.
  CMapEntity_Tlakomer *gauge = nullptr;
};
