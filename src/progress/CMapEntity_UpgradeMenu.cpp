#include "progress/CMapEntity_UpgradeMenu.h"

#include <algorithm>
#include <string>

#include "core/CPlayer.h"
#include "engine/KText.h"
#include "progress/CMapEntity_UpgradeClass.h"
#include "progress/ShopKit.h"

using namespace shopkit;

CMapEntity_UpgradeMenu::CMapEntity_UpgradeMenu(const CMapEntity_UpgradeMenu &o)
    : CCloneable(o), priceSum(o.priceSum) {
  carry(this, "MENUCLOSE", 314, 10);
}

void CMapEntity_UpgradeMenu::countBasketPrice() {
  int64_t sum = 0;
  for (CMapEntity_UpgradeClass *row : basket) sum += row->basketPrice();
  priceSum = sum > INT32_MAX ? INT32_MAX : (int32_t)sum;
}

bool CMapEntity_UpgradeMenu::addToBasket(CMapEntity_UpgradeClass *row) {
  CPlayer *p = player();
  for (auto it = basket.begin(); it != basket.end(); ++it) {
    if ((*it)->getEntityID() != row->getEntityID() || (*it)->starIndex != row->starIndex) continue;
    if (row->perk && p) p->setPerkSelected(false);
    basket.erase(it);
    countBasketPrice();
    return false;
  }
  if (!row->perk) {
    basket.push_back(row);
  } else if (p && !p->getPerkSelected() && row->getAktivni()) {
    basket.push_back(row);
    p->setPerkSelected(true);
  }
  countBasketPrice();
  return true;
}

void CMapEntity_UpgradeMenu::deleteFromBasket(unsigned short entityID) {
  basket.erase(std::remove_if(basket.begin(), basket.end(),
                              [entityID](CMapEntity_UpgradeClass *r) { return (unsigned short)r->getEntityID() == entityID; }),
               basket.end());
}

void CMapEntity_UpgradeMenu::getUpgradesFromPlayer() { basket.clear(); }

bool CMapEntity_UpgradeMenu::sellUpgradesToPlayer() {
  countBasketPrice();
  CPlayer *p = player();
  if (!p || p->getMoney() < priceSum) return false;
  std::vector<TBasketItem> &owned = p->getBasket();
  for (CMapEntity_UpgradeClass *row : basket) {
    const uint32_t id = row->getEntityID();
    const uint32_t star = (uint32_t)row->starIndex;
    owned.erase(std::remove_if(owned.begin(), owned.end(),
                               [id, star](const TBasketItem &b) { return b.entityID == id && b.starIndex != star; }),
                owned.end());
  }
  for (CMapEntity_UpgradeClass *row : basket) {
    owned.push_back({row->getEntityID(), (uint32_t)row->starIndex});
    if (row->perk) {
      row->bought = 1;
      p->setPerkBought(true);
    }
  }
  p->changeMoney(-priceSum);
  return true;
}

void CMapEntity_UpgradeMenu::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  KText *f = font("gamefont");
  if (!f) return;
  const long lx = (long)x;
  const long ly = (long)y;
  f->setColor(0.0f, 0.39f, 0.51f, 1.0f);
  f->drawStringCentered("UPGRADES", lx + 12, lx + 350, ly + 38, 0.0f);
  f->drawStringCentered("UPGRADES", lx + 13, lx + 351, ly + 38, 0.0f);
  f->drawStringCentered("PERKS", lx + 12, lx + 350, ly + 388, 0.0f);
  f->drawStringCentered("PERKS", lx + 13, lx + 351, ly + 388, 0.0f);
  CPlayer *p = player();
  const std::string money = "$" + std::to_string(p ? p->getMoney() : 0);
  f->drawStringFromRight(money.c_str(), lx + 265, ly + 76, 0.0f);
  f->drawStringFromLeft("Money", lx + 86, ly + 76, 0.0f);
  f->setColor(0.0f, 0.0f, 0.0f, 1.0f);
}
