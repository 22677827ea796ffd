#include "patients/CNemocnejBacilyController.h"

#include "media/Timer.h"
#include "world/kinds/CMapEntity_NemocnejBacily.h"

void CNemocnejBacilyController::onBind() {
  if (entity) entity->setAlpha(startAlpha, true);
}

void CNemocnejBacilyController::update() {
  CMapEntity_NemocnejBacily *b = dynamic_cast<CMapEntity_NemocnejBacily *>(entity);
  if (!b) return;
  b->changeX((float)b->stepX);
  b->changeY((float)b->stepY);
  b->changeAlpha(-0.005f, true);
  if (b->looks().getAlpha() == 0.0f) killEntity();
}
