#include "core/CUpgradeCatalogue.h"

#include "world/kinds/EntityIds.h"

const std::vector<TUpgradeInfo> &CUpgradeCatalogue::all() {
  static const std::vector<TUpgradeInfo> catalogue = {
      {kMedsUpgradeID, "UPGRADEMEDS1", {0, 200, 1000, 5000, 8000}, false},
      {kCharismaUpgradeID, "UPGRADECHARISMA", {0, 200, 1000, 5000, 10000}, false},
      {kDiagnosticUpgradeID, "UPGRADEDIAGNOSTIC", {0, 200, 1000, 5000, 10000}, false},
      {kSpeedUpgradeID, "UPGRADESPEED", {0, 200, 1000, 5000, 10000}, false},
      {903, "UPGRADEREG", {0, 800, 1800, 4000, 5000, 7000}, false},
      {270, "PERKCURETOUCH", {0, 0}, true},
      {274, "PERKBURST", {0, 0}, true},
      {296, "PERKLUCK", {0, 0}, true},
      {308, "PERKVIRUS", {0, 0}, true},
      {394, "PERKSAREA", {0, 0}, true},
  };
  return catalogue;
}

const TUpgradeInfo *CUpgradeCatalogue::najdi(uint32_t entityID) {
  for (const TUpgradeInfo &u : all())
    if (u.entityID == entityID) return &u;
  return nullptr;
}
