#include "game/CGameLinks.h"

#include <string>

#include "media/CFatal.h"
#include "patients/CCustomerGenerator.h"
#include "media/Timer.h"
#include "patients/CMapEntity_ObtiznostAdjuster.h"
#include "patients/CPacientController.h"
#include "patients/CPatientCare.h"
#include "progress/CMapEntity_HospitalUpgrade.h"
#include "progress/CDayPanels.h"
#include "ward/beds/CPostelLink.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerLinks.h"
#include "ward/staff/CMapEntity_Marker.h"
#include "ward/staff/CPrachController.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/Links.h"

namespace {
class CUpgradeFlash : public CUpgradeFlashLink {
public:
  void flash(CMapEntity_Game *piece) override {
    if (auto *p = dynamic_cast<CMapEntity_Hospital2Upgrade3 *>(piece)) p->flashRequest = 1;
  }
};

class CAlarmLamp : public CAlarmLampLink {
public:
  void setAlarm(CMapEntity_Game *lamp, bool on) override {
    if (CMapEntity_Hlasic *hlasic = dynamic_cast<CMapEntity_Hlasic *>(lamp)) hlasic->setOn(on);
  }
};

// The germ generators keep to the pause window of the day's difficulty adjuster.
class CAdjusterPauseWindow : public CPauseWindowLink {
public:
  void window(CMapEntity_Game *adjuster, uint32_t &start, uint32_t &end) override {
    auto *a = dynamic_cast<CMapEntity_ObtiznostAdjuster *>(adjuster);
    start = a ? a->pauseStart : 0;
    end = a ? a->pauseEnd : 0;
  }
  void setWindow(CMapEntity_Game *adjuster, uint32_t start, uint32_t end) override {
    if (auto *a = dynamic_cast<CMapEntity_ObtiznostAdjuster *>(adjuster)) {
      a->pauseStart = start;
      a->pauseEnd = end;
    }
  }
};

class CPatientWait : public CPatientWaitLink {
public:
  void restartWaiting(CMapEntity_Game *patient) override {
    auto *c = patient ? dynamic_cast<CPacientController *>(patient->getController()) : nullptr;
    if (c && c->getCekaniTimer()) c->getCekaniTimer()->reset();
  }
};

class CPlayerWork : public CPlayerWorkLink {
public:
  uint16_t workPhase(CMapEntity_Game *player) override {
    auto *p = dynamic_cast<CMapEntity_Player *>(player);
    return p ? p->workPhase : CMapEntity_Player::kIdlePhase;
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
CAlarmLamp alarmLamp;
CAdjusterPauseWindow adjusterPauseWindow;
CPatientWait patientWait;
CPlayerWork playerWork;

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
  TLink<CAlarmLampLink>::install(&alarmLamp);
  TLink<CPauseWindowLink>::install(&adjusterPauseWindow);
  TLink<CPatientWaitLink>::install(&patientWait);
  TLink<CPlayerWorkLink>::install(&playerWork);
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
  require<CAlarmLampLink>("alarm lamp");
  require<CPauseWindowLink>("pause window");
  require<CPatientWaitLink>("patient wait");
  require<CPlayerWorkLink>("player work");
}
