#include "world/CFloatingController.h"

#include "media/CGlobals.h"
#include "world/CMapEntity_Game.h"

void CFloatingController::onBind() {
  if (entity && entity->getEntityID() == kIngameMenu) entity->setAlpha(0.0f, true);
}

void CFloatingController::fadeOut(float step) {
  float a = entity->looks().getAlpha() - step;
  if (a <= 0.0f) a = 0.0f;
  entity->setAlpha(a, true);
  if (a == 0.0f) killEntity();
}

// The panels open over a paused game, so the step follows the frame time itself rather than the
// delta factor, which is 0 while paused.
void CFloatingController::update() {
  if (!entity) return;
  const float step = 0.08f * CGlobals::instance()->averageFrameMs / 20.0f;
  const unsigned int id = entity->getEntityID();
  if (id == kIngameMenu) {
    if (entity->closing != 0) {
      fadeOut(step);
      return;
    }
    float a = entity->looks().getAlpha() + step;
    if (a >= 1.0f) a = 1.0f;
    entity->setAlpha(a, true);
  } else if (id == kOptionsIngameMenu && entity->closing != 0) {
    fadeOut(step);
  }
}
