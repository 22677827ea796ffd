#include "progress/CMapStarController.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "media/CSoundEngine.h"
#include "core/CShopOffer.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Fader.h"
#include "world/kinds/EntityIds.h"

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
      fading = CMapEntity_Fader::open(collection, true, 1000);
      if (CMapEntity_Game *shop = collection->getEntityByID(kShopWindowID)) shop->setKill(true);
    } else {
      CShopOffer::askForPerk(collection, entity->getX() - 60.0f, entity->getY() - 30.0f, fresh);
    }
  }

  CMapEntity_Fader *fader = getFader();
  if (!fader) return;
  fader->fade();
  if (!fader->isComplete()) return;
  if (engine && engine->getLevel()) engine->getLevel()->setLevelOver(true);
  if (engine && engine->getPlayer()) {
    engine->getPlayer()->setPerkBought(false);
    engine->getPlayer()->setPerkSelected(false);
  }
}
