#pragma once
#include <string>

#include "world/CMapEntity_Game.h"

class KGraphic;

// The caption plaque: a board with a short white caption, shown on the world map and above the
// in-game menu panels, which set their own caption on the plaque they carry.
class CMapEntity_MapkaLogo : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  CMapEntity_MapkaLogo(const CMapEntity_MapkaLogo &other) : CMapEntity_Game(other), caption(other.caption) {}

  void renderAdditional(KGraphic *g) override;
  // Every copy starts opaque, with what it carries.
  CMapEntity_Game *clone() override;

  std::string caption;
};
