#include "ward/staff/CPrachController.h"

#include <cstdlib>

#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/Timer.h"
#include "ward/staff/CMapEntity_Prach.h"
#include "world/CLevel_Game.h"
#include "world/CMapa.h"
#include "world/CWorldEngine.h"

CPrachController::CPrachController(const CPrachController &o)
    : CCloneable(o), speed((float)(CRandom::draw() % 10 + 5) / 10.0f) {}

void CPrachController::update() {
  if (!entity) return;
  const TRates r = rates();
  const float step = CGlobals::instance()->speedFactor;
  if (fadeTimer.udalost() && !fading) {
    fading = 1;
    if (entity->looks().getAlpha() == -1.0f) entity->setAlpha(1.0f, true);
  }
  CMapEntity_Prach *puff = dynamic_cast<CMapEntity_Prach *>(entity);
  bool drifts = puff && entity->getEntityID() == r.driftingID;
  if (drifts && puff->driftY != 0.0f)
    entity->changeY(puff->driftY);
  else
    entity->changeY(-speed);
  if (drifts) entity->changeX(puff->driftX);
  if (fading) entity->setAlpha(entity->looks().getAlpha() - r.fade * step, true);
  entity->setZoom(entity->looks().getZoom() + r.growth * step);
  if (entity->looks().getAlpha() <= 0.0f && entity->looks().getAlpha() != -1.0f) killEntity();
}

void CZController::onBind() {
  if (!entity) return;
  entity->setZoom(0.3f);
  for (size_t i = 1; i < entity->carrying().getContainedList().size(); ++i)
    entity->carrying().getContainedList()[i]->setZoom(0.3f);
}

COdpadkyGeneratorController::COdpadkyGeneratorController(const COdpadkyGeneratorController &o)
    : CCloneable(o), scan(15000, false) {}

void COdpadkyGeneratorController::update() {
  if (!entity || !scan.udalost()) return;
  CLevel_Game *level = currentLevel();
  CMapa *map = level ? level->getMapa() : nullptr;
  for (int cell = 0; cell < 475; ++cell) {
    int x = 32 * (cell % 25), y = 32 * (cell / 25);
    if (CRandom::draw() % 100 != 1) continue;
    if (y < 151 || y > 349 || x > 499 || !map) continue;
    bool walkable = true;
    for (int n : {cell, cell - 1, cell + 1, cell + 25, cell - 25})
      walkable = walkable && n >= 0 && n < 475 && map->isWalkable(0, (unsigned short)n);
    if (!walkable) continue;
    lastCell = cell;
    break;
  }
  scan.nastavSpoustec(15000);
}

void CPuffDrift::setDrift(CMapEntity_Game *puff, float driftX, float driftY) {
  if (CMapEntity_Prach *p = dynamic_cast<CMapEntity_Prach *>(puff)) {
    p->driftX = driftX;
    p->driftY = driftY;
  }
}
