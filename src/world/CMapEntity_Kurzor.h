#pragma once

#include "world/CMapEntity_Game.h"

// The game's own mouse pointers, drawn as entities of the level. Their action box is how the
// rest of the game finds what lies under the mouse; whatever a cursor carries moves with it.
class CMapEntity_Kurzor : public CMapEntity_Game {
public:
  CMapEntity_Kurzor(unsigned short x, unsigned short y, bool solid);
  CMapEntity_Kurzor(const CMapEntity_Kurzor &other);

  void useMethod() override {}
  CMapEntity_Kurzor *clone() override;
  void doAction() override {}
  ~CMapEntity_Kurzor() override;

  // The entity being dragged with the mouse; set and cleared by whoever drags, never owned.
  CMapEntity *held;
};

class CMapEntity_Kurzor2 : public CMapEntity_Game {
public:
  CMapEntity_Kurzor2(unsigned short x, unsigned short y, bool solid);
  CMapEntity_Kurzor2(const CMapEntity_Kurzor2 &other);

  void useMethod() override {}
  CMapEntity_Kurzor2 *clone() override;
  void doAction() override {}
  ~CMapEntity_Kurzor2() override;

  CMapEntity *held;
};
