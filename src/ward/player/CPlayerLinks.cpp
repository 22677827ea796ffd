#include "ward/player/CPlayerLinks.h"

#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerController.h"

float CPlayerLinks::walkSpeed(CMapEntity_Game *player) {
  CMapEntity_Player *p = dynamic_cast<CMapEntity_Player *>(player);
  return p ? p->speed : 6.0f;
}

void CPlayerLinks::setWalkSpeed(CMapEntity_Game *player, float speed) {
  if (CMapEntity_Player *p = dynamic_cast<CMapEntity_Player *>(player)) p->speed = speed;
}

float CPlayerLinks::speedFactor(CMapEntity_Game *player) {
  CMapEntity_Player *p = dynamic_cast<CMapEntity_Player *>(player);
  return p ? p->speedFactor : 1.0f;
}

// The tile being stepped onto stays the goal, so the figure stops on a tile centre.
void CPlayerLinks::clearTarget(CMapEntity_Game *player) {
  CMapEntity_Player *p = dynamic_cast<CMapEntity_Player *>(player);
  if (!p) return;
  if (CPlayerController *c = dynamic_cast<CPlayerController *>(p->getController()))
    c->stopAfterStep();
  else
    p->goalX = p->goalY = -1;
}
