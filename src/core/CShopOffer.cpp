#include "core/CShopOffer.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "core/CUpgradeCatalogue.h"
#include "world/CEntityKit.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/EntityIds.h"

const unsigned short CShopOffer::kPerkIDs[4] = {270, 274, 296, 308};

bool CShopOffer::canBuyPerk(CEngine *engine) {
  if (!engine || !engine->getLevel() || !engine->getPlayer()) return false;
  CPlayer *player = engine->getPlayer();
  if (!engine->getLevel()->getPerks() || player->getPerkBought()) return false;
  if (player->bylPerkLevel(engine->getSoucasnyLevel())) return false;
  for (unsigned short id : kPerkIDs)
    if (!player->basketContains(id)) return true;
  return false;
}

bool CShopOffer::canBuyUpgrade(CPlayer *player) {
  if (!player) return false;
  bool result = false;
  for (const TBasketItem &item : player->getBasket()) {
    const TUpgradeInfo *info = CUpgradeCatalogue::najdi(item.entityID);
    if (!info || info->perk) continue;
    // A basket record holds stars owned minus 1, so its next star is element starIndex + 2.
    const size_t next = (size_t)item.starIndex + 2;
    const int price = next < info->prices.size() ? info->prices[next] : -1;
    if (price > 0 && price <= player->getMoney()) result = true;
  }
  static const unsigned short kBaseUpgrades[4] = {kDiagnosticUpgradeID, kMedsUpgradeID, kCharismaUpgradeID, kSpeedUpgradeID};
  for (unsigned short id : kBaseUpgrades)
    if (!player->basketContains(id)) return result || player->getMoney() > 699;
  return result;
}

void CShopOffer::askForPerk(CMapEntitiesCollection *c, float x, float y, bool freshPress) {
  if (!c) return;
  if (!c->getEntityByID(kShopWindowID)) {
    CMapEntity_Game *shop = entitykit::open(c, "UPGRADEMENU", 240.0f, 60.0f);
    if (!shop) return;
    c->focus(shop, nullptr);
    // The map may lack any of them. The star keeps the focus too, so that a press on it while
    // the shop stands open can say why it does not lead on.
    for (unsigned int id : {kShopButtonID, kPlayButtonID, kMapStarID})
      if (CMapEntity_Game *e = c->getEntityByID(id)) c->focusAdd(e, nullptr);
    entitykit::open(c, "TIPSHOPPERK", 0.0f, 10.0f);
    return;
  }
  if (!freshPress) return;
  entitykit::refusal(c, x, y, "Choose a perk first!");
  if (!c->getEntityByID(kTipShopPerkID)) entitykit::open(c, "TIPSHOPPERK", 0.0f, 10.0f);
}
