#include "menus/CMapEntity_Credits.h"

#include <algorithm>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KText.h"
#include "menus/MenuKit.h"
#include "world/CMapEntity_Visual.h"

CMapEntity_Credits::CMapEntity_Credits(const CMapEntity_Credits &o)
    : CCloneable(o), scroll(o.scroll), fromMenu(o.fromMenu) {
  if (auto *white = dynamic_cast<CMapEntity_DarkScreen *>(menukit::carry(this, "DARKSCREEN", 0.0f, 0.0f))) {
    white->coverRed = white->coverGreen = white->coverBlue = 1.0f;
    white->maxAlpha = 1.0f;
  }
  CEngine *running = CEngine::running();
  const bool male = running && running->getPlayer() && running->getPlayer()->getPohlavi() == 1;
  if (looks().getSprite()) looks().setSprite(male ? "VICTORYBGBWM" : "VICTORYBGBWF");
  setAlpha(0.0f, true);
}

void CMapEntity_Credits::addRadek(const std::string &text, float red, float green, float blue) {
  lines.push_back(creditRadek{text, red, green, blue});
}

float CMapEntity_Credits::lineAlpha(float top) const {
  const float bottom = top + kLineHeight;
  if (top < kFrameTop || bottom > kFrameBottom) return 0.0f;
  // A line fades in over its last steps up from the frame's foot and out over its first steps
  // under the frame's head, so none runs over the photograph's white border.
  const float edge = std::min(top - kFrameTop, kFrameBottom - bottom);
  const float a = looks().getAlpha() == -1.0f ? 1.0f : looks().getAlpha();
  return edge >= kFadeBand ? a : a * edge / kFadeBand;
}

void CMapEntity_Credits::renderAdditional(KGraphic *) {
  KText *f = menukit::font("bonus");
  if (!f) return;
  for (size_t i = 0; i < lines.size(); ++i) {
    const float top = scroll + kLineHeight * (float)i;
    const float a = lineAlpha(top);
    if (a <= 0.0f) continue;
    f->setColor(lines[i].red, lines[i].green, lines[i].blue, a);
    f->drawStringCentered(lines[i].text.c_str(), (long)x, (long)x + 800, (long)top, 0.0f);
  }
  f->setColor(0.0f, 0.0f, 0.0f, 1.0f);
}
