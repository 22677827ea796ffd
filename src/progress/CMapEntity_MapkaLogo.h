#pragma once
#include <string>

#include "world/CMapEntity_Game.h"

class KGraphic;

// A wooden plaque that floats and shows a short white caption in its lower strip; the map shows
// it bare, the in-game menu panels carry one captioned "menu" or "options".
class CMapEntity_MapkaLogo : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  // The copy is fully opaque, with what it carries.
  CMapEntity_MapkaLogo(const CMapEntity_MapkaLogo &other);
  CMapEntity_MapkaLogo &operator=(const CMapEntity_MapkaLogo &) = delete;

  void useMethod() override {}
  void renderAdditional(KGraphic *g) override;
  CMapEntity_Game *clone() override { return new CMapEntity_MapkaLogo(*this); }
  void doAction() override {}

  std::string caption;
};
