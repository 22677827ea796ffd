#include "progress/CHelpWindowController.h"

#include "engine/KEvent.h"
#include "media/CGlobals.h"
#include "media/CSoundEngine.h"
#include "progress/CMapEntity_WindowClass.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Game.h"
#include "world/CWorldEngine.h"

namespace {
const unsigned short kNotebookClass = 33;
}

void CHelpWindowController::onBind() {
  if (entity) entity->looks().effectIntegrateReset();
  CGlobals::instance()->paused = false;
}

// Key presses carry no button, so only the left mouse button closes the window.
void CHelpWindowController::specificHandleMessages(KEvent *ev) {
  if (!ev) return;
  if ((ev->type == K_EVENT_MOUSEDOWN || ev->type == K_EVENT_KEYDOWN_FIRST) && ev->button == 1) closeRequested = 1;
}

void CHelpWindowController::update() {
  if (!entity) return;
  if (CMapEntity *notebook = entity->getContainedEntityClass(kNotebookClass)) {
    notebook->effectIntegrate(0.05f);
    if (notebook->looks().getZoom() == 1.0f) CGlobals::instance()->paused = true;
  }
  if (!closeRequested) return;
  closeRequested = 0;
  CGlobals::instance()->paused = false;
  CWorldEngine *host = worldEngine();
  CMapEntity_WindowClass *window = dynamic_cast<CMapEntity_WindowClass *>(entity);
  if (window && window->getEndLevel() && host && host->getLevel()) host->getLevel()->setLevelOver(true);
  if (CMapEntitiesCollection *ec = collection) ec->unfocus(nullptr);
  killEntity();
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound("PANEL_DISAPPEAR");
}
