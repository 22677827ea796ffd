#include "ward/player/CPlayerPatientWork.h"

#include <cmath>
#include <cstdlib>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "media/CFakeTime.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/ZSprite.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "ward/player/CPlayerBody.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

namespace {
// How long after an outbreak ended untreated the figure's arrival at the bed still answers it.
const int32_t kTooLateMs = 4000;

int charismaLevel() {
  CEngine *running = CEngine::running();
  CPlayer *p = running ? running->getPlayer() : nullptr;
  return CCharismaTable::level(p ? p->starsOwned(kCharismaUpgradeID) : 0);
}

int32_t gameNow() { return (int32_t)CFakeTime::instance()->ms; }
} // namespace

int CPlayerPatientWork::walkMs(float distance, float speed, float speedFactor) {
  float perStep = 140.0f * speed * speedFactor;
  return perStep > 0.0f ? (int)(distance * 10000.0f / perStep) : 0;
}

CPlayerPatientWork::CPlayerPatientWork(CPlayerBody &b, int examMs) : body(b), examTimer(examMs, false) {}

CPlayerPatientWork::CPlayerPatientWork(CPlayerBody &b, const CPlayerPatientWork &o, int examMs)
    : body(b), examTimer(examMs, false), savedX(o.savedX), savedY(o.savedY) {}

const CMapEntity_PacientClass *CPlayerPatientWork::patientAtHand() const { return body.find(examined); }

CMapEntity_Game *CPlayerPatientWork::firstCabinet() const {
  for (CMapEntity_Game *e : body.entities())
    if (e->getEntityClassID() == kCabinetClass && !e->getKill()) return e;
  return nullptr;
}

CMapEntity_PerkIconClass *CPlayerPatientWork::cureTouchIcon() const {
  CMapEntity_Game *bar = body.byID(kStatusBarID);
  CMapEntity_PerkIconClass *icon =
      bar ? dynamic_cast<CMapEntity_PerkIconClass *>(bar->getContainedEntity(kCureTouchIconID)) : nullptr;
  return icon && icon->active ? icon : nullptr;
}

void CPlayerPatientWork::sparkles() {
  float x = 0.0f, y = 0.0f;
  body.position(x, y);
  for (int i = 0; i < 12; ++i) {
    CMapEntity_Game *s = CMapEntitiesFactory::instance()->cloneEntity("WHITEPARTICLE");
    if (!s) return;
    s->setXY(x - (float)(CRandom::draw() % 60) - 20, y + 40 + (float)(CRandom::draw() % 10));
    s->setZoom((float)(80 + CRandom::draw() % 20) / 100.0f);
    body.place(s);
  }
}

// Her patient is the one whose bed she was sent to (the patient or the bed was clicked): only at
// that bed's work point can she do a patient's work. Of two bottles a click chose she takes the
// one nearer to her.
void CPlayerPatientWork::gather(const std::vector<CMapEntity *> &things, TReach &reach) {
  CMapEntity_PacientClass *found = nullptr;
  CMapEntity_Game *bottle = nullptr;
  float footX = 0.0f, footY = 0.0f, bottleFar = 0.0f;
  body.foot(footX, footY);
  for (CMapEntity *e : things) {
    CMapEntity_Game *g = dynamic_cast<CMapEntity_Game *>(e);
    if (!g || g->getKill()) continue;
    const bool chosen = !reach.here || g->getAktivni();
    if (g->getEntityClassID() == kCabinetClass) reach.offer(TWorkKind::kCabinet, g);
    CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(g);
    // At a bed's work spot its patient is within reach, also where the tile grid puts the figure
    // further from her than the bed's spot meant (a bed at x 16 past a tile edge).
    if (!p && g->getEntityClassID() == kBedClass && (!reach.here || body.atWorkSpot(g)))
      if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(g))
        p = dynamic_cast<CMapEntity_PacientClass *>(b->getOccupant());
    if (p && p->getEntityClassID() == kPatientClass && p->getPhase() != kPhaseArrived && p->getPhase() != kPhaseOnChair &&
        (!reach.here || p->getAktivni()) && p->getBed())
      found = p;
    if (g->getEntityID() == kMedicineID && chosen && !g->carrying().getParent()) {
      const float far = std::hypot(g->getX() + (float)g->approachX - footX, g->getY() + (float)g->approachY - footY);
      if (!bottle || far < bottleFar) bottle = g, bottleFar = far;
    }
  }
  reach.offer(TWorkKind::kFloorMedicine, bottle);
  if (reach.here) {
    patient = found;
    if (!reach.arrived) {
      touched.clear();
      nextCoughBy = gameNow();
    }
    reach.nextCough = reach.arrived && (int32_t)((uint32_t)gameNow() - (uint32_t)nextCoughBy) < 0;
  }
  if (!found || (reach.here && !body.atWorkSpot(found->getBed()))) return;
  const bool idle = found->dragged == 0;
  const uint8_t state = found->getBedState();
  if (state == kBedOutbreak && idle) reach.offer(TWorkKind::kOutbreak, found);
  if (state == kBedWaitingMedicine && idle) reach.offer(TWorkKind::kMedicineDue, found);
  if (idle) reach.offer(TWorkKind::kItemWanted, found);
  // A cough that ended before she came is not healed by a touch: the perk waits for the next.
  if (cureTouchIcon() && ((idle && state == kBedSleeping) || state == kBedWaitingMedicine) &&
      !found->missedOutbreakSince(gameNow() - kTooLateMs) && !touched.is(found))
    reach.offer(TWorkKind::kCureTouch, found);
  // Once paid the patient is on its way out: a click on the bed then pays nothing more.
  if (state == kBedGivingMoney && found->getPhase() == kPhaseInBed && idle) reach.offer(TWorkKind::kPaying, found);
}

// However long the way: a cough she was sent to is answered, examined or missed.
bool CPlayerPatientWork::sayTooLate(TReach &reach, int32_t orderedAt) {
  CMapEntity_PacientClass *p = body.find(patient);
  const int32_t lately = gameNow() - kTooLateMs;
  if (!p || !p->getBed() || p->getBedState() == kBedOutbreak || !body.atWorkSpot(p->getBed()) ||
      !p->missedOutbreakSince(orderedAt - lately < 0 ? orderedAt : lately))
    return false;
  body.refuse(p->getX() - 20.0f, p->getY(), "Too late!");
  nextCoughBy = gameNow() + kNextCoughMs;
  reach.nextCough = true;
  return true;
}

void CPlayerPatientWork::cureTouchUse(CMapEntity_PerkIconClass *icon, CMapEntity_PacientClass *p) {
  touched = p;
  icon->countUse();
  body.playSound("PERK_ACTIVATE");
  sparkles();
}

// One touch is one use of the perk.
void CPlayerPatientWork::cureTouch(CMapEntity_Game *thing) {
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(thing);
  CMapEntity_PerkIconClass *icon = cureTouchIcon();
  if (!p || !icon) return;
  cureTouchUse(icon, p);
  if (CPatientCareLink *care = TLink<CPatientCareLink>::get()) care->refreshMeter(p);
  if (CMapEntity *meter = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) meter->looks().setFlash(0.0f);
  p->changeMeter(-0.25f);
}

void CPlayerPatientWork::sendHome(CMapEntity_Game *thing) {
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(thing);
  if (!p) return;
  p->startLeaving();
  body.chainBonus(CChainBonus::kSentHome, p->getX(), p->getY(), "CASH +", TCaptionKind::Cash);
}

void CPlayerPatientWork::takeMedicine(CMapEntity_Game *bottle) {
  if (CMapEntity_Lek *floor = dynamic_cast<CMapEntity_Lek *>(bottle)) {
    const uint16_t number = floor->bedNumber;
    floor->setKill(true);
    CMapEntity_Lek *lek = dynamic_cast<CMapEntity_Lek *>(CMapEntitiesFactory::instance()->cloneEntity("LEK"));
    if (lek) {
      lek->bedNumber = number;
      body.take(lek);
    }
  }
  body.restOnDown();
  body.playSound("PHARMACY_TAKE");
}

void CPlayerPatientWork::handInPrescription(CMapEntity_Game *cabinet) {
  CMapEntity *recept = body.held(kPrescriptionID);
  if (recept && cabinet) {
    recept->looks().setVisible(false);
    body.give(recept, cabinet, true);
    if (!body.held(kPrescriptionID)) markCabinet(cabinet, false);
    body.playSound("PHARMACY_SEARCH");
    body.playSound("DOCTOR_DELIVERS_PRESCRIPTS");
  }
}

// A day without a cabinet cannot make medicine: the treatment is given up with a log line and the
// figure stays free, instead of the game ending.
bool CPlayerPatientWork::treatOutbreak(CMapEntity_Game *thing) {
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(thing);
  CMapEntity_Game *bedOf = p ? p->getBed() : nullptr;
  if (!p || !bedOf) return false;
  CMapEntity_LekarnaClass *pharmacy = dynamic_cast<CMapEntity_LekarnaClass *>(firstCabinet());
  if (!pharmacy) {
    CLogger::instance()->log("Class LEKARNA not found!");
    return false;
  }
  CMapEntity *hearts = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
  if (hearts) hearts->effectFinishPulse();
  p->countTreatedOutbreak();

  if (p->withinFastService()) {
    p->changeMood(CCharismaTable::amount(CCharismaTable::kFastService, charismaLevel()));
    p->synchronizujNaladu();
    body.heartBeside(p);
    body.pay(p->getX() - 50, p->getY(), "FAST SERVICE +", (int)p->getFastService());
    body.playSound("CHAIN2");
  }

  float x = 0.0f, y = 0.0f, speed = 0.0f, factor = 0.0f;
  body.position(x, y);
  body.walkSpeed(speed, factor);
  float dx = (float)std::abs((int)pharmacy->getX() - (int)x);
  float dy = (float)std::abs((int)pharmacy->getY() - (int)y);
  int walk = walkMs(std::sqrt(dx * dx + dy * dy), speed, factor);
  p->startMedicineWait(walk + pharmacy->productionTime + 5500);

  CMapEntity *head = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
  CMapEntity *arm = p->getContainedEntityClass(CMapEntity_PacientClass::kHandClass);
  if (!cureTouchIcon()) {
    p->awaitMedicine();
    if (head) {
      head->changeFrameset("ILL1WAITING");
      head->zapniAnimace();
    }
    p->changeFrameset("LYING");
    if (arm) arm->changeFrameset("LYING");
    examTimer.reset();
    body.position(savedX, savedY);
    body.startExamination(bedOf->getX() + 64, bedOf->getY() - 28);
    body.playSound("DR_USES_STETHOSCOPE");
    body.chainBonus(CChainBonus::kExamination, p->getX(), p->getY(), "DIAGNOSTIC +");
    examined = p;
    if (hearts) hearts->effectFinishPulse();
    return true;
  }

  cureTouchUse(cureTouchIcon(), p);
  if (CPatientCareLink *care = TLink<CPatientCareLink>::get()) care->holdOutbreaksUntil(p, gameNow() + 60000);
  p->changeFrameset("LYING");
  if (arm) {
    arm->changeFrameset("LYING");
    arm->setSortZ(-1, false);
  }
  p->containedCopiesUpdate();
  if (head) head->changeFrameset("VERYGOOD");
  if (CMapEntity *light = bedOf->getContainedEntity((unsigned short)kRedLightID)) light->setAlpha(0.0f, true);
  p->healByTouch();
  body.caption(x - 50, y, "HEALING TOUCH!", TCaptionKind::Plain);
  return false;
}

// Every medicine for this bed is given; any other, or one the patient cannot take, is put down and
// picked up again so it stays with the figure.
void CPlayerPatientWork::giveMedicine(CMapEntity_Game *thing) {
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(thing);
  CMapEntity_PostelClass *bedOf = p ? dynamic_cast<CMapEntity_PostelClass *>(p->getBed()) : nullptr;
  if (!p || !bedOf) return;
  std::vector<CMapEntity *> kept;
  while (CMapEntity *m = body.held(kMedicineID)) {
    CMapEntity_Lek *lek = dynamic_cast<CMapEntity_Lek *>(m);
    if (lek && lek->bedNumber == bedOf->getBedNumber()) {
      lek->looks().setVisible(false);
      if (body.give(lek, p, false)) {
        body.restOnDown();
        body.chainBonus(CChainBonus::kMedicine, p->getX(), p->getY(), "TREATMENT +");
        continue;
      }
      lek->looks().setVisible(true);
    }
    body.playSound("NONO");
    CLogger::instance()->log("Dropping entity from player! " + m->name);
    if (!body.putDown(m)) {
      CLogger::instance()->log("Nepodaril se dropEntity(lek):(");
      break;
    }
    kept.push_back(m);
  }
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) body.take(*it, false);
}

void CPlayerPatientWork::giveItem(CMapEntity_Game *thing) {
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(thing);
  CMapEntity *item = body.heldOfClass(kComfortItemClass);
  if (!p || !item) return;
  body.playSound(CMapEntity_DrinkClass::deliverSound(item->getEntityID()));
  item->looks().setVisible(false);
  body.give(item, p, false);
  body.restOnDown();
}

// A patient that went away during the examination gets no prescription; the figure stands up.
bool CPlayerPatientWork::examining() {
  body.keepExamining();
  if (!examTimer.udalost()) return false;
  body.endExamination(savedX, savedY);
  CMapEntity_PacientClass *p = body.find(examined);
  CMapEntity_PostelClass *bedOf = p ? dynamic_cast<CMapEntity_PostelClass *>(p->getBed()) : nullptr;
  if (!bedOf) {
    CLogger::instance()->log("The examined patient is gone; no prescription");
    return true;
  }
  CMapEntity_Recept *recept = dynamic_cast<CMapEntity_Recept *>(CMapEntitiesFactory::instance()->cloneEntity("RECEPT"));
  if (recept) {
    recept->bedNumber = bedOf->getBedNumber();
    body.take(recept);
  }
  if (CMapEntity_Game *c = firstCabinet()) markCabinet(c, true);
  return true;
}

// The cabinet waiting for a prescription glows and an arrow beside it points at it, until the last
// prescription is handed in.
void CPlayerPatientWork::markCabinet(CMapEntity_Game *cabinet, bool on) {
  cabinet->setHighlightOn(on);
  if (cabinet->getHighlight()) cabinet->getHighlight()->looks().setVisible(on);
  CMapEntity *arrow = cabinet->CMapEntity::getContainedEntity((unsigned short)kArrowID);
  if (!on) {
    if (arrow) arrow->setKill(true);
    return;
  }
  if (arrow && !arrow->getKill()) return;
  CMapEntity_Game *a = CMapEntitiesFactory::instance()->cloneEntity("SIPKA");
  if (!a) return;
  cabinet->addEntity(a, true, true);
  // Turned to point right, at the cabinet it stands left of.
  if (a->looks().getSprite()) a->looks().getSprite()->setAngle(90.0f);
  a->setXOffset(-46.0f, false);
  a->setYOffset(6.0f, false);
  a->syncWithParentPosition();
}
