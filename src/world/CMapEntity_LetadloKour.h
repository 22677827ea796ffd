#pragma once

#include "world/CMapEntity_Game.h"

// One puff of the plane's smoke trail on the world map; grows and fades away.
class CMapEntity_LetadloKour : public CMapEntity_Game {
public:
  CMapEntity_LetadloKour(unsigned short x, unsigned short y, bool solid);
  CMapEntity_LetadloKour(const CMapEntity_LetadloKour &other);

  void useMethod() override {}
  CMapEntity_LetadloKour *clone() override;
  void doAction() override {}
  ~CMapEntity_LetadloKour() override;
};
