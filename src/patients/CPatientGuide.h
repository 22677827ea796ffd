#pragma once
#include "world/kinds/Links.h"

// The patients' side of what a guided step asks: the outbreak a guide forces looks as the
// illness's own does, and the patient's behaviour keeps its wait and its change.
class CPatientGuide : public CPatientGuideLink {
public:
  void forceOutbreak(CMapEntity_Game *patient) override;
  void holdWait(CMapEntity_Game *patient) override;
  void awaitDeskClick(CMapEntity_Game *patient) override;
};
