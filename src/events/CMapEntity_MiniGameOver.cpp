#include "events/CMapEntity_MiniGameOver.h"

#include "engine/KText.h"
#include "events/LabIds.h"
#include "media/CFontSeznam.h"
#include "world/CEntityKit.h"
#include "world/CWorldEngine.h"

std::string CMapEntity_MiniGameOver::clockText(int32_t ms) {
  if (ms < 0) ms = 0;
  int32_t minutes = ms / 60000, seconds = (ms % 60000) / 1000;
  std::string t;
  if (minutes < 10) t += "0";
  t += std::to_string(minutes) + ":";
  if (seconds < 10) t += "0";
  return t + std::to_string(seconds);
}

void CMapEntity_MiniGameOver::renderAdditional(KGraphic *) {
  KText *font = entitykit::font("gamefont");
  if (!font) return;
  const std::string text = clockText(timeLeft);
  const long x = labPixel(getX()), y = labPixel(getY());
  font->setColor(0.0f, 1.0f, 0.0f, 1.0f);
  // Drawn twice a pixel apart to thicken it.
  font->drawStringFromRight(text.c_str(), x, y, 0.0f);
  font->drawStringFromRight(text.c_str(), x - 1, y, 0.0f);
  font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}
