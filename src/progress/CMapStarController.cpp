#include "progress/CMapStarController.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "media/CFatal.h"
#include "media/CSoundEngine.h"
#include "core/CShopOffer.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Fader.h"
#include "world/kinds/EntityIds.h"

namespace {

CMapEntity_Game *placed(const char *prototype, float x, float y) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(prototype);
  if (e) e->setXY(x, y);
  return e;
}
} // namespace

void CMapStarController::update() {
  if (!entity || !collection) return;
  CMapEntity_Game *pointer = collection->getEntityByID(kCursorID);
  if (pointer && pointer->hits().isActionCollisionWithEntity(entity)) {
    hovered = 1;
    entity->resetFlash();
  }
  if (hovered) entity->effectFlash(0.1f, 0.35f, true);

  const bool down = entity->hits().isActionCollisionWithEntityID(kCursorID) && KInput::getLeftButtonState();
  const bool fresh = !wasDown;
  wasDown = down;
  if (down && !pressed) {
    if (!CShopOffer::canBuyPerk(engine)) {
      pressed = 1;
      if (engine && engine->getSoundEngine()) engine->getSoundEngine()->playSound("CLICK_BUTTON");
      CMapEntity_Game *made = placed("FADER", 0.0f, 0.0f);
      fader = dynamic_cast<CMapEntity_Fader *>(made);
      if (!fader) {
        delete made;
        fatalError("Entity FADER is not a fader, exit", -1);
      }
      collection->addEntity(fader);
      fader->setSmer(true);
      fader->setTimeLimit(1000);
      if (CMapEntity_Game *shop = collection->getEntityByID(kShopWindowID)) shop->setKill(true);
    } else {
      CShopOffer::askForPerk(collection, entity->getX() - 60.0f, entity->getY() - 30.0f, fresh);
    }
  }

  if (!fader) return;
  fader->fade();
  if (!fader->isComplete()) return;
  if (engine && engine->getLevel()) engine->getLevel()->setLevelOver(true);
  if (engine && engine->getPlayer()) {
    engine->getPlayer()->setPerkBought(false);
    engine->getPlayer()->setPerkSelected(false);
  }
}
