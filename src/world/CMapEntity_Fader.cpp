#include "world/CMapEntity_Fader.h"

#include "engine/KGraphic.h"
#include "media/CGlobals.h"
#include "media/CFatal.h"
#include "media/GameGlobals.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"

void TFade::setSmer(bool darken) {
  smer = darken ? 1 : 0;
  alpha = darken ? 0.0f : 1.0f;
  complete = 0;
}

void TFade::setTimeLimit(unsigned int ms) {
  if (ms != 0) timeLimit = ms;
}

void TFade::fade() {
  unsigned int ms = CGlobals::instance()->computeDelta();
  if (ms == 0) ms = 1;
  step = (float)ms / (float)timeLimit;
  // Only the end the fade is heading for is tested: a brightening fade must end clear, never
  // snap to black because one more (or one rounded) step would pass 1.
  if (smer) {
    if (alpha + step <= 1.0f) alpha += step;
    if (alpha + step > 1.0f) {
      alpha = 1.0f;
      complete = 1;
    }
  } else {
    if (alpha - step >= 0.0f) alpha -= step;
    if (alpha - step < 0.0f) {
      alpha = 0.0f;
      complete = 1;
    }
  }
}

void TFade::drawCover() const {
  if (backbuffer) backbuffer->drawRect(-1.0f, -1.0f, 800.0f, 600.0f, 0.0f, 0.0f, 0.0f, alpha);
}

CMapEntity_Fader *CMapEntity_Fader::open(CMapEntitiesCollection *c, bool darken, unsigned int ms) {
  CMapEntity_Game *made = CMapEntitiesFactory::instance()->cloneEntity("FADER");
  auto *fader = dynamic_cast<CMapEntity_Fader *>(made);
  if (!fader) {
    delete made;
    fatalError("Entity FADER is not a fader, exit", -1);
  }
  fader->setXY(0.0f, 0.0f);
  fader->setSmer(darken);
  fader->setTimeLimit(ms);
  if (c) c->addEntity(fader);
  return fader;
}

void CMapEntity_Fader::renderAdditional(KGraphic *) { f.drawCover(); }
