#include "progress/CMapaLetadloController.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"

CMapaLetadloController::CMapaLetadloController(const CMapaLetadloController &o)
    : CCloneable(o), flightTimer(new Timer(10000, false)), puffTimer(new Timer(50, false)), state(o.state) {
  flightTimer->nastavSpoustec(1000 + CRandom::draw() % 1500);
}

CMapaLetadloController::~CMapaLetadloController() {
  delete flightTimer;
  delete puffTimer;
}

void CMapaLetadloController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CMapaLetadloController::puff(float dx, float dy) {
  CMapEntity_Game *p = CMapEntitiesFactory::instance()->cloneEntity("LETADLOKOUR");
  if (!p) return;
  p->setXY(entity->getX() + dx, entity->getY() + dy);
  collection->addEntity(p);
}

void CMapaLetadloController::update() {
  if (!entity || !flightTimer) return;
  CSoundEngine *sounds = engine ? engine->getSoundEngine() : nullptr;
  switch (state) {
  case kWaitingFirst:
    if (flightTimer->udalost()) {
      state = kFlying;
      if (sounds) sounds->playSound("AIRPLANE");
    }
    break;
  case kFlying:
    if (entity->getX() < 800.0f) {
      entity->changeX(3.0f);
      entity->changeY(1.0f);
    } else {
      flightTimer->reset();
      flightTimer->nastavSpoustec(10000 + CRandom::draw() % 15000);
      state = kWaitingAgain;
    }
    if (puffTimer->udalost() && collection) {
      puff(16.0f, 44.0f);
      puff(53.0f, 23.0f);
    }
    break;
  case kWaitingAgain:
    if (flightTimer->udalost()) {
      if (sounds) sounds->playSound("AIRPLANE");
      entity->setXY(-120.0f, 50.0f);
      state = kFlying;
    }
    break;
  default:
    break;
  }
}
