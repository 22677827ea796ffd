#include "ward/player/CPlayerBody.h"

#include <algorithm>
#include <cstdlib>

#include "core/CEngine.h"
#include "engine/KText.h"
#include "media/Frame.h"
#include "media/GameGlobals.h"
#include "media/CSoundEngine.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "world/CEntityController.h"
#include "world/CEntityKit.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CWorldEngine.h"

void CPlayerBody::bind(CMapEntity_Player *figure, CEntityController *owner) {
  player = figure;
  behaviour = owner;
}

CMapEntitiesCollection *CPlayerBody::ward() const { return behaviour ? behaviour->getCollection() : nullptr; }

CLevel_Game *CPlayerBody::level() const { return behaviour ? behaviour->currentLevel() : nullptr; }

void CPlayerBody::foot(float &x, float &y) const {
  Frame *f = player->looks().getCurrentFrame();
  Rect box = f ? f->getBoundingBox() : Rect{0, 0, 0, 0};
  x = (float)(int)player->getX() + (float)box.x + (float)box.w * 0.5f;
  y = (float)(int)player->getY() + (float)box.y + (float)box.h * 0.5f;
}

bool CPlayerBody::atWorkSpot(const CMapEntity_Game *e) const {
  float footX = 0.0f, footY = 0.0f;
  foot(footX, footY);
  return std::abs((int)(footX - (e->getX() + (float)e->approachX))) <= 15 &&
         std::abs((int)(footY - (e->getY() + (float)e->approachY))) <= 15;
}

void CPlayerBody::restOnDown() const {
  player->changeFrameset("DOWN");
  player->changeFrame(0, 0);
  player->vypniAnimace();
  player->synchronizeFramesets();
  player->synchronizeFrames(-1);
}

void CPlayerBody::position(float &x, float &y) const {
  x = player->getX();
  y = player->getY();
}

void CPlayerBody::startExamination(float x, float y) const {
  player->setXY(x, y);
  player->changeFrameset("VYSETRENI");
  player->changeFrame(0, 0);
  player->synchronizeFramesets();
  player->synchronizeFrames(-1);
  player->zapniAnimace();
  for (bool left : {true, false})
    if (CMapEntity_PlayerHand *h = player->hand(left)) h->changeFrameset("INVISIBLE");
}

void CPlayerBody::keepExamining() const { player->zapniAnimace(); }

void CPlayerBody::endExamination(float x, float y) const {
  player->changeFrameset("DOWN");
  player->changeFrame(0, 0);
  player->synchronizeFramesets();
  player->synchronizeFrames(-1);
  player->vypniAnimace();
  player->setXY(x, y);
}

CMapEntity *CPlayerBody::held(unsigned short id) const { return player->getContainedEntity(id); }

CMapEntity *CPlayerBody::heldOfClass(unsigned short cls) const { return player->getContainedEntityClass(cls); }

bool CPlayerBody::handFree() const { return !player->containedFull(); }

void CPlayerBody::take(CMapEntity *item, bool fromWard) const { player->addEntity(item, fromWard); }

CMapEntity *CPlayerBody::takeNew(const std::string &prototype) const { return player->addEntity(prototype); }

bool CPlayerBody::give(CMapEntity *item, CMapEntity *to, bool syncFrames) const {
  return player->giveEntityTo(to, item, syncFrames);
}

// An emptied hand shows empty again.
bool CPlayerBody::putDown(CMapEntity *item) const {
  for (bool left : {true, false}) {
    CMapEntity_PlayerHand *h = player->hand(left);
    if (!h || !h->dropEntity(item)) continue;
    if (!h->containedFull()) {
      h->showHolding(false);
      player->synchronizeFramesets();
      player->synchronizeFrames(-1);
    }
    return true;
  }
  return false;
}

void CPlayerBody::walkSpeed(float &speed, float &factor) const {
  speed = player->speed;
  factor = player->speedFactor;
}

const std::vector<CMapEntity_Game *> &CPlayerBody::entities() const { return *ward()->getEntitiesPtr(); }

CMapEntity_Game *CPlayerBody::byID(uint32_t id) const { return ward()->getEntityByID(id); }

void CPlayerBody::place(CMapEntity_Game *e) const { ward()->addEntity(e); }

void CPlayerBody::heartBeside(const CMapEntity *patient) const { entitykit::heartBeside(ward(), patient); }

void CPlayerBody::pay(float x, float y, const char *label, int amount) const {
  CCaption::pay(ward(), level(), x, y, label, amount);
}

void CPlayerBody::earn(int amount) const {
  if (CLevel_Game *l = level(); l && amount) l->changeMoney(amount);
}

void CPlayerBody::playSound(const char *key) const {
  CWorldEngine *host = behaviour ? behaviour->worldEngine() : nullptr;
  if (key && host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}

void CPlayerBody::caption(float x, float y, const std::string &text, TCaptionKind kind) const {
  CCaption::show(ward(), x, y, text, kind);
}

void CPlayerBody::refuse(float x, float y, const std::string &why) const { entitykit::refuse(ward(), x, y, why); }

void CPlayerBody::refuseHere(const std::string &why) const { overHead(why, true); }

void CPlayerBody::sayHere(const std::string &text) const { overHead(text, false); }

void CPlayerBody::overHead(const std::string &text, bool refused) const {
  KText *font = entitykit::loadedFont("small");
  Frame *f = player->looks().getCurrentFrame();
  const float width = font ? font->getStringWidth(text.c_str(), -1.0f) : 0.0f;
  const float x = player->getX() + (f ? (float)f->getSirka() / 2 : 0.0f) - width / 2;
  const float y = player->getY() - 30.0f;
  CMapEntity_Game *said = refused ? entitykit::refuse(ward(), x, y, text) : entitykit::refusal(ward(), x, y, text);
  // On one line, however long: what she says is read at a glance.
  if (CMapEntity_BonusText *t = dynamic_cast<CMapEntity_BonusText *>(said)) t->boxWidth = std::max(t->boxWidth, (int32_t)width + 2);
}

unsigned CPlayerBody::chainStep(uint16_t kind) {
  CEngine *engine = behaviour ? behaviour->getEngine() : nullptr;
  CChainBonus::TStep s = chainNow.step(kind, engine ? engine->getSoucasnyLevel() : 0);
  playSound(s.sound);
  return s.amount;
}

void CPlayerBody::chainBonus(uint16_t kind, float x, float y, const char *label, TCaptionKind captionKind) {
  if (unsigned amount = chainStep(kind)) payChain(x, y, label, amount, captionKind);
}

void CPlayerBody::payChain(float x, float y, const char *label, unsigned amount, TCaptionKind captionKind) {
  CCaption::payRun(ward(), level(), x - 50, y - 20, label, (int)amount, chainNow.count, paleta[8], captionKind);
}
