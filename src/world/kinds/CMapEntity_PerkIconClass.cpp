#include "world/kinds/CMapEntity_PerkIconClass.h"

#include "world/TVariable.h"
#include "world/kinds/EntityIds.h"

CMapEntity_PerkIconClass::CMapEntity_PerkIconClass(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Game(x, y, solid) {
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

// The clip's second edge is the bottom one: the picture is drawn down to the remaining fraction,
// so an unused icon shows whole and the spent part is cut away from below.
void CMapEntity_PerkIconClass::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  float left = remaining;
  if (left < 0.0f) left = 0.0f;
  if (left > 1.0f) left = 1.0f;
  setVyrezPercent(-1, (short)(left * 100.0f), -1, -1);
}
