#include "progress/CHospital2Upgrade3Controller.h"

#include "media/CFatal.h"
#include "progress/CMapEntity_HospitalUpgrade.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/EntityIds.h"

void CHospital2Upgrade3Controller::onBind() {
  CMapEntity_FrontaAkci::require(collection);
}

void CHospital2Upgrade3Controller::update() {
  auto *piece = dynamic_cast<CMapEntity_Hospital2Upgrade3 *>(entity);
  if (!piece) return;
  if (piece->flashRequest) {
    piece->resetFlash();
    piece->flashRequest = 0;
    flashing = true;
  }
  if (flashing) piece->effectFlash(0.1f, 1.0f, true);
}
