#include "game/CGameLinks.h"

#include <string>
#include <unordered_map>

#include "media/CFatal.h"
#include "patients/CCustomerGenerator.h"
#include "patients/CPatientCare.h"
#include "progress/CMapEntity_HospitalUpgrade.h"
#include "progress/CDayPanels.h"
#include "ward/beds/CPostelLink.h"
#include "ward/staff/CPrachController.h"
#include "world/kinds/Links.h"

namespace {
class CPlayerKeepsTarget : public CPlayerFigureLink {
public:
  void clearTarget(CMapEntity_Game *) override {}
};

// The figure stands in without a walk of its own: its speed is kept here, at the speed a figure
// without the shoes upgrade walks, on no slowing tile.
class CStandInWalkSpeed : public CWalkSpeedLink {
public:
  float walkSpeed(CMapEntity_Game *player) override {
    auto found = speeds.find(player);
    return found == speeds.end() ? 6.0f : found->second;
  }
  void setWalkSpeed(CMapEntity_Game *player, float speed) override { speeds[player] = speed; }
  float speedFactor(CMapEntity_Game *) override { return 1.0f; }

private:
  std::unordered_map<CMapEntity_Game *, float> speeds;
};

class CUpgradeFlash : public CUpgradeFlashLink {
public:
  void flash(CMapEntity_Game *piece) override {
    if (auto *p = dynamic_cast<CMapEntity_Hospital2Upgrade3 *>(piece)) p->flashRequest = 1;
  }
};

CCustomerGeneratorImpl customers;
CPatientCare patientCare;
CUpgradeFlash upgradeFlash;
CDayPanels dayPanels;
CPostelLink beds;
CPlayerKeepsTarget playerKeepsTarget;
CPuffDrift puffDrift;
CStandInWalkSpeed standInWalkSpeed;
CPatientCheer patientCheer;

template <class Link> void require(const char *name) {
  if (!TLink<Link>::get()) fatalError(std::string("Link ") + name + " is not installed", -1);
}
} // namespace

void installGameLinks() {
  TLink<CCustomerGeneratorLink>::install(&customers);
  TLink<CDayPanelsLink>::install(&dayPanels);
  TLink<CBedLink>::install(&beds);
  TLink<CPlayerFigureLink>::install(&playerKeepsTarget);
  TLink<CChimneyDriftLink>::install(&puffDrift);
  TLink<CWalkSpeedLink>::install(&standInWalkSpeed);
  TLink<CPatientMoodLink>::install(&patientCheer);
  TLink<CPatientCareLink>::install(&patientCare);
  TLink<CUpgradeFlashLink>::install(&upgradeFlash);
}

void checkGameLinks() {
  require<CCustomerGeneratorLink>("customer generator");
  require<CDayPanelsLink>("day panels");
  require<CBedLink>("bed");
  require<CPlayerFigureLink>("player figure");
  require<CChimneyDriftLink>("chimney drift");
  require<CWalkSpeedLink>("walk speed");
  require<CPatientMoodLink>("patient mood");
  require<CPatientCareLink>("patient care");
  require<CUpgradeFlashLink>("upgrade flash");
}
