#include "progress/CMapEntity_WindowClass.h"

#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"

CMapEntity_Game *CMapEntity_WindowClass::carry(const char *prototype, float dx, float dy) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(prototype);
  addEntity(e, true, true);
  e->setXOffset(dx, false);
  e->setYOffset(dy, false);
  e->syncWithParentPosition();
  return e;
}

void CMapEntity_WindowClass::carryTextBox(float dx, float dy, int wrapWidth) {
  CMapEntity_Game *box = carry("TEXTBOX", dx, dy);
  if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(box)) {
    t->boxWidth = wrapWidth;
    t->fontName = "gamefont";
  }
}

CMapEntity_HelpWindow::CMapEntity_HelpWindow(const CMapEntity_HelpWindow &o) : CCloneable(o) {
  // The dark screen keeps its own place: it covers the whole screen wherever the window stands.
  CMapEntity_Game *dark = CMapEntitiesFactory::instance()->cloneEntity("DARKSCREEN");
  addEntity(dark, true, true);
  carry("SESIT", 0, 0);
  carryTextBox(73, 90, 150);
  endLevel = 0;
  setSortZ(7, false);
}

CMapEntity_SummaryWindow::CMapEntity_SummaryWindow(const CMapEntity_SummaryWindow &o) : CCloneable(o) {
  CMapEntity_Game *dark = CMapEntitiesFactory::instance()->cloneEntity("DARKSCREEN");
  addEntity(dark, true, true);
  CMapEntity_Game *sesit = CMapEntitiesFactory::instance()->cloneEntity("SUMMARYSESIT");
  addEntity(sesit, true, true);
  carryTextBox(40, 250, 210);
  endLevel = 0;
}
