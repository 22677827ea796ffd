#pragma once
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The speech bubble of the tutorial and the tips (`kTutorialBubbleClass`): a background with its own text box
// showing the text the bubble was copied from. Its behaviours place, point and remove it.
class CMapEntity_TutorialClass : public CCloneable<CMapEntity_TutorialClass, CMapEntity_Game> {
public:
  CMapEntity_TutorialClass(unsigned short x, unsigned short y, bool solid);
  // Carries a fresh text box showing the source's text.
  CMapEntity_TutorialClass(const CMapEntity_TutorialClass &other);

  std::string text;
};

// The shop's first-time tour, the reminder to choose a perk, and the perk tip of a working day.
class CMapEntity_TipShop : public CCloneable<CMapEntity_TipShop, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_TipShopPerk : public CCloneable<CMapEntity_TipShopPerk, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_TipPerk : public CCloneable<CMapEntity_TipPerk, CMapEntity_TutorialClass> {
  using CCloneable::CCloneable;
};

// Invisible: raises the perk tip once a run.
class CMapEntity_TipPerkTrigger : public CCloneable<CMapEntity_TipPerkTrigger, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
