#include "patients/CPatientGuide.h"

#include "patients/CPacientController.h"
#include "patients/CPatientStay.h"
#include "world/kinds/CMapEntity_PacientClass.h"

// A patient without a behaviour (nothing else moves it) still shows the outbreak.
void CPatientGuide::forceOutbreak(CMapEntity_Game *e) {
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e);
  if (!p) return;
  p->forceOutbreak();
  CPatientStay::showOutbreak(p);
  holdWait(p);
}

void CPatientGuide::holdWait(CMapEntity_Game *patient) {
  if (CPacientController *c = CPacientController::of(patient)) c->holdOutbreakWait();
}

void CPatientGuide::awaitDeskClick(CMapEntity_Game *patient) {
  if (CPacientController *c = CPacientController::of(patient)) c->awaitDeskClick();
}
