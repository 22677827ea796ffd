#pragma once

#include "world/CMapEntity_Game.h"

// Invisible chimney-smoke emitter of the home; its behaviour puffs dust.
class CMapEntity_DomovKour : public CMapEntity_Game {
public:
  CMapEntity_DomovKour(unsigned short x, unsigned short y, bool solid);
  CMapEntity_DomovKour(const CMapEntity_DomovKour &other);

  void useMethod() override {}
  CMapEntity_DomovKour *clone() override;
  void doAction() override {}
  ~CMapEntity_DomovKour() override;
};
