#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// One offer of the shop (`kShopItemClass`): an upgrade sold star by star or a one-off perk. On a
// row the star index is the number of stars owned; the player's basket keeps stars owned minus 1.
class CMapEntity_UpgradeClass : public CCloneable<CMapEntity_UpgradeClass, CMapEntity_Game> {
public:
  CMapEntity_UpgradeClass(unsigned short x, unsigned short y, bool solid);
  // A copy of a perk leaves the price list empty; carried children are not copied.
  CMapEntity_UpgradeClass(const CMapEntity_UpgradeClass &other);

  // The next star's price, red when the bank does not reach it.
  void renderAdditional(KGraphic *g) override;

  // Prices and perk flag of the upgrade with this entity ID in the catalogue.
  void takeCatalogueEntry();
  // BUY button, star dots and help bubble, from the row's current state.
  void setupPuntiky();
  // Capped at the last star; then the dots and the BUY button follow.
  void setStarIndex(int value);
  // The next star's price, -1 when no further star exists.
  int nextPrice() const;
  // What the row costs in a basket: a perk, or a row with no star left, costs nothing.
  int basketPrice() const;
  // Dots filled up to the star index; the BUY button goes once no star is left or affordable.
  void refresh();

  std::vector<int32_t> prices;
  int32_t starIndex = 0;
  int32_t perk = 0;
  std::string upgradeText;
  int32_t bought = 0;
};

class CMapEntity_UpgradeMeds1 : public CCloneable<CMapEntity_UpgradeMeds1, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_UpgradeCharisma : public CCloneable<CMapEntity_UpgradeCharisma, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_UpgradeDiagnostic : public CCloneable<CMapEntity_UpgradeDiagnostic, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_UpgradeSpeed : public CCloneable<CMapEntity_UpgradeSpeed, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_UpgradeReg : public CCloneable<CMapEntity_UpgradeReg, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_PerkCureTouch : public CCloneable<CMapEntity_PerkCureTouch, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_PerkBurst : public CCloneable<CMapEntity_PerkBurst, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_PerkLuck : public CCloneable<CMapEntity_PerkLuck, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
class CMapEntity_PerkVirus : public CCloneable<CMapEntity_PerkVirus, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};
// Stands in the perks area when no perk can be chosen; takes no click.
class CMapEntity_PerksArea : public CCloneable<CMapEntity_PerksArea, CMapEntity_UpgradeClass> {
  using CCloneable::CCloneable;
};

// A row's BUY button, with its two magnets.
class CMapEntity_UpgradeOK : public CCloneable<CMapEntity_UpgradeOK, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  CMapEntity_UpgradeOK(const CMapEntity_UpgradeOK &other);
  void renderAdditional(KGraphic *g) override;
};

// A row's help bubble with its text box.
class CMapEntity_UpgradeHelp : public CCloneable<CMapEntity_UpgradeHelp, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  CMapEntity_UpgradeHelp(const CMapEntity_UpgradeHelp &other);
};

// A button that closes whatever carries it; a level may place one.
class CMapEntity_UpgradeCancel : public CCloneable<CMapEntity_UpgradeCancel, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
