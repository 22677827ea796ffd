#include "progress/ShopKit.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "media/CFontSeznam.h"
#include "media/CSoundEngine.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"

namespace shopkit {

CPlayer *player() { return engine ? engine->getPlayer() : nullptr; }

bool underCursor(CMapEntitiesCollection *c, CMapEntity *widget) {
  CMapEntity_Game *k = c ? c->getEntityByID(kCursorID) : nullptr;
  return k && widget && k->isActionCollisionWithEntity(widget);
}

void playSound(const std::string &key) {
  if (engine && engine->getSoundEngine()) engine->getSoundEngine()->playSound(key);
}

KText *font(const std::string &name) {
  CFontSeznam *fonts = engine ? engine->getFontSeznam() : nullptr;
  if (!fonts) return nullptr;
  fonts->setAktivniFont(name);
  return fonts->getAktivniFont();
}

CMapEntity_Game *carry(CMapEntity *carrier, const std::string &name, float xOffset, float yOffset) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(name);
  if (!e) return nullptr;
  carrier->addEntity(e, true, true);
  e->setXOffset(xOffset, false);
  e->setYOffset(yOffset, false);
  e->syncWithParentPosition();
  return e;
}

CMapEntity_Game *open(CMapEntitiesCollection *c, const std::string &name, float x, float y) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(name);
  if (!e) return nullptr;
  e->setXY(x, y);
  if (c) c->addEntity(e);
  return e;
}

void starBurst(CMapEntitiesCollection *c, CMapEntity *around, int count) {
  if (!c || !around) return;
  for (int i = 0; i < count; ++i) {
    CMapEntity_Game *p = CMapEntitiesFactory::instance()->cloneEntity("REDSTARPARTICLE");
    if (!p) return;
    int r1 = rand();
    int r2 = rand();
    int r3 = rand();
    p->setXY(around->getX() + 20.0f - (float)(r1 % 40), around->getY() + 110.0f + (float)(r2 % 10));
    p->setZoom((float)(80 + r3 % 20) / 100.0f);
    c->addEntity(p);
  }
}
} // namespace shopkit
