#include "progress/CHodinyRucickaController.h"

#include "media/Frameset.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "world/CMapEntity_Game.h"

CHodinyRucickaController::CHodinyRucickaController(const CHodinyRucickaController &o)
    : CCloneable(o), angle(o.angle), stepTimer(new Timer(10, false)) {}

CHodinyRucickaController::~CHodinyRucickaController() { delete stepTimer; }

void CHodinyRucickaController::update() {
  if (!stepTimer || !stepTimer->udalost()) return;
  if (entity && entity->looks().getSprite() && entity->looks().getSprite()->getAktivniFrameset())
    entity->looks().getSprite()->getAktivniFrameset()->setAngle(angle);
  angle += 3.0f;
  if (angle == 360.0f) angle = 0.0f;
}
