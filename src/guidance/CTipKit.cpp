#include "guidance/CTipKit.h"

#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "guidance/CMapEntity_TutorialClass.h"
#include "media/ZSprite.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

void TPointerFollow::follow(const KEvent *ev) {
  if (ev->type != K_EVENT_MOUSEMOVE) return;
  if (lastX >= 0) {
    moveX = (int16_t)(ev->mouseX - lastX);
    moveY = (int16_t)(ev->mouseY - lastY);
  }
  lastX = (int16_t)ev->mouseX;
  lastY = (int16_t)ev->mouseY;
  pointerX = ev->mouseX;
  pointerY = ev->mouseY;
}

namespace tipkit {

CMapEntity_Game *carryArrow(CMapEntity *bubble, float dx, float dy, float angle) {
  CMapEntity_Game *a = CMapEntitiesFactory::instance()->cloneEntity("SIPKA");
  bubble->addEntity(a, true, true);
  if (angle != 0.0f && a->looks().getSprite()) a->looks().getSprite()->setAngle(angle);
  a->setXOffset(dx, false);
  a->setYOffset(dy, false);
  a->syncWithParentPosition();
  return a;
}

CMapEntity_Game *freeArrow(CMapEntitiesCollection *collection, float x, float y, float angle, int z) {
  CMapEntity_Game *a = CMapEntitiesFactory::instance()->cloneEntity("SIPKA");
  if (angle != 0.0f && a->looks().getSprite()) a->looks().getSprite()->setAngle(angle);
  a->setXY(x, y);
  a->setSortZ(z, false);
  collection->addEntity(a);
  return a;
}

void dropArrow(TEntityRef<CMapEntity_Game> &arrow, CMapEntitiesCollection *collection, CMapEntity *bubble) {
  CMapEntity_Game *a = arrow.in(collection);
  if (!a && bubble) a = arrow.among(bubble->carrying().getContainedList());
  if (a) a->setKill(true);
  arrow.clear();
}

CMapEntity_Game *reachDown(CMapEntity_Game *arrow) {
  if (arrow) arrow->changeFrameset("LONG");
  return arrow;
}

void writeText(CMapEntity_Game *bubble, const char *text) {
  if (auto *b = dynamic_cast<CMapEntity_TutorialClass *>(bubble)) b->text = text;
  if (auto *box = dynamic_cast<CMapEntity_TextBox *>(bubble->getContainedEntity(kTextBoxID))) box->text = text;
}

CMapEntity_Game *open(CMapEntitiesCollection *collection, const char *name, float x, float y) {
  if (!collection) return nullptr;
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(name);
  if (!e) return nullptr;
  e->setXY(x, y);
  collection->addEntity(e);
  return e;
}

bool bubbleStands(CMapEntitiesCollection *collection) {
  if (!collection) return false;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (e->getEntityClassID() == kTutorialBubbleClass && !e->getKill()) return true;
  return false;
}

void hoverFade(CMapEntity_Game *bubble) {
  const long y = KInput::getMouseY();
  bubble->setAlpha(y > bubble->getY() && y < bubble->getY() + 100 ? 0.3f : 1.0f, true);
}

bool gaugeFull(CMapEntity_PacientClass *patient) {
  auto *chair = patient ? dynamic_cast<CMapEntity_DiagnosticTool *>(patient->getChair()) : nullptr;
  CMapEntity_Tlakomer *gauge = chair ? chair->getGauge() : nullptr;
  return gauge && gauge->full;
}

void askPatientToAwaitClick(CMapEntity_PacientClass *patient) {
  if (CPatientGuideLink *guide = TLink<CPatientGuideLink>::get()) guide->awaitDeskClick(patient);
}

} // namespace tipkit
