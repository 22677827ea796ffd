#include "patients/CNemocnejBacilyController.h"

#include "media/Timer.h"
#include "world/kinds/CMapEntity_NemocnejBacily.h"

CNemocnejBacilyController::CNemocnejBacilyController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *eng,
                                                     std::string bindTo)
    : CCloneable(e, c, eng, std::move(bindTo)), longTimer(new Timer(2000, false)),
      shortTimer(new Timer(500, false)) {}

CNemocnejBacilyController::CNemocnejBacilyController(const CNemocnejBacilyController &o)
    : CCloneable(o), longTimer(new Timer(2000, false)), shortTimer(new Timer(500, false)),
      startAlpha(o.startAlpha) {}

CNemocnejBacilyController::~CNemocnejBacilyController() {
  delete longTimer;
  delete shortTimer;
}

void CNemocnejBacilyController::onBind() {
  if (entity) entity->setAlpha(startAlpha, true);
}

void CNemocnejBacilyController::update() {
  CMapEntity_NemocnejBacily *b = dynamic_cast<CMapEntity_NemocnejBacily *>(entity);
  if (!b) return;
  b->changeX((float)b->stepX);
  b->changeY((float)b->stepY);
  b->changeAlpha(-0.005f, true);
  if (b->getAlpha() == 0.0f) killEntity();
}
