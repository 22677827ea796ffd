#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The invisible difficulty adjuster of a day. It keeps the day's pause window, game-clock ms
// during which lying patients have no outbreaks; a copy's window starts and ends now, so the
// first real one opens a level's pause start after the adjuster is placed.
class CMapEntity_ObtiznostAdjuster : public CCloneable<CMapEntity_ObtiznostAdjuster, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  CMapEntity_ObtiznostAdjuster(const CMapEntity_ObtiznostAdjuster &other);

  void renderAdditional(KGraphic *) override {}

  // Strictly inside the window.
  bool holds(uint32_t now) const { return pauseStart < now && now < pauseEnd; }

  uint32_t pauseStart = 0;
  uint32_t pauseEnd = 0;
};

// The glass and the hand of a difficulty gauge; nothing drives them.
class CMapEntity_ObtiznostAdjusterSklo : public CCloneable<CMapEntity_ObtiznostAdjusterSklo, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  void renderAdditional(KGraphic *) override {}
};

class CMapEntity_ObtiznostAdjusterRucicka
    : public CCloneable<CMapEntity_ObtiznostAdjusterRucicka, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  void renderAdditional(KGraphic *) override {}
};
