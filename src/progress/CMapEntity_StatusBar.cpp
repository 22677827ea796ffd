#include "progress/CMapEntity_StatusBar.h"

#include <cstdint>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CMapEntitiesFactory.h"

namespace {
void carryAt(CMapEntity_Game *bar, const char *prototype, float dx, float dy) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(prototype);
  bar->addEntity(e, true, true);
  e->setXOffset(dx, false);
  e->setYOffset(dy, false);
  e->syncWithParentPosition();
}

// The basket of the engine's player; without one no perk is held.
bool holds(unsigned short id) {
  CEngine *running = CEngine::running();
  CPlayer *player = running ? running->getPlayer() : nullptr;
  return player && player->basketContains(id);
}

ZSprite *spriteCopy(const char *name, const char *frameset) {
  ZSprite *s = spriteFactory ? spriteFactory->cloneSprite(name) : nullptr;
  if (s) s->nastavFrameset(frameset);
  return s;
}

void putAt(ZSprite *s, KGraphic *g, float x, float y) {
  if (!s || !g) return;
  s->x = (uint32_t)(int32_t)x;
  s->y = (uint32_t)(int32_t)y;
  s->put(g, 1.0f, -1, -1, -1, -1);
}
} // namespace

CMapEntity_StatusBar::CMapEntity_StatusBar(const CMapEntity_StatusBar &o) : CCloneable(o) {
  carryAt(this, "BARRUCICKA", 408, 12);
  if (holds(270)) carryAt(this, "PERKCURETOUCHICON", 554, 25);
  if (holds(274)) carryAt(this, "PERKBURSTICON", 523, 24);
  if (holds(296)) carryAt(this, "PERKLUCKICON", 587, 24);
  if (holds(308)) carryAt(this, "PERKVIRUSICON", 620, 24);
  iconBackground = spriteCopy("IKONKYPOZADI", "FRAMESET1");
  secondBackground = spriteCopy("PODKLAD1B", "FRAMESET1");
  scoresMark = spriteCopy("STATUSSCORES", "GOAL");
  carryAt(this, "STATUSMENU", 703, 27);
}

CMapEntity_StatusBar::~CMapEntity_StatusBar() {
  delete iconBackground;
  delete secondBackground;
  delete scoresMark;
}

void CMapEntity_StatusBar::showExpertMark() {
  if (scoresMark) scoresMark->nastavFrameset("EXPERT");
}

void CMapEntity_StatusBar::collectPictures(std::vector<unsigned int> &out) const {
  CMapEntity_Game::collectPictures(out);
  for (ZSprite *s : {secondBackground, iconBackground, scoresMark})
    if (s) s->collectSurfaces(out);
}

void CMapEntity_StatusBar::animateAdditional() {
  CMapEntity_Game::animateAdditional();
  for (ZSprite *s : {secondBackground, iconBackground, scoresMark})
    if (s) s->step();
}

// The icon background and the scores mark stand at fixed screen columns wherever the bar is.
void CMapEntity_StatusBar::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  KGraphic *screen = g ? g : backbuffer;
  putAt(secondBackground, screen, x + 400.0f, y);
  putAt(iconBackground, screen, 519.0f, y + 25.0f);
  putAt(scoresMark, screen, 157.0f, y + 31.0f);
}

CMapEntity_StatusBar2::CMapEntity_StatusBar2(const CMapEntity_StatusBar2 &o) : CCloneable(o) {
  carryAt(this, "BARRUCICKA", 408, 12);
  if (holds(270)) carryAt(this, "PERKCURETOUCHICON", 528, 25);
  if (holds(274)) carryAt(this, "PERKBURSTICON", 558, 25);
}
