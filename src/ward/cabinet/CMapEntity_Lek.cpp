#include "ward/cabinet/CMapEntity_Lek.h"

#include <string>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "world/CEntityKit.h"
#include "world/kinds/EntityIds.h"

const char *CMapEntity_Lek::spriteFor(int stars) {
  switch (stars) {
  case 0: return "LEK2";
  case 1: return "LEK3";
  case 2: return "LEK4";
  case 3:
  case 4: return "LEK5";
  default: return "LEK1";
  }
}

CMapEntity_Game *CMapEntity_Lek::clone() {
  CMapEntity_Lek *copy = new CMapEntity_Lek(*this);
  copy->setMouseClick(true);
  // Its work point is the floor in front of the counter below it. The spot clicked on the bottle
  // lies over the counter, where the nearest floor in its row or column can be the far side of a
  // bed that stands against the counter's end (out of her reach), or the strip behind the beds that
  // only a walk round them reaches (the Tutorial's two beds stand there).
  copy->approachX = kReachX;
  copy->approachY = kReachY;
  CEngine *running = CEngine::running();
  CPlayer *player = running ? running->getPlayer() : nullptr;
  // The basket's star index: stars owned minus one.
  int stars = (player && player->basketContains(kMedsUpgradeID)) ? player->starsOwned(kMedsUpgradeID) - 1 : -1;
  copy->looks().setSprite(spriteFor(stars));
  if (copy->looks().getSprite()) copy->looks().getSprite()->nastavFrameset("FRAMESET1");
  return copy;
}

namespace {
// The bed's number over the item's picture, from `left` to `right` and `top` down; none while
// the item is hidden in a hand.
void drawBedNumber(CMapEntity *item, uint16_t number, float left, float right, float top) {
  Frameset *fs = item->looks().getSprite() ? item->looks().getSprite()->getAktivniFrameset() : nullptr;
  const float textAlpha = (fs && std::string(fs->getID()) == "INVISIBLE") ? 0.0f : 1.0f;
  KText *font = entitykit::loadedFont("small2");
  if (!font) return;
  font->setColor(0.0f, 0.0f, 0.0f, textAlpha);
  font->drawStringCentered(makeString((int)number).c_str(), (long)left, (long)right, (long)top, 0.0f);
}
} // namespace

void CMapEntity_Lek::renderAdditional(KGraphic *) { drawBedNumber(this, bedNumber, x, x + 20.0f, y + 23.0f); }

void CMapEntity_Recept::renderAdditional(KGraphic *) { drawBedNumber(this, bedNumber, x, x + 24.0f, y + 12.0f); }
