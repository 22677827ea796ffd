#include "progress/CMapEntity_Notes.h"

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "world/CLevel_Game.h"
#include "world/CWorldEngine.h"

std::string CMapEntity_Notes::shortName(const std::string &levelName) {
  return levelName.size() > 4 ? levelName.substr(4) : std::string();
}

void CMapEntity_Notes::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  CWorldEngine *host = CWorldEngine::running();
  if (!host || !host->getLevel()) return;
  drawNote(host->getFontSeznam(), host->getLevel()->getLevelName());
}

void CMapEntity_Notes::drawNote(CFontSeznam *fonts, const std::string &levelName) {
  if (!fonts) return;
  fonts->setAktivniFont("bed");
  KText *font = fonts->getAktivniFont();
  if (!font) return;
  if (looks().getAlpha() != -1.0f) font->setColor(0.29f, 0.53f, 0.64f, looks().getAlpha());
  font->drawStringCentered(shortName(levelName).c_str(), (long)(x + 30.0f), (long)(x + 60.0f), (long)(y + 60.0f), 0.0f);
}
