#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A medicine for the patient of one bed, showing the bed's number. A copy takes the picture of
// the medicine upgrade in the player's basket at the moment it is made.
class CMapEntity_Lek : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;

  void renderAdditional(KGraphic *g) override;
  CMapEntity_Game *clone() override;

  // The medicine's picture for the upgrade's stars (-1: no upgrade).
  static const char *spriteFor(int stars);

  uint16_t bedNumber = 0;
  // From its corner: the middle of the bottle, and a row of floor below the counter it stands on.
  static constexpr int kReachX = 10, kReachY = 66;
};

// A prescription: the figure writes it at a bed and hands it in at a cabinet. It shows the bed's
// number, so the one in her hand says whose it is.
class CMapEntity_Recept : public CCloneable<CMapEntity_Recept, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  void renderAdditional(KGraphic *g) override;

  uint16_t bedNumber = 0;
};
