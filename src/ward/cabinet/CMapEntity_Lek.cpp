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
  // lies over the counter, and the nearest floor in its column can be the far side of a bed that
  // stands against the counter's end, out of her reach.
  copy->approachX = kReachX;
  copy->approachY = kReachY;
  CEngine *running = CEngine::running();
  CPlayer *player = running ? running->getPlayer() : nullptr;
  // The basket's star index: stars owned minus one.
  int stars = (player && player->basketContains(kMedsUpgradeID)) ? player->starsOwned(kMedsUpgradeID) - 1 : -1;
  copy->addEntityZSprite(spriteFor(stars));
  if (copy->getSprite()) copy->getSprite()->nastavFrameset("FRAMESET1");
  return copy;
}

void CMapEntity_Lek::renderAdditional(KGraphic *g) {
  (void)g;
  Frameset *fs = getSprite() ? getSprite()->getAktivniFrameset() : nullptr;
  const float textAlpha = (fs && std::string(fs->getID()) == "INVISIBLE") ? 0.0f : 1.0f;
  KText *font = entitykit::loadedFont("small2");
  if (!font) return;
  font->setColor(0.0f, 0.0f, 0.0f, textAlpha);
  font->drawStringCentered(makeString((int)bedNumber).c_str(), (long)x, (long)(x + 20.0f), (long)(y + 23.0f), 0.0f);
}
