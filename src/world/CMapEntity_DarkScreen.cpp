#include "world/CMapEntity_DarkScreen.h"

#include "engine/KGraphic.h"
#include "media/GameGlobals.h"

CMapEntity_DarkScreen::CMapEntity_DarkScreen(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Game(x, y, solid), coverRed(0.0f), coverGreen(0.0f), coverBlue(0.0f), maxAlpha(0.35f) {}

CMapEntity_DarkScreen::CMapEntity_DarkScreen(const CMapEntity_DarkScreen &o)
    : CMapEntity_Game(o), coverRed(0.0f), coverGreen(0.0f), coverBlue(0.0f), maxAlpha(0.35f) {
  setAlpha(0.35f, true);
}

CMapEntity_DarkScreen::~CMapEntity_DarkScreen() {}

CMapEntity_DarkScreen *CMapEntity_DarkScreen::clone() { return new CMapEntity_DarkScreen(*this); }

void CMapEntity_DarkScreen::renderAdditional(KGraphic *g) {
  if (alpha > maxAlpha) alpha = maxAlpha;
  KGraphic *screen = g ? g : backbuffer;
  if (!screen) return;
  screen->drawRect(0.0f, 0.0f, 800.0f, 600.0f, coverRed, coverGreen, coverBlue, alpha);
}
