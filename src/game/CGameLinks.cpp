#include "game/CGameLinks.h"

#include <string>

#include "media/CFatal.h"
#include "progress/CDayPanels.h"
#include "ward/beds/CPostelLink.h"
#include "ward/player/CPlayerLinks.h"
#include "ward/staff/CPrachController.h"
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

class CPatientsWithoutMood : public CPatientMoodLink {
public:
  void cheer(CMapEntity_Game *) override {}
};

CNoCustomers noCustomers;
CDayPanels dayPanels;
CPostelLink beds;
CPlayerLinks playerFigure;
CPuffDrift puffDrift;
CPatientsWithoutMood patientsWithoutMood;

template <class Link> void require(const char *name) {
  if (!TLink<Link>::get()) fatalError(std::string("Link ") + name + " is not installed", -1);
}
} // namespace

void installGameLinks() {
  TLink<CCustomerGeneratorLink>::install(&noCustomers);
  TLink<CDayPanelsLink>::install(&dayPanels);
  TLink<CBedLink>::install(&beds);
  TLink<CPlayerFigureLink>::install(&playerFigure);
  TLink<CChimneyDriftLink>::install(&puffDrift);
  TLink<CWalkSpeedLink>::install(&playerFigure);
  TLink<CPatientMoodLink>::install(&patientsWithoutMood);
}

void checkGameLinks() {
  require<CCustomerGeneratorLink>("customer generator");
  require<CDayPanelsLink>("day panels");
  require<CBedLink>("bed");
  require<CPlayerFigureLink>("player figure");
  require<CChimneyDriftLink>("chimney drift");
  require<CWalkSpeedLink>("walk speed");
  require<CPatientMoodLink>("patient mood");
}
