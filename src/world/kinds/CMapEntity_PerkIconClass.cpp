#include "world/kinds/CMapEntity_PerkIconClass.h"

#include "media/Frame.h"
#include "world/TVariable.h"
#include "world/kinds/EntityIds.h"

CMapEntity_PerkIconClass::CMapEntity_PerkIconClass(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  setEntityClassID(kPerkIconClass);
  exportVariable("maxuses", TVariable::INTEGER, &maxuses);
  exportVariable("duration", TVariable::INTEGER, &duration);
}

void CMapEntity_PerkIconClass::countUse() {
  ++uses;
  remaining = maxuses > 0 ? 1.0f - (float)uses / (float)maxuses : 0.0f;
  if (uses >= maxuses) {
    active = 0;
    setRGB(1.0f, 1.0f, 1.0f, false);
    spent = 1;
  }
}

// The spent fraction is cut from the top (the clip's fourth edge), so an unused icon shows whole
// and a used-up one not at all.
void CMapEntity_PerkIconClass::animateAdditional() {
  CMapEntity_Game::animateAdditional();
  float spentPart = 1.0f - remaining;
  if (spentPart < 0.0f) spentPart = 0.0f;
  if (spentPart > 1.0f) spentPart = 1.0f;
  Frame *f = looks().getCurrentFrame();
  looks().setVyrez(-1, -1, -1, f ? (short)((float)f->getVyska() * spentPart) : (short)-1);
}
