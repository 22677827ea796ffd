#include "world/CDomovKourController.h"

#include <cstdlib>

#include "media/CRandom.h"
#include "media/Frame.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/Links.h"

CDomovKourController::CDomovKourController(const CDomovKourController &o) : CCloneable(o) {}

CDomovKourController::~CDomovKourController() { delete puffTimer; }


void CDomovKourController::update() {
  if (!entity || !collection) return;
  if (!puffTimer->udalost()) return;
  CMapEntity_Game *puff = CMapEntitiesFactory::instance()->cloneEntity("PRACH");
  puff->setXY(entity->getX(), entity->getY());
  puff->setAlpha(0.3f, true);
  puff->setSortZ(4, false);
  puff->setFocusable(false);
  // Smoke is never something under the mouse.
  if (Frame *f = puff->looks().getCurrentFrame()) {
    f->setAW(0);
    f->setAH(0);
  }
  puff->setZoom((float)(CRandom::draw() % 8 + 2) / 10.0f);
  CRandom::draw();
  float driftX = (float)(CRandom::draw() % 5) / 10.0f;
  TLink<CChimneyDriftLink>::get()->setDrift(puff, driftX, -0.45f);
  collection->addEntity(puff);
}
