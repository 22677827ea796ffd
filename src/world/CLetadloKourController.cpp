#include "world/CLetadloKourController.h"

#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "world/CMapEntity_Game.h"

namespace {
uint32_t stepNow() { return CFakeTime::instance()->ms / CLetadloKourController::kDrawnStepMs; }
} // namespace

void CLetadloKourController::onBind() {
  if (!entity) return;
  entity->setAlpha(1.0f, true);
  // Shown from the trail's next step on, with the rest of it.
  entity->looks().holdDrawn(false);
  drawnStep = stepNow();
}

void CLetadloKourController::update() {
  if (!entity) return;
  const float levelSpeed = CGlobals::instance()->speedFactor;
  entity->setAlpha(entity->looks().getAlpha() - 0.005f * levelSpeed, true);
  entity->setZoom(entity->looks().getZoom() + 0.012f * levelSpeed);
  if (entity->looks().getAlpha() <= 0.0f) {
    killEntity();
    return;
  }
  if (stepNow() == drawnStep) return;
  drawnStep = stepNow();
  // A puff about to go is let go with the trail's step rather than in a frame of its own: its
  // last steps are a few levels of brightness.
  entity->looks().holdDrawn(entity->looks().getAlpha() > kFadedAlpha);
}
