#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class ZSprite;

// The parts a bed carries; each finds what sets its variant apart by its own or its bed's name.

// Front rail (class 34): prints the bed number and, during a colour chain, "x" and the multiplier.
class CMapEntity_PostelDolniMriz : public CCloneable<CMapEntity_PostelDolniMriz, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  void renderAdditional(KGraphic *g) override;
};

// Blanket (class 14): draws its skin over itself, following its frameset. "POSTEL5CPRIKRYVKA" has none.
class CMapEntity_PostelPrikryvka : public CCloneable<CMapEntity_PostelPrikryvka, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // Every copy makes its own skin.
  CMapEntity_PostelPrikryvka(const CMapEntity_PostelPrikryvka &other);
  ~CMapEntity_PostelPrikryvka() override;

  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  void collectPictures(std::vector<unsigned int> &out) const override;

  ZSprite *blanketSkin = nullptr;
};

// Pillow (class 35).
class CMapEntity_PostelPolstar : public CCloneable<CMapEntity_PostelPolstar, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  void renderAdditional(KGraphic *) override {}
};

// Highlight aura (`kHighlightClass`) of beds and chairs; a carrier never keeps a link to a deleted aura.
class CMapEntity_Aura : public CCloneable<CMapEntity_Aura, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  ~CMapEntity_Aura() override;
};
