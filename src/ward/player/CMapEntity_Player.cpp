#include "ward/player/CMapEntity_Player.h"

#include "media/CLogger.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/EntityIds.h"

namespace {
void logText(const std::string &line) { CLogger::instance()->log(line); }

ZSprite *overlaySprite(const char *base, unsigned short upgrade) {
  ZSprite *s = spriteFactory ? spriteFactory->cloneSprite(playerSkinName(base, upgrade).c_str()) : nullptr;
  if (s) s->nastavFrameset("FRAMESET1");
  return s;
}
} // namespace

CMapEntity_Player::CMapEntity_Player(unsigned short x, unsigned short y, bool solid) : CCloneable(x, y, solid) {
  setEntityID(kPlayerID);
  setEntityClassID(1);
  name = "PLAYER";
  looks().setSprite("PLAYER1");
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("DOWN");
  setContainedLimit(2);
}

CMapEntity_Player::CMapEntity_Player(const CMapEntity_Player &o)
    : CCloneable(o), speed(o.speed), speedFactor(o.speedFactor), workPhase(o.workPhase), goalX(o.goalX),
      goalY(o.goalY) {
  vypniAnimace();
  for (const char *handName : {"PLAYERLEFTDOWN", "PLAYERRIGHTDOWN"}) {
    CMapEntity_Game *h = CMapEntitiesFactory::instance()->cloneEntity(handName);
    CMapEntity::addEntity(h, true, true);
    h->setXOffset(0, false);
    h->setYOffset(0, false);
  }
  spritePrefix = playerSkinName("PLAYER", kCharismaUpgradeID);
  looks().setSprite(spritePrefix);
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("DOWN");
  vypniAnimace();
  shoes = overlaySprite("SHOES", kSpeedUpgradeID);
  steto = overlaySprite("STETO", kDiagnosticUpgradeID);
}

CMapEntity_Player::~CMapEntity_Player() {
  delete shoes;
  delete steto;
}

CMapEntity_PlayerHand *CMapEntity_Player::hand(bool left) {
  return dynamic_cast<CMapEntity_PlayerHand *>(CMapEntity::getContainedEntity(left ? kLeftHandID : kRightHandID));
}

bool CMapEntity_Player::containedFull() {
  CMapEntity_PlayerHand *l = hand(true), *r = hand(false);
  return l && r && l->containedFull() && r->containedFull();
}

CMapEntity *CMapEntity_Player::getContainedEntity(unsigned short id) {
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = hand(left);
    CMapEntity *found = h ? h->getContainedEntity(id) : nullptr;
    if (found && !found->getKill()) return found;
  }
  return nullptr;
}

CMapEntity *CMapEntity_Player::getContainedEntityClass(unsigned short cls) {
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = hand(left);
    if (CMapEntity *found = h ? h->getContainedEntityClass(cls) : nullptr) return found;
  }
  return nullptr;
}

void CMapEntity_Player::handEmptied(CMapEntity_PlayerHand *h) {
  if (!h || h->containedFull()) return;
  h->showHolding(false);
  synchronizeFramesets();
}

bool CMapEntity_Player::giveEntityTo(CMapEntity *target, unsigned short id, bool swap) {
  logText("Trying to give object away, looking in both hands..(giveEntityTo id)");
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = hand(left);
    if (!h) continue;
    bool gave = h->CMapEntity::giveEntityTo(target, id, swap);
    handEmptied(h);
    logText(left ? "Giving object away from LEFT HAND" : "Giving object away from RIGHT HAND");
    if (gave || !left) return gave;
  }
  return false;
}

bool CMapEntity_Player::giveEntityTo(CMapEntity *target, CMapEntity *item, bool syncFrames) {
  logText("Trying to give object away, looking in both hands..(giveEntityTo pointer)");
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = hand(left);
    if (!h) continue;
    bool gave = h->CMapEntity::giveEntityTo(target, item, syncFrames);
    handEmptied(h);
    if (gave || !left) return gave;
  }
  return false;
}

bool CMapEntity_Player::giveFirstEntityTo(CMapEntity *target) {
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = hand(left);
    if (!h) continue;
    bool gave = h->CMapEntity::giveFirstEntityTo(target);
    if (!h->containedFull()) h->showHolding(false);
    if (gave) break;
  }
  return true;
}

void CMapEntity_Player::removeEntity(CMapEntity *e) {
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = hand(left);
    if (!h) continue;
    // The level's list holds carried items too: each leaves it as it is deleted.
    if (e && h->dropEntity(e)) delete e;
    if (!h->containedFull()) {
      h->showHolding(false);
      synchronizeFramesets();
      synchronizeFrames(-1);
    }
  }
}

CMapEntity *CMapEntity_Player::addEntity(std::string prototype) {
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = hand(left);
    if (!h || h->containedFull()) continue;
    CMapEntity *item = h->CMapEntity::addEntity(prototype);
    h->showHolding(true);
    h->synchronizeFramesets();
    return item;
  }
  return nullptr;
}

void CMapEntity_Player::addEntity(CMapEntity *item, bool toCollection) {
  if (!item) return;
  logText("Adding entity(player virtual method) " + item->name);
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = hand(left);
    if (!h || h->containedFull()) continue;
    h->CMapEntity::addEntity(item, toCollection, true);
    h->showHolding(true);
    h->synchronizeFramesets();
    logText(left ? "Adding object to LEFT HAND" : "Adding object to RIGHT HAND");
    return;
  }
}

void CMapEntity_Player::followOverlay(ZSprite *overlay) {
  if (!overlay || !looks().getSprite()) return;
  Frameset *body = looks().getSprite()->getAktivniFrameset();
  if (!body) return;
  if (overlay->getAktivniIndex() != looks().getSprite()->getAktivniIndex())
    overlay->nastavFrameset(looks().getSprite()->getAktivniIndex());
  if (Frameset *fs = overlay->getAktivniFrameset()) fs->nastavFrame(body->getAktivniIndex());
  overlay->step();
}

void CMapEntity_Player::drawOverlay(KGraphic *g, ZSprite *overlay) {
  if (!overlay || !looks().getSprite() || !looks().getSprite()->getAktivniFrameset()) return;
  overlay->x = (uint32_t)(int32_t)x;
  overlay->y = (uint32_t)(int32_t)y;
  overlay->put(g, 1.0f, -1, -1, -1, -1);
}

void CMapEntity_Player::renderAdditional(KGraphic *g) {
  drawOverlay(g, shoes);
  drawOverlay(g, steto);
}

void CMapEntity_Player::collectPictures(std::vector<unsigned int> &out) const {
  CMapEntity_Game::collectPictures(out);
  for (ZSprite *s : {shoes, steto})
    if (s) s->collectSurfaces(out);
}

void CMapEntity_Player::animateAdditional() {
  CMapEntity_Game::animateAdditional();
  followOverlay(shoes);
  followOverlay(steto);
}
