#include "events/CDecorationControllers.h"

#include <cstdlib>

#include "events/CMapEntity_Motyl.h"
#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/EntityIds.h"

namespace {
const float kTopSpeed = 2.0f;
const float kStartSpeed = -0.3f;
const float kSpeedStep = 0.05f;
} // namespace

void CMotylController::onBind() {
  if (entity) entity->changeFrameset("MRKANI");
}

void CMotylController::update() {
  CMapEntity_Motyl *butterfly = dynamic_cast<CMapEntity_Motyl *>(entity);
  if (!butterfly || !collection) return;
  if (butterfly->stav == CMapEntity_Motyl::kResting) {
    CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
    if (cursor && cursor->hits().isActionCollisionWithEntity(butterfly)) {
      butterfly->stav = CMapEntity_Motyl::kFlying;
      butterfly->changeFrameset("LET");
      butterfly->zapniAnimace();
    }
    return;
  }
  const float delta = CGlobals::instance()->deltaFactor;
  butterfly->changeY(speed);
  speed += (rising ? -kSpeedStep : kSpeedStep) * delta;
  if (rising && speed <= -kTopSpeed) {
    speed = -kTopSpeed;
    rising = 0;
  }
  if (!rising && speed >= kTopSpeed) speed = kTopSpeed;
  if (butterfly->getY() > kGround) {
    rising = 1;
    speed = kStartSpeed;
    butterfly->setXY(butterfly->getX(), kGround);
    butterfly->stav = CMapEntity_Motyl::kResting;
    butterfly->changeFrameset("FRAMESET1");
  }
}

CPeriskopController::CPeriskopController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine_,
                                         std::string bindTo_)
    : CCloneable(e, c, engine_, std::move(bindTo_)), jumpTimer(new Timer(7000, false)) {}

CPeriskopController::CPeriskopController(const CPeriskopController &o)
    : CCloneable(o), jumpTimer(new Timer(7000, false)) {}

CPeriskopController::~CPeriskopController() = default;

void CPeriskopController::update() {
  if (!entity || !jumpTimer->udalost()) return;
  const float x = (float)(715 + CRandom::draw() % 80);
  const float y = (float)(165 + CRandom::draw() % 50);
  entity->setXY(x, y);
}
