#include "events/CMapEntity_DNA.h"

#include <string>

#include "media/Frame.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"

void CMapEntity_DNA::setColour(int32_t c) {
  colour = ((c % 9) + 9) % 9;
  setRGB(paletaVyrazna[colour][0], paletaVyrazna[colour][1], paletaVyrazna[colour][2], false);
}

void CMapEntity_DNA::collectPictures(std::vector<unsigned int> &out) const {
  CCloneable::collectPictures(out);
  if (spriteFactory)
    for (int n = 0; n <= 8; ++n) spriteFactory->collectSurfaces("DNA" + std::to_string(n), out);
}

void CMapEntity_DNA::setStrands(int32_t s) {
  strands = s < 0 ? 0 : (s > 8 ? 8 : s);
  looks().setSprite("DNA" + std::to_string(strands));
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("FRAMESET1");
}

void CMapEntity_DNA::scaleActionBox(float z) {
  setZoom(z);
  Frame *f = looks().getCurrentFrame();
  if (!f) return;
  float w = (float)f->getAW(), h = (float)f->getAH();
  f->setAW((int)(w * z));
  f->setAH((int)(h * z));
  f->setAX((int)(w / 2 - w * z / 2));
  f->setAY((int)(h / 2 - h * z / 2));
}

void CMapEntity_DNA::clearActionBox() {
  if (Frame *f = looks().getCurrentFrame()) {
    f->setAW(0);
    f->setAH(0);
  }
}
