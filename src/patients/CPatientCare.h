#pragma once
#include "world/kinds/Links.h"

// The patients' side of the cure touch.
class CPatientCare : public CPatientCareLink {
public:
  void holdOutbreaksUntil(CMapEntity_Game *patient, int32_t gameMs) override;
  void refreshMeter(CMapEntity_Game *patient) override;
};
