#include "patients/CPatientCare.h"

#include "patients/CPacientController.h"
#include "world/CMapEntity_Game.h"

void CPatientCare::holdOutbreaksUntil(CMapEntity_Game *patient, int32_t gameMs) {
  CPacientController::holdWardOutbreaksUntil(gameMs);
  if (CPacientController *c = CPacientController::of(patient)) c->spaceOutbreaksFrom(gameMs);
}

void CPatientCare::refreshMeter(CMapEntity_Game *patient) {
  if (CPacientController *c = CPacientController::of(patient)) c->refreshMeterSoon();
}
