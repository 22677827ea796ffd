#pragma once

#include "world/CMapEntity_Game.h"

// The pointing arrow that shows the player what to click; it pulses until removed.
class CMapEntity_Sipka : public CMapEntity_Game {
public:
  CMapEntity_Sipka(unsigned short x, unsigned short y, bool solid);
  CMapEntity_Sipka(const CMapEntity_Sipka &other);

  void useMethod() override {}
  CMapEntity_Sipka *clone() override;
  void doAction() override {}
  ~CMapEntity_Sipka() override;
};
