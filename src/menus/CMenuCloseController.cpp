#include "menus/CMenuCloseController.h"

#include "core/CEngine.h"
#include "engine/KEvent.h"
#include "media/CGlobals.h"
#include "menus/CMapEntity_MenuQuestionWindow.h"
#include "menus/MenuKit.h"
#include "world/CMapEntitiesCollection.h"

using namespace menukit;

void CMenuCloseController::specificHandleMessages(KEvent *ev) {
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1 || !underCursor(collection, entity)) return;
  playSound("CLICK_BUTTON");
  closeRequested = 1;
}

void CMenuCloseController::update() {
  hover(collection, entity, hovered);
  if (closeRequested) close(static_cast<CMapEntity_Game *>(entity->carrying().getParent()));
  closeRequested = 0;
}

void CMenuCloseController::close(CMapEntity_Game *panel) {
  if (!panel) return;
  const unsigned int id = panel->getEntityID();
  const unsigned int cls = panel->getEntityClassID();
  if (id == kMainMenuID) openModal(collection, "MENUQUESTIONWINDOWQUIT", 261.0f, 200.0f);
  if (id == kOptionsIngameID) {
    panel->setKill(true);
    open(collection, "INGAMEMENU", 260.0f, 100.0f);
  }
  if (id == kOptionsID || id == kPlayerMenuID) panel->setKill(true);
  if (id == kProfilesID) {
    panel->setKill(true);
    collection->unfocus(nullptr);
  }
  if (id == kShopWindowID) {
    panel->setKill(true);
    closeIfOpen(collection, kShopTipID);
    // The choose-a-perk reminder speaks of the shop: it goes with it.
    closeIfOpen(collection, kTipShopPerkID);
    collection->unfocus(nullptr);
  }
  if (id == kIngameMenuID) {
    collection->unfocus(nullptr);
    panel->closing = 1;
    playSound("PANEL_DISAPPEAR");
    CGlobals::instance()->paused = false;
    CEngine::setWinFocus(true);
  }
  if (cls == kQuestionClass || cls == kMessageClass) {
    if (auto *modal = dynamic_cast<CMenuModal *>(panel))
      modal->dismiss(collection);
    else {
      panel->setKill(true);
      collection->unfocus(nullptr);
    }
  }
}
