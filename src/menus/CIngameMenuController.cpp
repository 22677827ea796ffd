#include "menus/CIngameMenuController.h"

#include "core/CEngine.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "menus/MenuKit.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/EntityIds.h"

using namespace menukit;

namespace {
bool g_holdsPause = false;

bool alive(CMapEntity_Game *e) { return e && !e->getKill() && e->closing == 0; }
} // namespace

bool CIngameMenuController::holdsPause() { return g_holdsPause; }

bool CIngameMenuController::panelOpen() const {
  return alive(collection->getEntityByID(kIngameMenuID)) || alive(collection->getEntityByID(kOptionsIngameID));
}

void CIngameMenuController::open(Path path) {
  if (path != Path::StatusBar) closeIfOpen(collection, kHelpWindowID);
  CMapEntity_Game *panel = menukit::open(collection, "INGAMEMENU", 260.0f, 100.0f);
  if (!panel) return;
  collection->focus(panel, nullptr);
  if (CMapEntity_Game *bar = collection->getEntityByID(kStatusBarID))
    if (auto *button = static_cast<CMapEntity_Game *>(bar->getContainedEntity(kStatusMenuID)))
      collection->focusAdd(button, nullptr);
  // The keys entity keeps its input, or Space and Escape could open the menu but never close it.
  collection->focusAdd(collection->getEntityByID(kKeysID), nullptr);
  if (path != Path::Deactivated) playSound("PANEL_APPEAR");
  CGlobals::instance()->paused = true;
  g_holdsPause = true;
  if (path == Path::StatusBar) CEngine::setWinFocus(true);
}

void CIngameMenuController::resume() {
  CGlobals::instance()->paused = false;
  g_holdsPause = false;
  collection->unfocus(nullptr);
}

void CIngameMenuController::update() {
  // However the panels went, the day goes on once they are gone.
  if (g_holdsPause && !panelOpen()) {
    CGlobals::instance()->paused = false;
    g_holdsPause = false;
  }
}

void CKeysIngameController::onBind() { g_holdsPause = false; }

void CKeysIngameController::specificHandleMessages(KEvent *ev) {
  if (ev->type != K_EVENT_KEYDOWN_FIRST || (ev->ptkKey != K_VK_SPACE && ev->ptkKey != K_VK_ESCAPE)) return;
  CMapEntity_Game *menu = collection->getEntityByID(kIngameMenuID);
  CMapEntity_Game *options = collection->getEntityByID(kOptionsIngameID);
  if (!menu && !options) {
    open(Path::Keys);
    return;
  }
  for (CMapEntity_Game *panel : {menu, options}) {
    if (!panel) continue;
    panel->setKill(true);
    playSound("PANEL_DISAPPEAR");
  }
  resume();
}

void CKeysIngameController::update() {
  CIngameMenuController::update();
  if (CEngine::getWinFocus()) return;
  if (collection->getEntityByID(kIngameMenuID) || collection->getEntityByID(kOptionsIngameID)) return;
  CEngine::setWinFocus(true);
  open(Path::Deactivated);
}

void CStatusMenuController::onBind() {
  CMapEntity_FrontaAkci::require(collection);
}

void CStatusMenuController::specificHandleMessages(KEvent *ev) {
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  CMapEntity_Game *pointer = cursor(collection);
  if (!pointer || !pointer->hits().isActionCollisionWithEntity(entity)) return;
  CMapEntity_Game *menu = collection->getEntityByID(kIngameMenuID);
  CMapEntity_Game *options = collection->getEntityByID(kOptionsIngameID);
  if (!menu && !options) {
    open(Path::StatusBar);
    return;
  }
  for (CMapEntity_Game *panel : {menu, options}) {
    if (!panel) continue;
    panel->closing = 1;
    playSound("PANEL_DISAPPEAR");
  }
  CEngine::setWinFocus(true);
  resume();
}

void CStatusMenuController::update() {
  CIngameMenuController::update();
  CMapEntity_Game *pointer = cursor(collection);
  if (pointer && pointer->hits().isActionCollisionWithEntity(entity)) {
    hovered = 1;
    entity->resetFlash();
  }
  if (hovered) entity->effectFlash(0.1f, 0.35f, true);
}
