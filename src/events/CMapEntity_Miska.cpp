#include "events/CMapEntity_Miska.h"

#include <string>

#include "engine/KText.h"
#include "events/CMapEntity_DNA.h"
#include "events/LabIds.h"
#include "media/CFontSeznam.h"
#include "media/GameGlobals.h"
#include "world/CEntityKit.h"
#include "world/CWorldEngine.h"

int32_t CMapEntity_Miska::pieceColour() const {
  const std::vector<CMapEntity *> &c = carrying().getContainedList();
  for (size_t i = c.size(); i-- > 1;)
    if (c[i]->getEntityID() == kDnaID)
      if (CMapEntity_DNA *piece = dynamic_cast<CMapEntity_DNA *>(c[i])) return piece->getColour();
  return 0;
}

void CMapEntity_Miska::renderAdditional(KGraphic *) {
  KText *font = entitykit::font("bonus");
  if (!font) return;
  const float *rgb = paletaVyrazna[pieceColour()];
  font->setColor(rgb[0], rgb[1], rgb[2], looks().getAlpha() < 0.0f ? 1.0f : looks().getAlpha());
  font->drawStringFromLeft(std::to_string(value).c_str(), labPixel(getX() + 80),
                           labPixel(getY() + 10), 0.0f);
  font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
}
