#include "ward/staff/COpravarController.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "ward/staff/CMapEntity_Opravar.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Visual.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

namespace {
void showFrameset(CMapEntity *e, const char *frameset) {
  if (e && e->looks().getSprite()) e->looks().getSprite()->nastavFrameset(frameset);
}
} // namespace

void COpravarController::onBind() { cursorRef = collection ? collection->getEntityByID(kCursorID) : nullptr; }

void COpravarController::specificHandleMessages(KEvent *ev) {
  if (!entity) return;
  if (ev->type == K_EVENT_MOUSEMOVE || ev->type == K_EVENT_MOUSEDOWN || ev->type == K_EVENT_MOUSEUP) {
    mouseX = ev->mouseX;
    mouseY = ev->mouseY;
  }
  if (ev->type == K_EVENT_MOUSEDOWN && ev->button == 1) {
    buttonDown = true;
    CMapEntity_Game *cursor = cursorRef.in(collection);
    entity->setAktivni(cursor && cursor->hits().isActionCollisionWithEntity(entity));
  }
  if (ev->type == K_EVENT_MOUSEUP && ev->button == 1) buttonDown = false;
}

CMapEntity_Game *COpravarController::liveBed() {
  CMapEntity_Opravar *man = dynamic_cast<CMapEntity_Opravar *>(entity);
  CMapEntity_Game *bed = man ? man->bed.in(collection) : nullptr;
  if (bed && !bed->getKill()) return bed;
  if (man) man->bed.clear();
  return nullptr;
}

void COpravarController::goHome(const char *frameset) {
  entity->setXY((float)kHomeX, (float)kHomeY);
  showFrameset(entity, frameset);
}

void COpravarController::update() {
  CMapEntity_Opravar *man = dynamic_cast<CMapEntity_Opravar *>(entity);
  if (!man || !collection) return;
  CMapEntity_Game *cursor = cursorRef.in(collection);
  if (man->getKill()) {
    if (draggedBy(cursor, collection) == man) setDragged(cursor, nullptr);
    return;
  }
  CMapEntity *parent = man->carrying().getParent();
  bool inHand = parent && (parent->getEntityID() == kLeftHandID || parent->getEntityID() == kRightHandID);
  if (cursor && cursor->hits().isActionCollisionWithEntity(man) && !inHand) {
    hover = 1;
    man->resetFlash();
  }
  if (hover) man->effectFlash(0.03f, 0.3f, false);

  if (!man->working && cursor) {
    if (!draggedBy(cursor, collection) && buttonDown && man->hits().isActionCollisionWithEntity(cursor))
      setDragged(cursor, man);
    if (draggedBy(cursor, collection) == man && buttonDown) {
      Frame *f = man->looks().getCurrentFrame();
      Rect a = f ? f->getActionBoundingBox() : Rect{0, 0, 0, 0};
      man->setXY((float)(mouseX - a.x - a.w / 2), (float)(mouseY - a.y - a.h / 2 + 30));
      cursor->changeFrame(1, 0);
      if (CMapEntity *bed = cursor->hits().isActionCollisionWithEntityClassID(kBedClass)) {
        man->setXY(bed->getX() + 105, bed->getY());
        showFrameset(man, "WORK");
      } else {
        showFrameset(man, "FRAMESET1");
      }
    } else if (draggedBy(cursor, collection) == man) {
      setDragged(cursor, nullptr);
      CMapEntity_Game *bed =
          dynamic_cast<CMapEntity_Game *>(cursor->hits().isActionCollisionWithEntityClassID(kBedClass));
      if (bed && bed->getHealth() == 0) {
        man->bed = bed;
        man->setXY(bed->getX() + 105, bed->getY());
        CWorldEngine *host = worldEngine();
        if (host && host->getSoundEngine()) host->getSoundEngine()->playSound("BED_FIXED");
        man->changeFrameset("WORK");
        man->zapniAnimace();
        man->working = 1;
      } else {
        goHome("FRAMESET1");
      }
    }
  }

  if (man->working) {
    CMapEntity_Game *bed = liveBed();
    if (!bed) {
      man->working = 0;
      goHome("NUDA");
    } else if (repair.udalost()) {
      bed->damage(-10);
      if (bed->getHealth() >= 100) finishRepair(bed);
    }
  }
}

void COpravarController::finishRepair(CMapEntity_Game *mended) {
  CMapEntity_Opravar *man = static_cast<CMapEntity_Opravar *>(entity);
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(mended);
  CMapEntity_PacientClass *patient =
      bed ? dynamic_cast<CMapEntity_PacientClass *>(bed->getOccupant()) : nullptr;
  if (patient) {
    CPlayer *record = engine ? engine->getPlayer() : nullptr;
    int level = CCharismaTable::level(record ? record->starsOwned(kCharismaUpgradeID) : 0);
    patient->changeMood(CCharismaTable::amount(CCharismaTable::kRepairedBed, level));
    entitykit::heartBeside(collection, patient);
  }
  man->changeFrameset("NUDA");
  man->setXY((float)kHomeX, (float)kHomeY);
  CMapEntity *parts[] = {mended, mended->getContainedEntityClass(CMapEntity_PostelClass::kRailClass),
                         mended->getContainedEntityClass(kHighlightClass)};
  for (CMapEntity *p : parts) showFrameset(p, "FRAMESET1");
  man->working = 0;
  man->bed.clear();
}
