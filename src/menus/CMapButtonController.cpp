#include "menus/CMapButtonController.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "menus/MenuKit.h"
#include "core/CShopOffer.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Fader.h"

using namespace menukit;

bool CMapButtonController::pointed(bool second) const {
  for (unsigned int id : {kCursorID, kSecondCursorID}) {
    if (id == kSecondCursorID && !second) continue;
    CMapEntity_Game *pointer = collection->getEntityByID(id);
    if (pointer && pointer->hits().isActionCollisionWithEntity(entity)) return true;
  }
  return false;
}

void CMapButtonController::glow(bool second) {
  if (pointed(second)) {
    hovered = 1;
    entity->resetFlash();
  }
  if (hovered) entity->effectFlash(0.1f, 0.35f, true);
}

void CMapButtonController::update() { glow(false); }

void CPlayButtonController::onBind() { fading.clear(); }

bool CPlayButtonController::canBuyPerk() { return CShopOffer::canBuyPerk(engine); }

bool CPlayButtonController::canBuyUpgrade() { return engine && CShopOffer::canBuyUpgrade(engine->getPlayer()); }

void CPlayButtonController::update() {
  glow(false);
  if (CMapEntity_Game *shop = collection->getEntityByID(kShopIconID))
    shop->changeFrameset(canBuyUpgrade() || canBuyPerk() ? "OPEN" : "CLOSED");

  const bool down = entity->hits().isActionCollisionWithEntityID(kCursorID) && KInput::getLeftButtonState();
  if (down && !clicked) {
    if (!canBuyPerk()) {
      clicked = 1;
      playSound("CLICK_BUTTON");
      fading = CMapEntity_Fader::open(collection, true, 1000);
      closeIfOpen(collection, kShopWindowID);
    } else {
      CShopOffer::askForPerk(collection, entity->getX() - 60.0f, entity->getY() - 30.0f, !wasDown);
    }
  }
  wasDown = down;

  CMapEntity_Fader *fader = getFader();
  if (!fader) return;
  fader->fade();
  if (!fader->isComplete()) return;
  if (engine && engine->getLevel()) engine->getLevel()->setLevelOver(true);
  if (CPlayer *player = engine ? engine->getPlayer() : nullptr) {
    player->setPerkBought(false);
    player->setPerkSelected(false);
  }
}

void CMainMenuButtonController::specificHandleMessages(KEvent *ev) {
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1 || !engine) return;
  if (!entity->hits().isActionCollisionWithEntityID(kCursorID) &&
      !entity->hits().isActionCollisionWithEntityID(kSecondCursorID))
    return;
  // Saved first, so the title screen offers to continue from here.
  engine->saveGame();
  engine->resetPlayer();
  engine->setSkipToLevel(0);
}

void CMainMenuButtonController::update() { glow(true); }
