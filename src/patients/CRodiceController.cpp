#include "patients/CRodiceController.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/Timer.h"
#include "media/makeString.h"
#include "patients/CMapEntity_Rodice.h"
#include "patients/CPacientController.h"
#include "patients/CRodiceGeneratorController.h"
#include "world/CCaption.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

int CRodiceController::stars() const {
  CPlayer *player = engine ? engine->getPlayer() : nullptr;
  return CCharismaTable::level(player ? player->starsOwned(kCharismaUpgradeID) : 0);
}

CMapEntity_Game *CRodiceController::cursor() const { return kurzor.in(collection); }

CMapEntity *CRodiceController::dragged() const { return draggedBy(cursor(), collection); }

void CRodiceController::setDragged(CMapEntity *e) { ::setDragged(cursor(), e); }

void CRodiceController::onBind() {
  CMapEntity_RodiceClass *r = dynamic_cast<CMapEntity_RodiceClass *>(entity);
  CMapEntity_FrontaAkci::require(collection);
  postel.clear();
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(e))
      if (r && bed->getOccupant() && bed->getBedNumber() == r->wantedBed) postel = bed;
  kurzor = collection->getFirstEntityByClassID(kCursorClass);
  homeX = (int32_t)entity->getX();
  homeY = (int32_t)entity->getY();
  entity->setAlpha(1.0f, true);
}

CMapEntity_PacientClass *CRodiceController::visited() {
  CMapEntity_PostelClass *bed = postel.in(collection);
  if (!bed) postel.clear();
  return bed ? dynamic_cast<CMapEntity_PacientClass *>(bed->getOccupant()) : nullptr;
}

void CRodiceController::moodChange(float d) {
  CMapEntity_PacientClass *p = visited();
  if (!p) return;
  p->changeMood(d);
}

void CRodiceController::specificHandleMessages(KEvent *ev) {
  if (!ev || !entity || entity->locked || ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  CMapEntity_FrontaAkci *fronta = actionQueue();
  if (!fronta) return;
  mouseX = (int32_t)KInput::getMouseX();
  mouseY = (int32_t)KInput::getMouseY();
  CMapEntity_Game *pointer = cursor();
  fronta->queueClick(this, pointer && pointer->hits().isActionCollisionWithEntity(entity), collection, mouseX, mouseY);
}

void CRodiceController::leave() {
  if (CMapEntity_Game *bed = postel.in(collection)) {
    bed->setHighlightOn(false);
    if (bed->getHighlight()) bed->getHighlight()->looks().setVisible(false);
  }
  CMapEntity_RodiceClass *r = dynamic_cast<CMapEntity_RodiceClass *>(entity);
  if (CMapEntity_Game *gen = collection->getEntityByID(kParentGeneratorID))
    if (CRodiceGeneratorController *g = dynamic_cast<CRodiceGeneratorController *>(gen->getController())) {
      g->setSlot(false, r ? r->slot : 0);
      CLogger::instance()->log("Rodic slot freeing: " + makeString(r ? r->slot : 0));
    }
  entity->setKill(true);
}

void CRodiceController::update() {
  CMapEntity_RodiceClass *r = dynamic_cast<CMapEntity_RodiceClass *>(entity);
  if (!r || !collection) return;
  mouseX = (int32_t)KInput::getMouseX();
  mouseY = (int32_t)KInput::getMouseY();
  CMapEntity_Game *pointer = cursor();
  CMapEntity *parent = r->carrying().getParent();
  bool inHand = parent && (parent->getEntityID() == kLeftHandID || parent->getEntityID() == kRightHandID);
  bool under = pointer && pointer->hits().isActionCollisionWithEntity(r);
  if (under && !inHand) {
    flashing = 1;
    r->resetFlash();
  }
  if (flashing) r->effectFlash(0.03f, 0.3f, false);
  if (CMapEntity_FrontaAkci *fronta = actionQueue()) fronta->serveActivation(this, r);
  bool patientGone = !postel.empty() && !visited();
  bool visitOver = false;
  if (!r->visiting && !patientGone) {
    if (!postel.empty() && sadTimer.udalost()) {
      moodChange(CCharismaTable::amount(CCharismaTable::kParentsWaiting, stars()));
      r->changeFrameset("SMUTNO");
      r->zapniAnimace();
      sadTimer.nastavSpoustec(CRandom::draw() % 5000 + 9000);
      sadTimer.reset();
    }
    bool down = KInput::getLeftButtonState();
    if (under && down && !dragged()) setDragged(r);
    if (dragged() == r && down) {
      Frame *f = r->looks().getCurrentFrame();
      Rect box = f ? f->getActionBoundingBox() : Rect{0, 0, 0, 0};
      r->setXY((float)(mouseX - box.x - box.w / 2), (float)(mouseY - box.y - box.h / 2 + 30));
      r->dragged = 1;
      if (CMapEntity_Kurzor *k = dynamic_cast<CMapEntity_Kurzor *>(pointer)) k->changeFrame(1, 0);
      CMapEntity *bed = pointer ? pointer->hits().isActionCollisionWithEntityClassID(kBedClass) : nullptr;
      if (bed) {
        r->setXY(bed->getX() - 40, bed->getY() - 60);
        r->changeFrameset("MATCH");
      } else {
        r->changeFrameset("WAITING");
      }
    } else if (dragged() == r && !down) {
      setDragged(nullptr);
      CMapEntity_PostelClass *bed =
          pointer ? dynamic_cast<CMapEntity_PostelClass *>(pointer->hits().isActionCollisionWithEntityClassID(kBedClass))
                 : nullptr;
      if (!bed || !bed->getOccupant() || bed->getBedNumber() != r->wantedBed) {
        r->setXY((float)homeX, (float)homeY);
        r->changeFrameset("WAITING");
      } else {
        r->setXY(bed->getX() - 40, bed->getY() - 60);
        r->visiting = 1;
        // At the bed they are dragged no more: a press on them there is for the bed.
        r->setMouseDrag(false);
        postel = bed;
        visitTimer.reset();
        r->changeFrameset("MATCH");
        CMapEntity_Game *heart = CMapEntitiesFactory::instance()->cloneEntity("SRDCE");
        heart->setXY(r->getX() + 22, r->getY() + 20);
        collection->addEntity(heart);
        // Over the bed's head, where the parents stand: left of them it read as another bed's.
        CCaption::show(collection, bed->getX() + 10, bed->getY() - 20, "MATCH!", TCaptionKind::Cash);
        if (CSoundEngine *s = engine ? engine->getSoundEngine() : nullptr) s->playSound("PARENTS_VISIT");
      }
      r->dragged = 0;
    }
  }
  if (r->visiting && !postel.empty() && !patientGone) {
    r->changeAlpha(-0.013f, true);
    if (visitTimer.udalost()) {
      moodChange(CCharismaTable::amount(CCharismaTable::kParentsVisit, stars()));
      visitOver = true;
    }
  }
  if (visitOver || patientGone) leave();
  if (r->getKill() && dragged() == r) setDragged(nullptr);
}
