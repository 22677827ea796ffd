#pragma once

#include "world/CMapEntity_Game.h"

// A comic page: a screen of its own, faded in, shown until a click, faded out.
class CMapEntity_Comic : public CMapEntity_Game {
public:
  CMapEntity_Comic(unsigned short x, unsigned short y, bool solid);
  CMapEntity_Comic(const CMapEntity_Comic &other);

  void useMethod() override {}
  CMapEntity_Comic *clone() override;
  void doAction() override {}
  ~CMapEntity_Comic() override;
};
