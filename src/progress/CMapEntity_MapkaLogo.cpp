#include "progress/CMapEntity_MapkaLogo.h"

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "world/CWorldEngine.h"

CMapEntity_MapkaLogo::CMapEntity_MapkaLogo(const CMapEntity_MapkaLogo &o) : CMapEntity_Game(o), caption(o.caption) {
  setAlpha(1.0f, true);
}

// No highlight pulse: the caption is all the plaque draws beside its picture.
void CMapEntity_MapkaLogo::renderAdditional(KGraphic *) {
  if (caption.empty()) return;
  CWorldEngine *host = CWorldEngine::current();
  CFontSeznam *fonts = host ? host->getFontSeznam() : nullptr;
  if (!fonts) return;
  fonts->setAktivniFont("gamefont");
  KText *font = fonts->getAktivniFont();
  if (!font) return;
  font->setColor(1.0f, 1.0f, 1.0f, alpha);
  font->drawStringCentered(caption.c_str(), (long)(x + 18.0f), (long)(x + 160.0f), (long)(y + 87.0f), 0.0f);
  font->setColor(0.0f, 0.0f, 0.0f, 1.0f);
}
