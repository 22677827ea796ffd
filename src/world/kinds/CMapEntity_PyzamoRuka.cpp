#include "world/kinds/CMapEntity_PyzamoRuka.h"

#include "media/Frameset.h"
#include "media/ZSprite.h"

CMapEntity_PyzamoRuka::CMapEntity_PyzamoRuka(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  setEntityClassID(26);
  setEntityID(196);
}

CMapEntity_PyzamoRuka::CMapEntity_PyzamoRuka(const CMapEntity_PyzamoRuka &o) : CCloneable(o) {}

CMapEntity_PyzamoRuka::~CMapEntity_PyzamoRuka() { delete skin; }

void CMapEntity_PyzamoRuka::setSkin(ZSprite *s) {
  if (s == skin) return;
  delete skin;
  skin = s;
}

void CMapEntity_PyzamoRuka::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  drawSkinOverlay(g, *this, skin, true);
}

void CMapEntity_PyzamoRuka::animateAdditional() {
  CMapEntity_Game::animateAdditional();
  followSkinOverlay(*this, skin);
}

void CMapEntity_PyzamoRuka::collectPictures(std::vector<unsigned int> &out) const {
  CMapEntity_Game::collectPictures(out);
  if (skin) skin->collectSurfaces(out);
}

void CMapEntity_PyzamoRuka::zapniAnimace() {
  CMapEntity_Game::zapniAnimace();
  if (skin && skin->getAktivniFrameset()) skin->getAktivniFrameset()->zapniAnimace();
}

void followSkinOverlay(CMapEntity &body, ZSprite *skin) {
  ZSprite *own = body.looks().getSprite();
  if (!skin || !own) return;
  if (skin->getAktivniIndex() != own->getAktivniIndex() && own->getAktivniIndex() >= 0) {
    skin->nastavFrameset(own->getAktivniIndex());
    if (skin->getAktivniFrameset()) skin->getAktivniFrameset()->zapniAnimace();
  }
  Frameset *skinSet = skin->getAktivniFrameset();
  Frameset *bodySet = own->getAktivniFrameset();
  if (skinSet && bodySet && bodySet->getAktivniIndex() >= 0 &&
      (unsigned)bodySet->getAktivniIndex() < skinSet->getPocetFramu())
    skinSet->nastavFrame(bodySet->getAktivniIndex());
  skin->step();
}

void drawSkinOverlay(KGraphic *g, CMapEntity &body, ZSprite *skin, bool onlyWithFrameset) {
  if (!skin || !body.looks().getSprite()) return;
  if (!skin->getAktivniFrameset() && onlyWithFrameset) return;
  float a = body.looks().getAlpha();
  if (a == -1.0f) a = 1.0f;
  skin->x = (uint32_t)(int32_t)body.getX();
  skin->y = (uint32_t)(int32_t)body.getY();
  skin->putAlpha(g, a, 1.0f, -1, -1, -1, -1);
}
