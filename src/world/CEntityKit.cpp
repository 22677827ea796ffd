#include "world/CEntityKit.h"

#include "media/CFontSeznam.h"
#include "media/CSoundEngine.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"
#include "world/CWorldEngine.h"
#include "world/kinds/EntityIds.h"

namespace entitykit {

CMapEntity_Game *cursor(CMapEntitiesCollection *c) { return c ? c->getEntityByID(kCursorID) : nullptr; }

bool underCursor(CMapEntitiesCollection *c, CMapEntity *widget) {
  CMapEntity_Game *k = cursor(c);
  return k && widget && k->isActionCollisionWithEntity(widget);
}

CMapEntity_Game *open(CMapEntitiesCollection *c, const std::string &name, float x, float y) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(name);
  if (!e) return nullptr;
  e->setXY(x, y);
  if (c) c->addEntity(e);
  return e;
}

CMapEntity_Game *carry(CMapEntity *carrier, const std::string &name, float xOffset, float yOffset) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(name);
  if (!e) return nullptr;
  e->setXOffset(xOffset, false);
  e->setYOffset(yOffset, false);
  carrier->addEntity(e, true, true);
  return e;
}

void playSound(const std::string &key) {
  CWorldEngine *host = CWorldEngine::current();
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}

KText *font(const std::string &name) {
  CWorldEngine *host = CWorldEngine::current();
  CFontSeznam *fonts = host ? host->getFontSeznam() : nullptr;
  if (!fonts) return nullptr;
  fonts->setAktivniFont(name);
  return fonts->getAktivniFont();
}

KText *loadedFont(const std::string &name) {
  CWorldEngine *host = CWorldEngine::current();
  CFontSeznam *fonts = host ? host->getFontSeznam() : nullptr;
  if (!fonts) return nullptr;
  fonts->setAktivniFont(name);
  return fonts->getAktivniFontNazev() == name ? fonts->getAktivniFont() : nullptr;
}

} // namespace entitykit
