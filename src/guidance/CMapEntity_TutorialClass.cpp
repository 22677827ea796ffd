#include "guidance/CMapEntity_TutorialClass.h"

#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/TVariable.h"
#include "world/kinds/EntityIds.h"

CMapEntity_TutorialClass::CMapEntity_TutorialClass(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  setEntityClassID(kTutorialBubbleClass);
  if (spriteFactory) looks().setSprite("TUTORIALBG");
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("FRAMESET1");
  setXY(x, y);
  setWalkPenalty(200);
  health = 100;
  exportVariable("text", TVariable::STRING, &text);
  setSortZ(3, false);
}

CMapEntity_TutorialClass::CMapEntity_TutorialClass(const CMapEntity_TutorialClass &o)
    : CCloneable(o), text(o.text) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("TEXTBOX");
  addEntity(e, true, true);
  e->setXOffset(72, false);
  e->setYOffset(68, false);
  e->syncWithParentPosition();
  if (auto *box = dynamic_cast<CMapEntity_TextBox *>(e)) {
    box->fontName = "gamefont";
    box->text = text;
    box->boxWidth = 700;
  }
}
