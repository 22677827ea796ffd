#include "patients/CPatientCare.h"

#include "patients/CPacientController.h"
#include "world/CMapEntity_Game.h"

namespace {
CPacientController *behaviourOf(CMapEntity_Game *patient) {
  return patient ? dynamic_cast<CPacientController *>(patient->getController()) : nullptr;
}
} // namespace

void CPatientCare::holdOutbreaksUntil(CMapEntity_Game *patient, int32_t gameMs) {
  CPacientController::posledniAktivita = gameMs;
  if (CPacientController *c = behaviourOf(patient)) c->outbreakMark = gameMs;
}

void CPatientCare::refreshMeter(CMapEntity_Game *patient) {
  if (CPacientController *c = behaviourOf(patient)) c->refreshMeter = 1;
}
