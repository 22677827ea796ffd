#include "world/CBonusTextController.h"

#include "media/CGlobals.h"
#include "world/CMapEntity_Game.h"

CBonusTextController::CBonusTextController(const CBonusTextController &o)
    : CCloneable(o), speed(1.7f), fadeTimer(new Timer(1000, false)), fading(o.fading) {}

CBonusTextController::~CBonusTextController() { delete fadeTimer; }

// Whatever alpha its maker left, a caption starts opaque.
void CBonusTextController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CBonusTextController::update() {
  if (!entity) return;
  if (fadeTimer->udalost()) fading = 1;
  entity->changeY(-speed);
  // The fade step follows the level's speed, not the frame time.
  if (fading) entity->setAlpha(entity->getAlpha() - 0.05f * CGlobals::instance()->speedFactor, true);
  if (entity->getAlpha() <= 0.0f) killEntity();
}
