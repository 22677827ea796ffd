#pragma once
#include <cstdint>
#include <vector>

// One upgrade or perk of the shop: its entity ID, its prices and whether it is a perk.
struct TUpgradeInfo {
  uint32_t entityID;
  const char *name;
  // Element 0 is 0; element n is the price of the n-th star.
  std::vector<int> prices;
  bool perk;

  int starCount() const { return (int)prices.size() - 1; }
  // The highest star index a basket record may hold (stars owned minus 1 of a full row).
  int maxStarIndex() const { return starCount() > 0 ? starCount() - 1 : 0; }
};

// The ten upgrades the game sells or offers, shared by the shop and the saved-game reader.
class CUpgradeCatalogue {
public:
  static const std::vector<TUpgradeInfo> &all();
  // The upgrade with this entity ID, or null when the ID is no upgrade.
  static const TUpgradeInfo *najdi(uint32_t entityID);
};
