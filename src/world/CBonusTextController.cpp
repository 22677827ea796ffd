#include "world/CBonusTextController.h"

#include "media/CGlobals.h"
#include "world/CCaption.h"
#include "world/CMapEntity_Game.h"
#include "world/CMapEntity_TextBox.h"

CBonusTextController::CBonusTextController(const CBonusTextController &o)
    : CCloneable(o), speed(1.7f), fadeTimer(new Timer(1000, false)), fading(o.fading) {}

CBonusTextController::~CBonusTextController() { delete fadeTimer; }

// Whatever alpha its maker left, a caption starts opaque, settled again for whatever its maker
// changed since it was made. A refusal stays put long enough to read.
void CBonusTextController::onBind() {
  if (!entity) return;
  entity->setAlpha(1.0f, true);
  CMapEntity_BonusText *t = dynamic_cast<CMapEntity_BonusText *>(entity);
  CCaption::settle(collection, t);
  if (!t || !t->warning) return;
  speed = 0.4f;
  fadeTimer->nastavSpoustec(kWarningMs);
  fadeTimer->reset();
}

void CBonusTextController::update() {
  if (!entity) return;
  if (fadeTimer->udalost()) fading = 1;
  // Covered with no clear spot left near, it fades at once rather than stay under other words.
  if (auto *t = dynamic_cast<CMapEntity_BonusText *>(entity)) {
    if (!CCaption::rise(collection, t, speed)) fading = 1;
  } else {
    entity->changeY(-speed);
  }
  // The fade step follows the level's speed, not the frame time.
  if (fading) entity->setAlpha(entity->looks().getAlpha() - 0.05f * CGlobals::instance()->speedFactor, true);
  if (entity->looks().getAlpha() <= 0.0f) killEntity();
}
