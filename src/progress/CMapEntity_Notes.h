#pragma once
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class CFontSeznam;

// The notes panel: the day's name without its first four letters ("Day 7" shows "7").
class CMapEntity_Notes : public CCloneable<CMapEntity_Notes, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  void renderAdditional(KGraphic *g) override;

  // What the panel writes for a level name.
  static std::string shortName(const std::string &levelName);
  void drawNote(CFontSeznam *fonts, const std::string &levelName);
};
