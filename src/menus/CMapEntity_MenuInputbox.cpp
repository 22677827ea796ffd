#include "menus/CMapEntity_MenuInputbox.h"

#include "core/CProfiles.h"
#include "media/CLogger.h"
#include "menus/MenuKit.h"

CMapEntity_MenuInputbox::CMapEntity_MenuInputbox(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  approachX = 32;
  approachY = 50;
  setAlpha(1.0f, true);
}

CMapEntity_MenuInputbox::CMapEntity_MenuInputbox(const CMapEntity_MenuInputbox &o)
    : CCloneable(o), text(o.text), maxLength(o.maxLength), editing(o.editing) {
  menukit::carry(this, "MAGNET", -5.0f, 10.0f);
  menukit::carry(this, "MAGNET", 210.0f, 5.0f);
  setAlpha(1.0f, true);
}

CMapEntity_MenuInputbox::~CMapEntity_MenuInputbox() { CLogger::instance()->log("MENU Inputbox DESTRUCTOR"); }

void CMapEntity_MenuInputbox::renderAdditional(KGraphic *) {
  menukit::drawCentred("gamefont", editing ? text + "_" : text, x, x + 224.0f, y + 15.0f, 0.36f, 0.30f, 0.23f,
                       looks().getAlpha());
}

CMapEntity_MenuInputboxName::CMapEntity_MenuInputboxName(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  maxLength = (uint32_t)CProfiles::kMaxName + 1;
  previousText = text;
}
