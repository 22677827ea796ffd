#include "world/CMapEntity_BonusText.h"

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "world/CWorldEngine.h"

CMapEntity_BonusText::CMapEntity_BonusText(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_TextBox(x, y, solid), textRed(1.0f), textGreen(1.0f), textBlue(1.0f) {}

CMapEntity_BonusText::CMapEntity_BonusText(const CMapEntity_BonusText &o)
    : CMapEntity_TextBox(o), textRed(o.textRed), textGreen(o.textGreen), textBlue(o.textBlue) {}

CMapEntity_BonusText::~CMapEntity_BonusText() {}

CMapEntity_BonusText *CMapEntity_BonusText::clone() { return new CMapEntity_BonusText(*this); }

void CMapEntity_BonusText::renderAdditional(KGraphic *) {
  if (CWorldEngine *host = CWorldEngine::current()) drawCaption(host->getFontSeznam());
}

void CMapEntity_BonusText::drawCaption(CFontSeznam *fonts) {
  if (!fonts) return;
  fonts->setAktivniFont("bonus");
  KText *font = fonts->getAktivniFont();
  if (!font) return;
  font->setColor(textRed, textGreen, textBlue, alpha == -1.0f ? 1.0f : alpha);
  const long left = screenCoordinate(x);
  size_t pos = 0;
  long line = 0;
  while (nextLine(font, pos)) {
    font->drawStringFromLeft(lineBuffer.c_str(), left, screenCoordinate(y + (float)(22 * line)), -4.0f);
    ++line;
  }
  font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}
