#include "world/CMapEntity_Visual.h"

#include "media/GameGlobals.h"
#include "engine/KGraphic.h"

CMapEntity_DarkScreen::CMapEntity_DarkScreen(const CMapEntity_DarkScreen &o) : CCloneable(o) {
  setAlpha(0.35f, true);
}

void CMapEntity_DarkScreen::animateAdditional() {
  CCloneable::animateAdditional();
  if (looks().getAlpha() > maxAlpha) setAlpha(maxAlpha, false);
}

void CMapEntity_DarkScreen::renderAdditional(KGraphic *g) {
  KGraphic *screen = g ? g : backbuffer;
  if (!screen) return;
  screen->drawRect(0.0f, 0.0f, 800.0f, 600.0f, coverRed, coverGreen, coverBlue,
                   looks().getAlpha() > maxAlpha ? maxAlpha : looks().getAlpha());
}
