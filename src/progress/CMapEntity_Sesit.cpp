#include "progress/CMapEntity_Sesit.h"

#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"

CMapEntity_Sesit::CMapEntity_Sesit(const CMapEntity_Sesit &o) : CCloneable(o), shown(o.shown) {
  if (spriteFactory) sidebar = spriteFactory->cloneSprite("SIDEBAR");
  if (sidebar) sidebar->nastavFrameset("FRAMESET1");
}

CMapEntity_Sesit::~CMapEntity_Sesit() { delete sidebar; }

void CMapEntity_Sesit::collectPictures(std::vector<unsigned int> &out) const {
  CMapEntity_Game::collectPictures(out);
  if (sidebar) sidebar->collectSurfaces(out);
}

void CMapEntity_Sesit::animateAdditional() {
  CMapEntity_Game::animateAdditional();
  if (shown && sidebar) sidebar->step();
}

void CMapEntity_Sesit::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  if (!shown || !sidebar) return;
  KGraphic *screen = g ? g : backbuffer;
  if (!screen) return;
  sidebar->x = (uint32_t)(int32_t)(x + 290.0f);
  sidebar->y = (uint32_t)(int32_t)(y + 20.0f);
  sidebar->put(screen, 1.0f, -1, -1, -1, -1);
}
