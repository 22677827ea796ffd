#include "core/CStavHry_Hra.h"

#include "core/CEngine.h"
#include "core/CVideoOptions.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "engine/KPTK.h"
#include "engine/KWindow.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Fader.h"
#include "world/kinds/Links.h"

CStavHry_Hra::CStavHry_Hra(std::string name) : CStavHry(std::move(name)), timer3000(nullptr) {}

CStavHry_Hra::~CStavHry_Hra() { delete timer3000; }

void CStavHry_Hra::init(CEngine *e) {
  initVirtual();
  engine = e;
  e->startPlay();
  CGlobals::instance()->randomizeWind();
  e->restartGame();
  CLevelList *list = e->progression().getLevelList();
  levelName = list ? list->getLevel(e->getSoucasnyLevel()) : std::string();
  delete timer3000;
  timer3000 = new Timer(3000, false);
  active = 1;
}

void CStavHry_Hra::gameLogic_do() {
  engine->checkNextLevel();
  engine->trySkipLevel();
}

void CStavHry_Hra::update() {
  if (closed || !engine) return;
  if (CLevel_Game *level = engine->getLevel()) {
    level->update(engine->getSoucasnyLevel(), true);
    if (CEngine::drawsLevel()) level->render(engine->getSoucasnyLevel(), true, backbuffer);
  }
  engine->frameClock().markUpdated();
  // Before the level change: a level just built shows a notice once it has had its first update
  // (its behaviours bound, its fade begun).
  showNotice();
  gameLogic_do();
  // Debug logging covers start-up and the first frame only.
  if (debug) debug = 0;
  // The flip takes in the window's events; undrawn, they come in at the same point.
  if (myWindow && CEngine::drawsLevel())
    myWindow->flipBackBuffer(true, true);
  else if (myWindow)
    myWindow->processEvents();
  engine->frameClock().countFrame();
}

namespace {
// A fade's black cover lies over everything: a window under it could be neither seen nor
// answered, and would hold the fade (and so the level) still while it waits.
bool underFade(CMapEntitiesCollection *c) {
  for (CMapEntity_Game *e : *c->getEntitiesPtr())
    if (auto *fader = dynamic_cast<CMapEntity_Fader *>(e))
      if (!fader->isComplete() || fader->getCoverAlpha() > 0.0f) return true;
  return false;
}
} // namespace

void CStavHry_Hra::showNotice() {
  CLevel_Game *level = engine->getLevel();
  CMessageWindowLink *window = TLink<CMessageWindowLink>::get();
  if (loading || !level || !window || engine->progression().getNotices().empty() || window->isOpen(level->getEC()) ||
      underFade(level->getEC()))
    return;
  window->open(level->getEC(), engine->progression().getNotices().take());
}

void CStavHry_Hra::handleMessages(KEvent *event) {
  if (loading || !event || !engine) return;
  if (event->type == K_EVENT_KEYDOWN_FIRST && event->ptkKey == K_VK_F1) {
    // Saved only when an options panel closes.
    CVideoOptions *video = CVideoOptions::instance();
    video->nastavFullScreen(!video->vratFullScreen());
    video->aplikuj();
  }
  if (engine->getLevel()) engine->getLevel()->handleMessages(event);
  bylKlik = 0;
}

void CStavHry_Hra::close() {
  closeVirtual();
  if (!engine) return;
  engine->endPlay();
  delete timer3000;
  timer3000 = nullptr;
}
