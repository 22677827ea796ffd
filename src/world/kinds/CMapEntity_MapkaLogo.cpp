#include "world/CEntityKit.h"
#include "world/kinds/CMapEntity_MapkaLogo.h"

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "world/CWorldEngine.h"

CMapEntity_Game *CMapEntity_MapkaLogo::clone() {
  CMapEntity_MapkaLogo *copy = new CMapEntity_MapkaLogo(*this);
  copy->setAlpha(1.0f, true);
  return copy;
}

void CMapEntity_MapkaLogo::renderAdditional(KGraphic *) {
  if (caption.empty()) return;
  KText *font = entitykit::font("gamefont");
  if (!font) return;
  font->setColor(1.0f, 1.0f, 1.0f, looks().getAlpha());
  font->drawStringCentered(caption.c_str(), (long)(x + 18.0f), (long)(x + 160.0f), (long)(y + 87.0f), 0.0f);
  font->setColor(0.0f, 0.0f, 0.0f, 1.0f);
}
