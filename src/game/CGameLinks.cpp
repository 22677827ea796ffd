#include "game/CGameLinks.h"

#include <string>

#include "media/CFatal.h"
#include "patients/CCustomerGenerator.h"
#include "patients/CPatientCare.h"
#include "progress/CMapEntity_HospitalUpgrade.h"
#include "progress/CDayPanels.h"
#include "ward/beds/CPostelLink.h"
#include "ward/player/CPlayerLinks.h"
#include "ward/staff/CPrachController.h"
#include "world/kinds/Links.h"

namespace {
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
CPlayerLinks playerFigure;
CPuffDrift puffDrift;
CPatientCheer patientCheer;

template <class Link> void require(const char *name) {
  if (!TLink<Link>::get()) fatalError(std::string("Link ") + name + " is not installed", -1);
}
} // namespace

void installGameLinks() {
  TLink<CCustomerGeneratorLink>::install(&customers);
  TLink<CDayPanelsLink>::install(&dayPanels);
  TLink<CBedLink>::install(&beds);
  TLink<CPlayerFigureLink>::install(&playerFigure);
  TLink<CChimneyDriftLink>::install(&puffDrift);
  TLink<CWalkSpeedLink>::install(&playerFigure);
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
