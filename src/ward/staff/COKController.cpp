#include "ward/staff/COKController.h"

#include "engine/KEvent.h"
#include "media/Frame.h"
#include "media/Timer.h"
#include "ward/staff/CMapEntity_Marker.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/EntityIds.h"

COKController::COKController(const COKController &o) : CCloneable(o), life(700, false) {}

void COKController::specificHandleMessages(KEvent *ev) {
  if (!entity || ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  Frame *f = entity->looks().getCurrentFrame();
  if (!f) return;
  int left = (int)entity->getX() + f->getBX(), top = (int)entity->getY() + f->getBY();
  bool inside = ev->mouseX > left && ev->mouseX < left + (int)f->getBW() && ev->mouseY > top &&
                ev->mouseY < top + (int)f->getBH();
  entity->setAktivni(inside);
}

void COKController::update() {
  if (entity && life.udalost()) killEntity();
}

void COKController::placeMarker(CMapEntitiesCollection *collection, const KEvent *ev) {
  if (!collection || !ev) return;
  CMapEntity_Game *marker = CMapEntitiesFactory::instance()->cloneEntity("OK");
  marker->setXY((float)(ev->mouseX + 9), (float)(ev->mouseY + 24));
  collection->addEntity(marker);
}

void CHlasicController::update() {
  CMapEntity_Hlasic *lamp = dynamic_cast<CMapEntity_Hlasic *>(entity);
  if (!lamp || !lamp->on) return;
  if (CMapEntity *light = lamp->getContainedEntity(kRedLightID)) light->effectPulse(0.6f, -1);
}
