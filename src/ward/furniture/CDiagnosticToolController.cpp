#include "ward/furniture/CDiagnosticToolController.h"

#include "media/CGlobals.h"
#include "ward/furniture/CMapEntity_Zidle.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/CMapEntity_Tlakomer.h"

void CDiagnosticToolController::onBind() { placeGauge(); }

void CDiagnosticToolController::placeGauge() {
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(entity);
  if (!chair || !chair->gauge.empty() || !collection) return;
  // A chair still carried by an arrival is only its picture; its working copy gets the gauge.
  if (chair->carrying().getParent()) return;
  float a = chair->looks().getAlpha();
  if (a != 1.0f && a != -1.0f) return;
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("TLAKOMER");
  float dx = 0, dy = 0;
  if (CMapEntity_Zidle::gaugeOffset(chair->getEntityID(), dx, dy)) e->setXY(chair->getX() + dx, chair->getY() + dy);
  collection->addEntity(e);
  chair->gauge = dynamic_cast<CMapEntity_Tlakomer *>(e);
}

void CDiagnosticToolController::update() {
  if (!entity || !collection) return;
  // A chair bound while fading in gets its gauge as soon as it stands whole.
  placeGauge();
  CMapEntity_Game *cursor = collection->getEntityByID(0);
  if (cursor && cursor->hits().isActionCollisionWithEntity(entity)) {
    flashStarted = 1;
    entity->resetFlash();
  }
  if (flashStarted) entity->effectFlash(0.02f, 0.15f, false);
}

void CTlakomerController::update() {
  if (CMapEntity_Tlakomer *gauge = dynamic_cast<CMapEntity_Tlakomer *>(entity))
    gauge->step(CGlobals::instance()->deltaFactor);
}
