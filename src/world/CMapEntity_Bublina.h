#pragma once

#include "world/CMapEntity_Game.h"

// A bubble that rises and starts again at the bottom.
class CMapEntity_Bublina : public CMapEntity_Game {
public:
  CMapEntity_Bublina(unsigned short x, unsigned short y, bool solid);
  CMapEntity_Bublina(const CMapEntity_Bublina &other);

  void useMethod() override {}
  CMapEntity_Bublina *clone() override;
  void doAction() override {}
  ~CMapEntity_Bublina() override;
};
