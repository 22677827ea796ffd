#include "ward/player/CMapEntity_PlayerHands.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/kinds/EntityIds.h"

std::string playerSkinName(const char *base, unsigned short upgradeID) {
  CEngine *running = CEngine::running();
  CPlayer *player = running ? running->getPlayer() : nullptr;
  int level = 1;
  if (player) {
    static const int byStarIndex[] = {2, 3, 4, 5, 5};
    int starIndex = player->starsOwned(upgradeID) - 1;
    if (starIndex >= 0 && starIndex < 5) level = byStarIndex[starIndex];
  }
  std::string name = std::string(base) + std::to_string(level);
  if (player && player->getPohlavi() == 1) name = "M" + name;
  return name;
}

CMapEntity_PlayerHand::CMapEntity_PlayerHand(unsigned short x, unsigned short y, bool solid, bool isLeft)
    : CCloneable(x, y, solid), left(isLeft) {
  setEntityClassID(0);
  setEntityID(left ? kLeftHandID : kRightHandID);
  name = left ? "PLAYERLEFTDOWN" : "PLAYERRIGHTDOWN";
  looks().setSprite(left ? "PLAYER1LEFTDOWN" : "PLAYER1RIGHTDOWN");
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("DOWN");
  setWalkPenalty(200);
  health = 100;
  setContainedLimit(1);
  if (left)
    points = {{58, 30}, {58, 30}, {58, 30}, {5, 30}};
  else
    points = {{6, 30}, {6, 30}, {6, 30}, {54, 30}};
}

CMapEntity_PlayerHand::CMapEntity_PlayerHand(const CMapEntity_PlayerHand &other)
    : CCloneable(other), points(other.points), left(other.left) {
  skin = playerSkinName("PLAYER", kCharismaUpgradeID);
  looks().setSprite(skin + (left ? "LEFTDOWN" : "RIGHTDOWN"));
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("FRAMESET1");
}

void CMapEntity_PlayerHand::removeEntity(CMapEntity *e) {
  if (CMapEntity *parent = carrying().getParent())
    parent->removeEntity(e);
  else
    CMapEntity::removeEntity(e);
}

void CMapEntity_PlayerHand::collectPictures(std::vector<unsigned int> &out) const {
  CMapEntity_Game::collectPictures(out);
  if (!spriteFactory) return;
  for (const char *pose : {"UP", "DOWN"}) spriteFactory->collectSurfaces(skin + (left ? "LEFT" : "RIGHT") + pose, out);
}

void CMapEntity_PlayerHand::showHolding(bool holding) {
  looks().setSprite(skin + (left ? "LEFT" : "RIGHT") + (holding ? "UP" : "DOWN"));
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("DOWN");
}

// The item sits centred on the hand's point of the current direction; an index past the table
// uses (-1, -1). Halves are signed: an unsigned half would throw a small item off by 2^32.
void CMapEntity_PlayerHand::changeFrameset(std::string frameset) {
  CMapEntity::changeFrameset(frameset);
  int index = looks().getSprite() ? looks().getSprite()->getAktivniIndex() : -1;
  TPoint at = (index >= 0 && (size_t)index < points.size()) ? points[(size_t)index] : TPoint{-1, -1};
  eachCarried([&](CMapEntity *item) {
    ZSprite *s = item->looks().getSprite();
    Frameset *fs = s ? s->getAktivniFrameset() : nullptr;
    int w = fs ? (int)fs->getAktivniSirka() : 0;
    int h = fs ? (int)fs->getAktivniVyska() : 0;
    item->setXOffset((float)(at.x - w / 2), false);
    item->setYOffset((float)(at.y - h / 2), false);
    item->syncWithParentPosition();
  });
}
