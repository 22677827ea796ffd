#include "world/CBonusTextController.h"

#include "world/CMapEntity_TextBox.h"

#include "media/CGlobals.h"
#include "world/CMapEntity_Game.h"

CBonusTextController::CBonusTextController(const CBonusTextController &o)
    : CCloneable(o), speed(1.7f), fadeTimer(new Timer(1000, false)), fading(o.fading) {}

CBonusTextController::~CBonusTextController() { delete fadeTimer; }

// Whatever alpha its maker left, a caption starts opaque. A refusal stays put long enough to read.
void CBonusTextController::onBind() {
  if (!entity) return;
  entity->setAlpha(1.0f, true);
  const CMapEntity_BonusText *t = dynamic_cast<const CMapEntity_BonusText *>(entity);
  if (!t || !t->warning) return;
  speed = 0.4f;
  fadeTimer->nastavSpoustec(kWarningMs);
  fadeTimer->reset();
}

void CBonusTextController::update() {
  if (!entity) return;
  if (fadeTimer->udalost()) fading = 1;
  entity->changeY(-speed);
  // The fade step follows the level's speed, not the frame time.
  if (fading) entity->setAlpha(entity->looks().getAlpha() - 0.05f * CGlobals::instance()->speedFactor, true);
  if (entity->looks().getAlpha() <= 0.0f) killEntity();
}
