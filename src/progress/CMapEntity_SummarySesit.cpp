#include "progress/CMapEntity_SummarySesit.h"

#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "media/makeString.h"
#include "world/CWorldEngine.h"

// No highlight pulse: the page is all the notebook draws beside its picture.
void CMapEntity_SummarySesit::renderAdditional(KGraphic *) {
  if (CWorldEngine *host = CWorldEngine::running()) drawPage(host->getFontSeznam());
}

void CMapEntity_SummarySesit::drawPage(CFontSeznam *fonts) {
  if (!fonts) return;
  fonts->setAktivniFont("gamefont");
  KText *font = fonts->getAktivniFont();
  if (!font) return;
  const float a = looks().getAlpha() == -1.0f ? 1.0f : looks().getAlpha();
  auto px = [this](float dx) { return (long)(x + dx); };
  auto py = [this](float dy) { return (long)(y + dy); };

  font->setColor(0.53f, 0.0f, 0.0f, a);
  font->drawStringCentered(title.c_str(), px(15), px(280), py(90), 0.0f);
  font->setColor(0.0f, 0.0f, 0.0f, 1.0f);

  font->setColor(0.0f, 0.39f, 0.51f, a);
  font->drawStringFromLeft("Day's goal     ", px(40), py(130), 0.0f);
  font->drawStringFromLeft("Score today    ", px(40), py(150), 0.0f);
  font->drawStringFromLeft("Patients cured ", px(40), py(170), 0.0f);
  font->drawStringFromLeft("Patients lost  ", px(40), py(190), 0.0f);
  font->drawStringFromLeft("Money saved   ", px(40), py(210), 0.0f);

  font->drawStringFromRight(makeString<int>(goal).c_str(), px(250), py(130), 0.0f);
  font->setColor(0.53f, 0.0f, 0.0f, a);
  font->drawStringFromRight(makeString<int>(scoreToday).c_str(), px(250), py(150), 0.0f);
  font->drawStringFromRight(makeString<int>(patientsCured).c_str(), px(250), py(170), 0.0f);
  font->drawStringFromRight(makeString<int>(patientsLost).c_str(), px(250), py(190), 0.0f);
  font->drawStringFromRight(("$" + makeString<int>(moneySaved)).c_str(), px(250), py(210), 0.0f);
  font->setColor(0.0f, 0.0f, 0.0f, 1.0f);

  fonts->setAktivniFont("small2");
  if (KText *small = fonts->getAktivniFont()) {
    small->setColor(0.36f, 0.3f, 0.23f, a);
    small->drawStringFromLeft(bankNote.c_str(), px(40), py(230), 1.0f);
    // Below the outro and the expert mark, where the page has room for it.
    small->drawMultiline(famousNote.c_str(), px(40), px(265), py(300), 0, 1.0f);
    small->setColor(1.0f, 1.0f, 1.0f, 1.0f);
  }
  fonts->setAktivniFont("gamefont");

  if (expert != 0) {
    font->setColor(0.53f, 0.0f, 0.0f, a);
    font->drawStringFromLeft("EXPERT SCORE!", px(80), py(270), 0.0f);
    font->setColor(0.0f, 0.0f, 0.0f, 1.0f);
  }
}
