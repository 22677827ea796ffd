#include "menus/CMapEntity_MenuButton.h"

#include "media/CLogger.h"
#include "menus/MenuKit.h"

CMapEntity_MenuButton::CMapEntity_MenuButton(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  menukit::placeWidget(this, x, y, 36);
  setAlpha(1.0f, true);
}

CMapEntity_MenuButton::CMapEntity_MenuButton(const CMapEntity_MenuButton &o) : CCloneable(o), label(o.label) {
  menukit::carry(this, "MAGNET", -5.0f, 5.0f);
  menukit::carry(this, "MAGNET", 210.0f, 10.0f);
  setAlpha(1.0f, true);
}

CMapEntity_MenuButton::~CMapEntity_MenuButton() { CLogger::instance()->log("MENU BUTTON DESTRUCTOR"); }

void CMapEntity_MenuButton::renderAdditional(KGraphic *) {
  menukit::drawCentred("gamefont", label, x, x + 224.0f, y + 15.0f, 0.36f, 0.30f, 0.23f, looks().getAlpha());
}

void CMapEntity_MenuButtonHero::renderAdditional(KGraphic *) {
  menukit::drawCentred("gamefont", label, x, x + labelWidth(), y + 140.0f, 0.0f, 0.39f, 0.51f, looks().getAlpha());
}

void CMapEntity_MenuButtonHero::dropMagnets() { menukit::killCarried(this, menukit::kMagnetID); }

CMapEntity_MenuButtonHero *CMapEntity_MenuButtonMale::clone() {
  CMapEntity_MenuButtonMale *b = new CMapEntity_MenuButtonMale(*this);
  b->label = "ZIVUVOV";
  b->dropMagnets();
  return b;
}

CMapEntity_MenuButtonHero *CMapEntity_MenuButtonFemale::clone() {
  CMapEntity_MenuButtonFemale *b = new CMapEntity_MenuButtonFemale(*this);
  b->label = "HANNAH";
  b->dropMagnets();
  return b;
}
