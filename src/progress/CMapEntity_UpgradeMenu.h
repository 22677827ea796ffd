#pragma once
#include <cstdint>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class CMapEntity_UpgradeClass;

// The shop window: its rows, a close box and the basket of the click being served. A sale moves
// the basket into the player's record and takes its price from the bank.
class CMapEntity_UpgradeMenu : public CCloneable<CMapEntity_UpgradeMenu, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // An empty basket and a close box of its own.
  CMapEntity_UpgradeMenu(const CMapEntity_UpgradeMenu &other);

  void renderAdditional(KGraphic *g) override;

  void countBasketPrice();
  // A toggle: true when the row went in (or a perk could not), false when it was taken out.
  bool addToBasket(CMapEntity_UpgradeClass *row);
  void deleteFromBasket(unsigned short entityID);
  void getUpgradesFromPlayer();
  // False, changing nothing, when the bank does not reach the basket's price.
  bool sellUpgradesToPlayer();

  const std::vector<CMapEntity_UpgradeClass *> &getBasket() const { return basket; }
  int32_t getPriceSum() const { return priceSum; }

private:
  // The rows are carried by the window; the basket only points at them.
  std::vector<CMapEntity_UpgradeClass *> basket;
  int32_t priceSum = 0;
};

// The map's cart icon that opens and closes the shop.
class CMapEntity_Upgrade : public CCloneable<CMapEntity_Upgrade, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  void renderAdditional(KGraphic *) override {}
};
