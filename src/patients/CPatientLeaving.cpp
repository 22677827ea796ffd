#include "patients/CPatientLeaving.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "media/CRandom.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "patients/CPacientController.h"
#include "world/CCaption.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

namespace {
// Paid when a patient that ran away is brought back to its bed.
const int kCapturePay = 100;
} // namespace

int paymentFor(float money, float mood) { return (int)(money * 150.0f * mood); }

void CPatientLeaving::runFromBed() {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  if (bed) b.climbOut(bed);
  p->setSortZ(0, false);
  p->runAway();
  b.switchPacientFrameset("FRAMESET1", false, true, false);
  b.switchPacientFrameset("RUNNING", false, false, true);
  b.switchPacientFrameset("ILL2", true, false, false);
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) bar->setAlpha(0.0f, true);
  p->zapniAnimace();
  p->setXY(325.0f, p->getY());
  b.homeX = (int16_t)p->getX();
  b.homeY = (int16_t)p->getY();
  b.play(CRandom::draw() % 2 == 0 ? "CUSTOMER_RUNS" : "CUSTOMER_RUNS_ALT");
}

void CPatientLeaving::phaseRunning() {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity_PostelClass *own = dynamic_cast<CMapEntity_PostelClass *>(p->getBedLink());
  p->changeY(1.0f);
  if (p->getY() > 600.0f) {
    b.play(CRandom::draw() % 2 == 0 ? "CUSTOMER_ESCAPES" : "CUSTOMER_ESCAPES_ALT");
    if (own) own->releaseOccupant();
    p->forgetBed();
    b.clearOnKill();
    b.killEntity();
    return;
  }
  bool wasHeld = b.heldByCursor() == p;
  b.drag(true);
  CMapEntity_Game *bedUnder = b.underCursor(kBedClass);
  if (b.heldByCursor() == p && KInput::getLeftButtonState()) {
    if (own) own->setHighlightOn(true);
    if (bedUnder && bedUnder == own) {
      b.previewIn(own, "VERYGOOD");
    } else if (b.previewing()) {
      b.sesadPacienta();
      b.switchPacientFrameset("ILL2", true, false, false);
    }
  } else if (wasHeld && !KInput::getLeftButtonState()) {
    b.setHeld(nullptr);
    p->setSortZ(0, false);
    if (own && bedUnder == own && b.previewingIn(own) &&
        (!p->bedDropBlocked() || own->getEntityID() == kLockedBedID)) {
      capture(own);
    } else {
      if (b.previewing()) b.sesadPacienta();
      p->setXY(b.homeX, b.homeY);
      if (own) own->setHighlightOn(false);
      b.switchPacientFrameset("FRAMESET1", false, true, false);
      b.switchPacientFrameset("ILL2", true, false, false);
      b.switchPacientFrameset("RUNNING", false, false, true);
    }
  }
  p->dragged = 0;
}

void CPatientLeaving::capture(CMapEntity_Game *target) {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity_PostelClass *bed = static_cast<CMapEntity_PostelClass *>(target);
  b.sesadPacienta();
  b.queueAction(&b, 2, 0);
  float yo = p->getKind() == 4 ? -7.0f : -10.0f;
  b.layout(bed, yo);
  bed->takeBack(p);
  if (CMapEntity *rail = bed->getContainedEntityClass(CMapEntity_PostelClass::kRailClass)) rail->setSortZ(6, false);
  p->carriedBack();
  b.switchPacientFrameset("LYING", false, true, true);
  b.switchPacientFrameset("VERYGOOD", true, false, false);
  p->synchronizujNaladu();
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) bar->setAlpha(1.0f, false);
  bed->setHighlightOn(false);
  p->restartRunAwayClock();
  CCaption::pay(b.collection, b.currentLevel(), p->getX() - 50, p->getY(),
                "PATIENT CAPTURED +", kCapturePay);
}

// A cured patient pays as she gets up, at the click that sends her home: the player sees at once
// that the click was taken.
void CPatientLeaving::pay() {
  CMapEntity_PacientClass *p = b.patient();
  CLevel_Game *lvl = b.currentLevel();
  int amount = paymentFor(p->getMoney(), p->getMood());
  if (lvl) lvl->showBigWord(p->getX() - 65, p->getY() - 30, "", "");
  b.play("EXIT");
  CCaption::pay(b.collection, lvl, p->getX() - 20, p->getY(), "CASH +", amount, TCaptionKind::Plain);
  CPlayer *player = b.engine ? b.engine->getPlayer() : nullptr;
  if (p->isCelebrity() && player && !player->wasCelebritySeen((int)p->getEntityID())) {
    player->addCelebritiesSeen((int)p->getEntityID());
    int half = amount / 2;
    // Not the day's money: it goes to the bank with the bonus of a won day.
    CCaption::show(b.collection, p->getX() - 40, p->getY() + 30, "EXTRA SAVED +" + makeString(half),
                   TCaptionKind::Cash);
    if (lvl) lvl->addFamousExtra(half, p->getDiseaseName());
  }
  if (lvl) lvl->incCured();
}

void CPatientLeaving::phaseLeaving() {
  CMapEntity_PacientClass *p = b.patient();
  payTimer.reset();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  if (bed) {
    // The bed forgets its occupant now, so nothing follows the link once the patient is gone.
    bed->releaseOccupant();
    if (CMapEntity *blanket = bed->getContainedEntityClass(CMapEntity_PostelClass::kBlanketClass)) {
      blanket->setXOffset(0.0f, false);
      blanket->setYOffset(50.0f, false);
      blanket->setSortZ(3, false);
    }
    p->setSortZ(2, false);
    if (CMapEntity *pillow = bed->getContainedEntityClass(CMapEntity_PostelClass::kPillowClass)) pillow->setSortZ(1, false);
    if (CMapEntity *h = b.head()) h->setSortZ(4, false);
    bed->containedCopiesUpdate();
    p->containedCopiesUpdate();
  }
  if (p->getMeterFull() == 0.0f && p->getMood() != 0.0f) {
    // Up on her feet, the bill handed over.
    b.switchPacientFrameset("EXITING_GOOD", false, true, true);
    b.switchPacientFrameset("VERYGOOD", true, false, false);
    b.play(CRandom::draw() % 2 == 0 ? p->getSounds().exitHappy1 : p->getSounds().exitHappy2);
  } else if (p->getMood() == 0.0f) {
    if (p->looks().getSprite()) p->looks().getSprite()->nastavFrameset("EXITING_BAD");
  }
  p->zapniAnimace();
  p->walkOut();
  if (p->getMood() != 0.0f) pay();
}

void CPatientLeaving::phaseGone() {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity *bedCarrier = p->carrying().getParent();
  if (CMapEntity_Game *bed = bedCarrier ? dynamic_cast<CMapEntity_PostelClass *>(bedCarrier) : nullptr) {
    if (CMapEntity *l = bed->getContainedEntity((unsigned short)kGreenLightID)) l->setAlpha(0.0f, true);
    if (CMapEntity *l = bed->getContainedEntity((unsigned short)kRedLightID)) l->setAlpha(0.0f, true);
  }
  if (!payTimer.udalost()) return;
  CLevel_Game *lvl = b.currentLevel();
  if (p->getMood() == 0.0f) {
    b.play(CRandom::draw() % 2 == 0 ? p->getSounds().exitAngry1 : p->getSounds().exitAngry2);
    CMapEntity_Game *lost = CMapEntitiesFactory::instance()->cloneEntity("NAPISLOST");
    lost->setXY(p->getX() - 65, p->getY() - 30);
    b.collection->addEntity(lost);
    if (lvl) lvl->incLost();
  }
  b.clearOnKill();
  b.killEntity();
}
