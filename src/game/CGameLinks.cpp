#include "game/CGameLinks.h"

#include <string>

#include "events/CMapEntity_Sasek.h"
#include "media/CFatal.h"
#include "menus/MenuKit.h"
#include "patients/CCustomerGenerator.h"
#include "patients/CMapEntity_ObtiznostAdjuster.h"
#include "patients/CPatientCare.h"
#include "patients/CPatientGuide.h"
#include "progress/CMapEntity_HospitalUpgrade.h"
#include "progress/CDayPanels.h"
#include "ward/beds/CPostelLink.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerLinks.h"
#include "ward/staff/CMapEntity_Marker.h"
#include "ward/staff/CPrachController.h"
#include "world/CMapEntitiesCollection.h"
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

class CFigureAction : public CFigureActionLink {
public:
  bool actionKind(CMapEntity_Game *figure, uint16_t &kind) override {
    auto *p = dynamic_cast<CMapEntity_Player *>(figure);
    if (p) kind = p->workPhase;
    return p != nullptr;
  }
};

class CJesterState : public CJesterStateLink {
public:
  bool state(CMapEntity_Game *jester, int32_t &stav) override {
    auto *s = dynamic_cast<CMapEntity_Sasek *>(jester);
    if (s) stav = s->stav;
    return s != nullptr;
  }
};

class CMessageWindow : public CMessageWindowLink {
public:
  void open(CMapEntitiesCollection *c, const std::string &text) override { menukit::openMessage(c, text); }
  bool isOpen(CMapEntitiesCollection *c) override {
    CMapEntity_Game *window = c ? c->getEntityByID(menukit::kMessageWindowID) : nullptr;
    return window && !window->getKill();
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
CPatientGuide patientGuide;
CFigureAction figureAction;
CJesterState jesterState;
CMessageWindow messageWindow;

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
  TLink<CPatientGuideLink>::install(&patientGuide);
  TLink<CFigureActionLink>::install(&figureAction);
  TLink<CJesterStateLink>::install(&jesterState);
  TLink<CMessageWindowLink>::install(&messageWindow);
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
  require<CPatientGuideLink>("patient guide");
  require<CFigureActionLink>("figure action");
  require<CJesterStateLink>("jester state");
  require<CMessageWindowLink>("message window");
}
