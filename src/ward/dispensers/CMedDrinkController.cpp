#include "ward/dispensers/CMedDrinkController.h"

#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "ward/dispensers/CMapEntity_Automat.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CWorldEngine.h"

void CMedDrinkController::onBind() {
  CClickTargetController::onBind();
  if (CMapEntity_Automat *automat = dynamic_cast<CMapEntity_Automat *>(entity))
    automat->restock->nastavSpoustec(kRestockMs);
}

void CMedDrinkController::update() {
  CClickTargetController::update();
  CMapEntity_Automat *automat = dynamic_cast<CMapEntity_Automat *>(entity);
  if (!automat) return;
  CMapEntity *lamp = automat->getContainedEntity(CMapEntity_Automat::kLightID);
  if (automat->restock->udalost() && !automat->getContainedEntityClass(CMapEntity_Automat::kItemClass)) {
    automat->effectFinishPulse();
    CMapEntity_Game *item = CMapEntitiesFactory::instance()->cloneEntity(automat->itemName);
    automat->addEntity(item, true, true);
    CWorldEngine *host = worldEngine();
    const char *sound = CMapEntity_DrinkClass::pickupSound(item->getEntityID());
    if (sound && host && host->getSoundEngine()) host->getSoundEngine()->playSound(sound);
    item->setXOffset(automat->itemX, false);
    item->setYOffset(automat->itemY, false);
    stocked = 1;
    if (lamp) {
      lamp->changeFrameset("GREEN");
      lamp->zapniAnimace();
    }
  }
  if (stocked && !automat->getContainedEntityClass(CMapEntity_Automat::kItemClass)) {
    if (lamp) lamp->changeFrameset("RED");
    stocked = 0;
    automat->restock->reset();
  }
}
