#include "patients/CNapisController.h"

#include "media/CGlobals.h"
#include "media/Frame.h"
#include "world/CMapEntity_Game.h"

void CNapisController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CNapisController::update() {
  if (!entity) return;
  float f = CGlobals::instance()->deltaFactor;
  entity->changeY(-0.5f);
  float a = entity->looks().getAlpha() - 0.005f * f;
  entity->setAlpha(a < 0.0f ? 0.0f : (a > 1.0f ? 1.0f : a), true);
  entity->setZoom(entity->looks().getZoom() + 0.012f * f);
  keepOnScreen();
  if (entity->looks().getAlpha() <= 0.0f) killEntity();
}

// The picture grows about its middle; one shown by the screen's edge moves in so it stays whole
// (while it still fits).
void CNapisController::keepOnScreen() {
  Frame *fr = entity->looks().getCurrentFrame();
  if (!fr) return;
  const float w = (float)fr->getSirka(), h = (float)fr->getVyska(), z = entity->looks().getZoom();
  auto inside = [](float at, float size, float zoomed, float screen) {
    const float middle = at + size / 2, half = zoomed / 2;
    if (zoomed >= screen) return screen / 2 - size / 2;
    if (middle - half < 0.0f) return half - size / 2;
    if (middle + half > screen) return screen - half - size / 2;
    return at;
  };
  const float x = inside(entity->getX(), w, w * z, 800.0f), y = inside(entity->getY(), h, h * z, 540.0f);
  if (x != entity->getX() || y != entity->getY()) entity->setXY(x, y);
}
