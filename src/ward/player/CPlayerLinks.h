#pragma once

#include "world/kinds/Links.h"

// The figure's side of the links: its walking speed for the burst perk, and giving up its walk
// when the queue is emptied.
class CPlayerLinks : public CWalkSpeedLink, public CPlayerFigureLink {
public:
  float walkSpeed(CMapEntity_Game *player) override;
  void setWalkSpeed(CMapEntity_Game *player, float speed) override;
  float speedFactor(CMapEntity_Game *player) override;
  void clearTarget(CMapEntity_Game *player) override;
};
