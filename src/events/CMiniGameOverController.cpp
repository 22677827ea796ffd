#include "events/CMiniGameOverController.h"

#include "events/CMapEntity_MiniGameOver.h"
#include "events/LabIds.h"
#include "media/CFakeTime.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"

void CMiniGameOverController::onBind() {
  if (CMapEntity_MiniGameOver *clock = dynamic_cast<CMapEntity_MiniGameOver *>(entity))
    timer.nastavSpoustec(clock->timeLimit);
  timer.reset();
}

void CMiniGameOverController::update() {
  CMapEntity_MiniGameOver *clock = dynamic_cast<CMapEntity_MiniGameOver *>(entity);
  if (!clock || !collection) return;
  const int32_t left = clock->timeLimit - timer.vratVteriny();
  clock->timeLeft = left < 0 ? 0 : left;

  const uint32_t now = CFakeTime::instance()->ms;
  // A dish that is not fully opaque belongs to a completed set fading out.
  CMapEntity_Game *dish = collection->getEntityByID(kMiskaID);
  if (dish && !frozen && dish->looks().getAlpha() != 1.0f) {
    frozen = 1;
    clockAtFreeze = now;
    limitAtFreeze = clock->timeLimit;
  }
  if (frozen) {
    const int32_t span = (int32_t)(now - clockAtFreeze);
    clock->timeLimit = limitAtFreeze + span;
    // No dish left at all (no generator to build the next set) also lets the clock run on.
    if (!dish || dish->looks().getAlpha() == 1.0f) {
      frozen = 0;
      timer.nastavSpoustec(timer.getSpoustec() + span);
    }
  }

  if (timer.udalost()) {
    CMapEntity_Game *window = CMapEntitiesFactory::instance()->cloneEntity("MINIGAMESUMMARYWINDOW");
    if (!window) return;
    window->setXY(260, 80);
    collection->addEntity(window);
  }
}
