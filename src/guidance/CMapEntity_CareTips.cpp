#include "guidance/CMapEntity_CareTips.h"

#include "world/kinds/EntityIds.h"

CMapEntity_LowTextBubble::CMapEntity_LowTextBubble(const CMapEntity_LowTextBubble &o) : CMapEntity_TutorialClass(o) {
  if (CMapEntity *box = getContainedEntity(kTextBoxID)) {
    box->setYOffset(55, false);
    box->syncWithParentPosition();
  }
}
