#include "progress/CUpgradeMenuController.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "media/Timer.h"
#include "progress/CMapEntity_UpgradeClass.h"
#include "progress/CMapEntity_UpgradeMenu.h"
#include "progress/ShopKit.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/EntityIds.h"

using namespace shopkit;

namespace {
struct TRowPlace {
  const char *name;
  float dx;
  float dy;
};

const TRowPlace kUpgradeRows[] = {
    {"UPGRADEMEDS1", 30, 140}, {"UPGRADECHARISMA", 30, 190}, {"UPGRADEDIAGNOSTIC", 30, 240}, {"UPGRADESPEED", 30, 290}};
const TRowPlace kPerkRows[] = {
    {"PERKCURETOUCH", 111, 416}, {"PERKBURST", 38, 413}, {"PERKLUCK", 186, 414}, {"PERKVIRUS", 260, 410}};

void addRow(CMapEntity_Game *window, const TRowPlace &place) {
  auto *row = dynamic_cast<CMapEntity_UpgradeClass *>(CMapEntitiesFactory::instance()->cloneEntity(place.name));
  if (!row) return;
  row->setupPuntiky();
  window->addEntity(row, true, true);
  row->setXOffset(place.dx, false);
  row->setYOffset(place.dy, false);
  row->syncWithParentPosition();
}

// Perks are on offer on a perk day that has not had one and before one is bought today.
bool perksOnOffer(CEngine *e, CPlayer *p) {
  CLevel_Game *level = e ? e->getLevel() : nullptr;
  return level && p && level->getPerks() && !p->bylPerkLevel(e->getSoucasnyLevel()) && !p->getPerkBought();
}
} // namespace

CUpgradeMenuController::~CUpgradeMenuController() {
  if (CPlayer *p = player()) p->setPerkSelected(false);
}

void CUpgradeMenuController::onBind() {
  auto *window = dynamic_cast<CMapEntity_UpgradeMenu *>(entity);
  if (!window) return;
  for (const TRowPlace &place : kUpgradeRows) addRow(window, place);
  CPlayer *p = player();
  if (perksOnOffer(engine, p)) {
    for (const TRowPlace &place : kPerkRows) {
      CMapEntity_Game *proto = CMapEntitiesFactory::instance()->najdiEntity(place.name);
      if (proto && !p->basketContains((unsigned short)proto->getEntityID())) addRow(window, place);
    }
  } else {
    addRow(window, {"PERKSAREA", 38, 413});
  }
  window->getUpgradesFromPlayer();
  // The rows come after the opener shared out the focus: they follow the window's, so a shop
  // tip that took it from the window keeps the BUY buttons from taking clicks.
  window->setFocus(window->getFocus());
}

void CUpgradeMenuController::perkChosen() {
  chosen = true;
  timer.reset();
}

void CUpgradeMenuController::update() {
  if (!chosen || !entity || !timer.udalost()) return;
  const std::vector<CMapEntity *> &carried = entity->carrying().getContainedList();
  for (size_t i = 1; i < carried.size(); ++i) {
    auto *row = dynamic_cast<CMapEntity_UpgradeClass *>(carried[i]);
    if (row && row->perk) row->bought = 1;
  }
}

void CUpgradeController::update() {
  if (entity) glow(entity, underCursor(collection, entity), true);
}

void CUpgradeController::specificHandleMessages(KEvent *ev) {
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1 || !underCursor(collection, entity)) return;
  playSound("CLICK_BUTTON");
  CMapEntity_Game *window = collection->getEntityByID(kShopWindowID);
  if (!window) {
    window = open(collection, "UPGRADEMENU", 220, 60);
    collection->focus(window, nullptr);
    collection->focusAdd(collection->getEntityByID(kShopButtonID), nullptr);
    collection->focusAdd(collection->getEntityByID(kPlayButtonID), nullptr);
    CPlayer *p = player();
    if (p && p->getShopHint() == 0) {
      CMapEntity_Game *tip = open(collection, "TIPSHOP", 0, 425);
      collection->unfocus(nullptr);
      collection->focus(tip, nullptr);
    }
    return;
  }
  window->setKill(true);
  // Both shop tips speak of the shop: they go with it.
  for (unsigned int id : {kShopTipID, kTipShopPerkID})
    if (CMapEntity_Game *tip = collection->getEntityByID(id)) tip->setKill(true);
  collection->unfocus(nullptr);
}
