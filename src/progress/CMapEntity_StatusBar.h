#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class ZSprite;

// The status bar along the bottom of a working day: the day gauge's hand, an icon for each perk in
// the player's basket when the level was loaded, the GOAL/EXPERT scores mark and the menu button.
class CMapEntity_StatusBar : public CCloneable<CMapEntity_StatusBar, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // Builds the carried hand, icons and button and the bar's own three pictures.
  CMapEntity_StatusBar(const CMapEntity_StatusBar &other);
  CMapEntity_StatusBar &operator=(const CMapEntity_StatusBar &) = delete;
  ~CMapEntity_StatusBar() override;

  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  void collectPictures(std::vector<unsigned int> &out) const override;

  // The scores mark shows "EXPERT" once the day's money goal is reached.
  void showExpertMark();
  ZSprite *getScoresMark() const { return scoresMark; }

private:
  ZSprite *iconBackground = nullptr;
  ZSprite *secondBackground = nullptr;
  ZSprite *scoresMark = nullptr;
};

// The smaller bar: the gauge's hand and the cure-touch and burst perk icons.
class CMapEntity_StatusBar2 : public CCloneable<CMapEntity_StatusBar2, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  CMapEntity_StatusBar2(const CMapEntity_StatusBar2 &other);
};
