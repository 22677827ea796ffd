#include "game/CGameLinks.h"

#include <string>

#include "media/CFatal.h"
#include "patients/CCustomerGenerator.h"
#include "progress/CDayPanels.h"
#include "ward/beds/CPostelLink.h"
#include "ward/player/CPlayerLinks.h"
#include "ward/staff/CMapEntity_Marker.h"
#include "ward/staff/CPrachController.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/Links.h"

namespace {
class CAlarmLamp : public CAlarmLampLink {
public:
  void setAlarm(CMapEntity_Game *lamp, bool on) override {
    if (CMapEntity_Hlasic *hlasic = dynamic_cast<CMapEntity_Hlasic *>(lamp)) hlasic->setOn(on);
  }
};

// The difficulty adjuster stands in without a class of its own: its window is kept in its two
// spare words, so it lives and dies with the entity.
class CStandInPauseWindow : public CPauseWindowLink {
public:
  void window(CMapEntity_Game *adjuster, uint32_t &start, uint32_t &end) override {
    start = (uint32_t)adjuster->approachX;
    end = (uint32_t)adjuster->approachY;
  }
  void setWindow(CMapEntity_Game *adjuster, uint32_t start, uint32_t end) override {
    adjuster->approachX = (int32_t)start;
    adjuster->approachY = (int32_t)end;
  }
};

CCustomerGeneratorImpl customers;
CDayPanels dayPanels;
CPostelLink beds;
CPlayerLinks playerFigure;
CPuffDrift puffDrift;
CPatientCheer patientCheer;
CAlarmLamp alarmLamp;
CStandInPauseWindow standInPauseWindow;

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
  TLink<CAlarmLampLink>::install(&alarmLamp);
  TLink<CPauseWindowLink>::install(&standInPauseWindow);
}

void checkGameLinks() {
  require<CCustomerGeneratorLink>("customer generator");
  require<CDayPanelsLink>("day panels");
  require<CBedLink>("bed");
  require<CPlayerFigureLink>("player figure");
  require<CChimneyDriftLink>("chimney drift");
  require<CWalkSpeedLink>("walk speed");
  require<CPatientMoodLink>("patient mood");
  require<CAlarmLampLink>("alarm lamp");
  require<CPauseWindowLink>("pause window");
}
