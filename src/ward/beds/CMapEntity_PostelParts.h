#pragma once

#include "world/CMapEntity_Game.h"

class ZSprite;

// The parts a bed carries; each finds what sets its variant apart by its own or its bed's name.

// Front rail (class 34): prints the bed number and, during a colour chain, "x" and the multiplier.
class CMapEntity_PostelDolniMriz : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  void useMethod() override {}
  void doAction() override {}
  CMapEntity_PostelDolniMriz *clone() override { return new CMapEntity_PostelDolniMriz(*this); }
  void renderAdditional(KGraphic *g) override;
};

// Blanket (class 14): draws its skin over itself, following its frameset. "POSTEL5CPRIKRYVKA" has none.
class CMapEntity_PostelPrikryvka : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  // Every copy makes its own skin.
  CMapEntity_PostelPrikryvka(const CMapEntity_PostelPrikryvka &other);
  ~CMapEntity_PostelPrikryvka() override;

  void useMethod() override {}
  void doAction() override {}
  CMapEntity_PostelPrikryvka *clone() override { return new CMapEntity_PostelPrikryvka(*this); }
  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  void collectPictures(std::vector<unsigned int> &out) const override;

  ZSprite *blanketSkin = nullptr;
};

// Pillow (class 35).
class CMapEntity_PostelPolstar : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  void useMethod() override {}
  void doAction() override {}
  CMapEntity_PostelPolstar *clone() override { return new CMapEntity_PostelPolstar(*this); }
  void renderAdditional(KGraphic *) override {}
};

// Highlight aura (class 12) of beds and chairs; a carrier never keeps a link to a deleted aura.
class CMapEntity_Aura : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  ~CMapEntity_Aura() override;
  void useMethod() override {}
  void doAction() override {}
  CMapEntity_Aura *clone() override { return new CMapEntity_Aura(*this); }
};
