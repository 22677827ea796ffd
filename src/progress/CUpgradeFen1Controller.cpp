#include "progress/CUpgradeFen1Controller.h"

#include "core/CPlayer.h"
#include "core/CUpgradeCatalogue.h"
#include "engine/KEvent.h"
#include "progress/CMapEntity_UpgradeClass.h"
#include "progress/CMapEntity_UpgradeMenu.h"
#include "progress/CUpgradeMenuController.h"
#include "progress/ShopKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/EntityIds.h"

using namespace shopkit;

namespace {
bool leftPress(const KEvent *ev) { return ev->type == K_EVENT_MOUSEDOWN && ev->button == 1; }

// Whether the player's copy leaves a further star to buy; a perk's copy never does.
bool furtherStar(const TBasketItem &copy) {
  const TUpgradeInfo *info = CUpgradeCatalogue::najdi(copy.entityID);
  if (!info || info->perk) return false;
  return (long)copy.starIndex + 2 < (long)info->prices.size();
}

CMapEntity_UpgradeMenu *windowOf(CMapEntity *row) {
  CMapEntity *carrier = row ? row->carrying().getParent() : nullptr;
  if (!carrier || carrier->getEntityID() != kShopWindowID) return nullptr;
  return dynamic_cast<CMapEntity_UpgradeMenu *>(carrier);
}

// After a sale the rows that went into the basket leave it again.
void emptyBasket(CMapEntitiesCollection *c) {
  auto *window = dynamic_cast<CMapEntity_UpgradeMenu *>(c->getEntityByID(kShopWindowID));
  if (!window) return;
  const std::vector<CMapEntity *> carried = window->carrying().getContainedList();
  for (size_t i = 1; i < carried.size(); ++i) {
    auto *row = dynamic_cast<CMapEntity_UpgradeClass *>(carried[i]);
    if (!row || !row->getAktivni()) continue;
    row->setAktivni(false);
    row->setRGB(1.0f, 1.0f, 1.0f, false);
    window->addToBasket(row);
  }
}
} // namespace

void CUpgradeFen1Controller::synchronise(bool retire) {
  auto *row = dynamic_cast<CMapEntity_UpgradeClass *>(entity);
  CPlayer *p = player();
  TBasketItem *copy = (row && p) ? p->basketContains((unsigned short)row->getEntityID()) : nullptr;
  if (!copy) return;
  row->setStarIndex((int)copy->starIndex + 1);
  if (!retire || furtherStar(*copy)) return;
  row->setAktivni(false);
  row->setRGB(1.0f, 1.0f, 1.0f, false);
  if (CMapEntity_UpgradeMenu *window = windowOf(row)) window->deleteFromBasket((unsigned short)row->getEntityID());
}

void CUpgradeFen1Controller::onBind() {
  if (!entity) return;
  entity->setAlpha(1.0f, true);
  synchronise(false);
}

void CUpgradeFen1Controller::update() {
  auto *row = dynamic_cast<CMapEntity_UpgradeClass *>(entity);
  if (!row) return;
  const bool under = underCursor(collection, row);
  glow(row, under && row->perk, false);
  if (CMapEntity *help = row->getContainedEntity(kUpgradeHelpID)) help->looks().setVisible(under);
  synchronise(true);
  if (row->bought) row->changeAlpha(-0.02f, false);
  if (row->looks().getAlpha() == 0.0f) row->setKill(true);
}

void CUpgradeFen1Controller::specificHandleMessages(KEvent *ev) {
  auto *row = dynamic_cast<CMapEntity_UpgradeClass *>(entity);
  CPlayer *p = player();
  if (!row || !p || !leftPress(ev) || !underCursor(collection, row)) return;
  if (row->getEntityID() == kPerksAreaID || !row->perk || p->getPerkSelected() || p->getPerkBought()) return;
  CMapEntity *carrier = row->carrying().getParent();
  if (!carrier) return;
  if (auto *windowBehaviour = dynamic_cast<CUpgradeMenuController *>(carrier->getController()))
    windowBehaviour->perkChosen();
  row->setAktivni(true);
  TBasketItem *copy = p->basketContains((unsigned short)row->getEntityID());
  CMapEntity_UpgradeMenu *window = windowOf(row);
  if ((!copy || furtherStar(*copy)) && window) window->addToBasket(row);
  if (auto *sellingWindow = dynamic_cast<CMapEntity_UpgradeMenu *>(carrier))
    if (sellingWindow->sellUpgradesToPlayer()) playSound("PERK_ACTIVATE");
  emptyBasket(collection);
}

void CUpgradeOKController::update() {
  if (entity) glow(entity, underCursor(collection, entity), true);
}

void CUpgradeOKController::specificHandleMessages(KEvent *ev) {
  if (!entity || !leftPress(ev)) return;
  auto *row = dynamic_cast<CMapEntity_UpgradeClass *>(entity->carrying().getParent());
  // Without a row the button has nothing to sell nor to put aside.
  if (!row) return;
  if (!underCursor(collection, entity)) {
    row->setAktivni(false);
    return;
  }
  CPlayer *p = player();
  if (!p) return;
  TBasketItem *copy = p->basketContains((unsigned short)row->getEntityID());
  CMapEntity_UpgradeMenu *window = windowOf(row);
  bool starAdded = false;
  if ((!copy || furtherStar(*copy)) && window) {
    starAdded = true;
    window->addToBasket(row);
    row->setAktivni(true);
  }
  auto *seller = dynamic_cast<CMapEntity_UpgradeMenu *>(row->carrying().getParent());
  if (seller && seller->sellUpgradesToPlayer() && starAdded) {
    playSound("PERK_ACTIVATE");
    for (int i = 0; i < 15; ++i) carry(row, "STARPARTICLE", 65.0f + 23.0f * (float)row->starIndex, 15.0f);
  }
  emptyBasket(collection);
}

void CUpgradeCancelController::specificHandleMessages(KEvent *ev) {
  if (!entity || !leftPress(ev)) return;
  if (!underCursor(collection, entity)) {
    entity->setAktivni(false);
    return;
  }
  entity->setAktivni(true);
  if (entity->carrying().getParent()) closeRequested = true;
}

void CUpgradeCancelController::update() {
  if (closeRequested && entity && entity->carrying().getParent()) entity->carrying().getParent()->setKill(true);
}
