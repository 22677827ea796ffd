#include "events/CMapEntity_MiniGameSummaryWindow.h"

#include "engine/KText.h"
#include "events/LabIds.h"
#include "media/CFontSeznam.h"
#include "media/ZSprite.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CWorldEngine.h"

CMapEntity_MiniGameSummaryWindow::CMapEntity_MiniGameSummaryWindow(const CMapEntity_MiniGameSummaryWindow &o)
    : CCloneable(o), ready(0) {
  CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
  if (CMapEntity_Game *dark = f->cloneEntity("DARKSCREEN")) {
    addEntity(dark, true, true);
    // The cover keeps itself at its own maximum.
    dark->setAlpha(1.0f, true);
  }
  if (CMapEntity_Game *sesit = f->cloneEntity("MINIGAMESUMMARYSESIT")) addEntity(sesit, true, true);
}

CMapEntity_MiniGameSummarySesit::CMapEntity_MiniGameSummarySesit(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  setEntityClassID(33);
  setEntityID(kMiniGameSummarySesitID);
  name = "MINIGAMESUMMARYSESIT";
  looks().setSprite("OUTROTABLE");
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("FRAMESET1");
  setWalkPenalty(200);
  health = 100;
}

CMapEntity_MiniGameSummarySesit::CMapEntity_MiniGameSummarySesit(const CMapEntity_MiniGameSummarySesit &o)
    : CCloneable(o) {}

void CMapEntity_MiniGameSummarySesit::renderAdditional(KGraphic *) {
  KText *font = entitykit::font("gamefont");
  if (!font) return;
  const long x = labPixel(getX()), y = labPixel(getY());
  const float a = looks().getAlpha() < 0.0f ? 1.0f : looks().getAlpha();
  font->setColor(0.53f, 0.0f, 0.0f, 1.0f);
  font->drawStringCentered("RESEARCH COMPLETED", x + 13, x + 278, y + 90, 0.0f);
  font->setColor(0.0f, 0.39f, 0.51f, a);
  for (size_t j = 0; j < leftLines.size(); ++j)
    font->drawStringFromLeft(leftLines[j].c_str(), x + 40, y + 130 + 25 * (long)j, 0.0f);
  font->setColor(0.53f, 0.0f, 0.0f, a);
  for (size_t j = 0; j < rightLines.size(); ++j)
    font->drawStringFromRight(rightLines[j].c_str(), x + 250, y + 130 + 25 * (long)j, 0.0f);
  font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}
