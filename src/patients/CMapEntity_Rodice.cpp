#include "patients/CMapEntity_Rodice.h"

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "media/makeString.h"
#include "world/CEntityKit.h"
#include "world/CWorldEngine.h"

void CMapEntity_RodiceClass::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  KText *font = entitykit::loadedFont("bed");
  if (!font) return;
  float a = looks().getAlpha() == -1.0f ? 1.0f : looks().getAlpha();
  font->setColor(0.7f, 0.0f, 0.0f, a);
  font->drawStringCentered(makeString((int)wantedBed).c_str(), (long)(x + 6.0f), (long)(x + 20.0f), (long)(y + 62.0f),
                           0.0f);
  font->setColor(0.0f, 0.0f, 0.0f, 1.0f);
}
