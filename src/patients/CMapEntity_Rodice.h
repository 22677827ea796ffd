#pragma once
#include <cstdint>

#include "world/CMapEntity_Game.h"

// Visiting parents (class 23): they wait in the row at the top of the ward showing the number
// of the bed they look for, and are dragged onto that bed for a visit.
class CMapEntity_RodiceClass : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;

  void renderAdditional(KGraphic *g) override;
  CMapEntity_Game *clone() override { return new CMapEntity_RodiceClass(*this); }

  uint16_t wantedBed = 0;
  uint8_t visiting = 0;
  int32_t slot = 0;
};

// The invisible generator that sends parents on later days.
class CMapEntity_RodiceGenerator : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;

  CMapEntity_Game *clone() override { return new CMapEntity_RodiceGenerator(*this); }

  int32_t parentsPerRound = 0;
};
