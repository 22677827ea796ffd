#pragma once
#include <cstdint>

#include "world/CMapEntity_Game.h"

// The repairman ("OPRAVAR"): dragged onto a broken bed he mends it, then goes home.
class CMapEntity_Opravar : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  // A copy works on no bed.
  CMapEntity_Opravar(const CMapEntity_Opravar &other) : CMapEntity_Game(other), working(other.working) {}

  CMapEntity_Opravar *clone() override { return new CMapEntity_Opravar(*this); }

  uint8_t working = 0;
  // Not owned; the behaviour checks it is still alive before each use.
  CMapEntity_Game *bed = nullptr;
};
