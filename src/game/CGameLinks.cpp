#include "game/CGameLinks.h"

#include <string>
#include <unordered_map>

#include "media/CFatal.h"
#include "progress/CDayPanels.h"
#include "ward/beds/CPostelLink.h"
#include "ward/staff/CMapEntity_Marker.h"
#include "ward/staff/CPrachController.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/Links.h"

namespace {
class CNoCustomers : public CCustomerGeneratorLink {
public:
  CCustomerGenerator *create() override { return nullptr; }
  void destroy(CCustomerGenerator *) override {}
  void bindEC(CCustomerGenerator *, CMapEntitiesCollection_Game *, CLevel_Game *) override {}
  void setCustomerCount(CCustomerGenerator *, int) override {}
  void preGenerate(CCustomerGenerator *, int) override {}
  void work(CCustomerGenerator *) override {}
};

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

class CPatientsWithoutMood : public CPatientMoodLink {
public:
  void cheer(CMapEntity_Game *) override {}
};

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

CNoCustomers noCustomers;
CDayPanels dayPanels;
CPostelLink beds;
CPlayerKeepsTarget playerKeepsTarget;
CPuffDrift puffDrift;
CStandInWalkSpeed standInWalkSpeed;
CPatientsWithoutMood patientsWithoutMood;
CAlarmLamp alarmLamp;
CStandInPauseWindow standInPauseWindow;

template <class Link> void require(const char *name) {
  if (!TLink<Link>::get()) fatalError(std::string("Link ") + name + " is not installed", -1);
}
} // namespace

void installGameLinks() {
  TLink<CCustomerGeneratorLink>::install(&noCustomers);
  TLink<CDayPanelsLink>::install(&dayPanels);
  TLink<CBedLink>::install(&beds);
  TLink<CPlayerFigureLink>::install(&playerKeepsTarget);
  TLink<CChimneyDriftLink>::install(&puffDrift);
  TLink<CWalkSpeedLink>::install(&standInWalkSpeed);
  TLink<CPatientMoodLink>::install(&patientsWithoutMood);
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
