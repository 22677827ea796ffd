#include "menus/CMapEntity_MenuCheckbox.h"

#include "core/CVideoOptions.h"
#include "media/CLogger.h"
#include "menus/MenuKit.h"

CMapEntity_MenuCheckbox::CMapEntity_MenuCheckbox(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  menukit::placeWidget(this, x, y, 0);
  setState(false);
  setAlpha(1.0f, true);
}

CMapEntity_MenuCheckbox::CMapEntity_MenuCheckbox(const CMapEntity_MenuCheckbox &o)
    : CCloneable(o), label(o.label), checked(o.checked) {
  menukit::carry(this, "MAGNET", -5.0f, 7.0f);
  menukit::carry(this, "MAGNET", 27.0f, 7.0f);
  setAlpha(1.0f, true);
}

CMapEntity_MenuCheckbox::~CMapEntity_MenuCheckbox() { CLogger::instance()->log("MENU Checkbox DESTRUCTOR"); }

void CMapEntity_MenuCheckbox::setState(bool on) {
  checked = on ? 1 : 0;
  action();
  if (looks().getSprite()) changeFrameset(on ? "CHECKED" : "UNCHECKED");
  CLogger::instance()->log(on ? "Checking checkbox" : "Unchecking checkbox");
}

void CMapEntity_MenuCheckbox::renderAdditional(KGraphic *) {
  menukit::drawCentred("gamefont", label, x, x + 224.0f, y + 11.0f, 0.0f, 0.39f, 0.51f, looks().getAlpha());
}

CMapEntity_MenuCheckbox *CMapEntity_MenuCheckboxTest::clone() {
  auto *b = new CMapEntity_MenuCheckboxTest(*this);
  b->label = "CHECKBOX";
  return b;
}

CMapEntity_MenuCheckbox *CMapEntity_MenuCheckboxFullscreen::clone() {
  auto *b = new CMapEntity_MenuCheckboxFullscreen(*this);
  b->label = "fullscreen";
  b->setState(CVideoOptions::instance()->vratFullScreen());
  return b;
}

void CMapEntity_MenuCheckboxFullscreen::action() { CVideoOptions::instance()->nastavFullScreen(checked != 0); }
