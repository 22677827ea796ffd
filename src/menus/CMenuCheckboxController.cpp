#include "menus/CMenuCheckboxController.h"

#include "engine/KEvent.h"
#include "menus/CMapEntity_MenuCheckbox.h"
#include "menus/MenuKit.h"

void CMenuCheckboxController::update() { menukit::hover(collection, entity, hovered); }

void CMenuCheckboxController::specificHandleMessages(KEvent *ev) {
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1 || !menukit::underCursor(collection, entity)) return;
  auto *box = dynamic_cast<CMapEntity_MenuCheckbox *>(entity);
  if (!box) return;
  box->setState(!box->getState());
  menukit::playSound("CLICK_BUTTON");
}
