#include "ward/player/CPlayerPatientWork.h"

#include <cmath>
#include <cstdlib>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "ward/player/CPlayerController.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CWorldEngine.h"
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

bool alive(const CMapEntitiesCollection *c, const CMapEntity *e) { return e && c->contains(e) && !e->getKill(); }
} // namespace
CMapEntity_PacientClass *CPlayerPatientWork::livePatient() {
  if (ctl.patient && !alive(ctl.collection, ctl.patient)) ctl.patient = nullptr;
  return ctl.patient;
}

CMapEntity_Game *CPlayerPatientWork::firstCabinet() const {
  for (CMapEntity_Game *e : *ctl.collection->getEntitiesPtr())
    if (e->getEntityClassID() == kCabinetClass && !e->getKill()) return e;
  return nullptr;
}

CMapEntity_PerkIconClass *CPlayerPatientWork::cureTouchIcon() const {
  CMapEntity_Game *bar = ctl.collection->getEntityByID(kStatusBarID);
  CMapEntity_PerkIconClass *icon =
      bar ? dynamic_cast<CMapEntity_PerkIconClass *>(bar->getContainedEntity(kCureTouchIconID)) : nullptr;
  return icon && icon->active ? icon : nullptr;
}

void CPlayerPatientWork::sparkles() {
  for (int i = 0; i < 12; ++i) {
    CMapEntity_Game *s = CMapEntitiesFactory::instance()->cloneEntity("WHITEPARTICLE");
    if (!s) return;
    s->setXY(ctl.player->getX() - (float)(CRandom::draw() % 60) - 20, ctl.player->getY() + 40 + (float)(CRandom::draw() % 10));
    s->setZoom((float)(80 + CRandom::draw() % 20) / 100.0f);
    ctl.collection->addEntity(s);
  }
}

void CPlayerPatientWork::answer(const std::vector<CMapEntity *> &near, CPlayerController::TReach &reach) {
  ctl.cabinet = ctl.medicine = nullptr;
  CMapEntity_PacientClass *found = nullptr;
  for (CMapEntity *e : near) {
    CMapEntity_Game *g = dynamic_cast<CMapEntity_Game *>(e);
    if (!g || g->getKill()) continue;
    if (g->getEntityClassID() == kCabinetClass) ctl.cabinet = g;
    CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(g);
    // At a bed's work spot its patient is within reach, also where the tile grid puts the figure
    // further from her than the bed's spot meant (a bed at x 16 past a tile edge).
    if (!p && g->getEntityClassID() == kBedClass && ctl.blizkoObjektu(g))
      if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(g))
        p = dynamic_cast<CMapEntity_PacientClass *>(b->getOccupant());
    if (p && p->getEntityClassID() == kPatientClass && p->getPhase() != kPhaseArrived && p->getPhase() != kPhaseOnChair &&
        p->getAktivni() && p->getBed())
      found = p;
    if (g->getEntityID() == kMedicineID && g->getAktivni() && !g->carrying().getParent()) ctl.medicine = g;
  }
  reach.cabinet = ctl.cabinet != nullptr;
  reach.floorMedicine = ctl.medicine && !ctl.player->containedFull();
  ctl.patient = found;
  if (found) answerPatient(found, reach);
}

// Of her patient's needs the first she can meet takes the walk's arrival.
void CPlayerPatientWork::answerPatient(CMapEntity_PacientClass *p, CPlayerController::TReach &reach) {
  CMapEntity_Game *bedOf = p->getBed();
  bool idle = p->dragged == 0;
  // Sent to an outbreak that ended before she came: say so, once, instead of doing nothing.
  if (ctl.arrived && p->getBedState() != kBedOutbreak && ctl.blizkoObjektu(bedOf) &&
      p->takeMissedOutbreakSince(gameNow() - kTooLateMs))
    ctl.refuse(p->getX() - 20.0f, p->getY(), "Too late!");
  auto atBed = [&]() { return ctl.arrived && ctl.blizkoObjektu(bedOf); };
  if (p->getBedState() == kBedOutbreak && idle && !ctl.player->containedFull() && atBed())
    reach.outbreak = true;
  else if (p->getBedState() == kBedWaitingMedicine && idle && ctl.player->getContainedEntity(kMedicineID) && atBed())
    reach.medicineDue = true;
  // An item in her hand goes first, also to a patient waving money: it cheers them up, so they
  // pay more when the next click takes the money.
  else if (idle && ctl.player->getContainedEntityClass(kComfortItemClass) && atBed())
    reach.itemWanted = true;
  if (reach.outbreak || reach.medicineDue || reach.itemWanted) ctl.arrived = 0;
  if (idle && p->getBedState() == kBedSleeping)
    cureTouchAsleep(p);
  else if (p->getBedState() == kBedWaitingMedicine && atBed())
    cureTouchAsleep(p);
  // Once paid the patient is on its way out: a click on the bed then pays nothing more.
  if (p->getBedState() == kBedGivingMoney && p->getPhase() == kPhaseInBed && idle && atBed()) {
    ctl.arrived = 0;
    p->startLeaving();
    ctl.chainBonus(CChainBonus::kSentHome, p->getX(), p->getY(), "CASH +", TCaptionKind::Cash);
  }
}

void CPlayerPatientWork::cureTouchAsleep(CMapEntity_PacientClass *p) {
  ctl.arrived = 0;
  // A cough that ended before she came is not healed by a touch: the perk waits for the next.
  if (p->missedOutbreakSince(gameNow() - kTooLateMs)) return;
  CMapEntity_PerkIconClass *icon = cureTouchIcon();
  if (!icon) return;
  icon->countUse();
  ctl.playSound("PERK_ACTIVATE");
  sparkles();
  if (CPatientCareLink *care = TLink<CPatientCareLink>::get()) care->refreshMeter(p);
  if (CMapEntity *meter = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) meter->looks().setFlash(0.0f);
  p->changeMeter(-0.25f);
}

void CPlayerPatientWork::work() {
  uint16_t phase = ctl.player->workPhase;
  if (phase == CPlayerController::kTakeMedicine) takeMedicine();
  if (phase == CPlayerController::kHandInPrescriptions) handInPrescriptions();
  if (ctl.player->workPhase == CPlayerController::kTreatOutbreak) treatOutbreak();
  if (ctl.player->workPhase == CPlayerController::kGiveMedicine) giveMedicine();
  if (ctl.player->workPhase == CPlayerController::kGiveItem) giveItem();
  if (ctl.player->workPhase == CPlayerController::kExamining) examining();
}

void CPlayerPatientWork::takeMedicine() {
  CMapEntity_Lek *floor = dynamic_cast<CMapEntity_Lek *>(ctl.medicine);
  if (floor && alive(ctl.collection, floor)) {
    uint16_t number = floor->bedNumber;
    floor->setKill(true);
    CMapEntity_Lek *lek = dynamic_cast<CMapEntity_Lek *>(CMapEntitiesFactory::instance()->cloneEntity("LEK"));
    if (lek) {
      lek->bedNumber = number;
      ctl.player->addEntity(lek, true);
    }
  }
  ctl.medicine = nullptr;
  ctl.player->changeFrame(0, 0);
  ctl.player->changeFrameset("DOWN");
  ctl.player->vypniAnimace();
  ctl.player->workPhase = CPlayerController::kDeciding;
  ctl.playSound("PHARMACY_TAKE");
}

void CPlayerPatientWork::handInPrescriptions() {
  CMapEntity *recept = ctl.player->getContainedEntity(kPrescriptionID);
  if (recept && ctl.cabinet) {
    recept->looks().setVisible(false);
    ctl.player->giveEntityTo(ctl.cabinet, recept, true);
    if (!ctl.player->getContainedEntity(kPrescriptionID)) markCabinet(ctl.cabinet, false);
    ctl.playSound("PHARMACY_SEARCH");
    ctl.playSound("DOCTOR_DELIVERS_PRESCRIPTS");
  }
  ctl.player->workPhase = CPlayerController::kDeciding;
}

// A day without a cabinet cannot make medicine: the treatment is given up with a log line and the
// figure stays free, instead of the game ending.
void CPlayerPatientWork::treatOutbreak() {
  ctl.player->workPhase = CPlayerController::kDeciding;
  CMapEntity_PacientClass *p = livePatient();
  CMapEntity_Game *bedOf = p ? p->getBed() : nullptr;
  if (!p || !bedOf) return;
  CMapEntity_LekarnaClass *pharmacy = dynamic_cast<CMapEntity_LekarnaClass *>(firstCabinet());
  if (!pharmacy) {
    CLogger::instance()->log("Class LEKARNA not found!");
    return;
  }
  CMapEntity *hearts = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
  if (hearts) hearts->effectFinishPulse();
  p->countTreatedOutbreak();

  if (p->withinFastService()) {
    p->changeMood(CCharismaTable::amount(CCharismaTable::kFastService, charismaLevel()));
    p->synchronizujNaladu();
    CMapEntity_Game *heart = CMapEntitiesFactory::instance()->cloneEntity("SRDCE");
    heart->setXY(p->getX() + 15, p->getY() + 20);
    ctl.collection->addEntity(heart);
    CCaption::pay(ctl.collection, ctl.currentLevel(), p->getX() - 50, p->getY(), "FAST SERVICE +",
                  (int)p->getFastService());
    ctl.playSound("CHAIN2");
  }

  float dx = (float)std::abs((int)pharmacy->getX() - (int)ctl.player->getX());
  float dy = (float)std::abs((int)pharmacy->getY() - (int)ctl.player->getY());
  int walk = ctl.walkMs(std::sqrt(dx * dx + dy * dy), ctl.player->speed, ctl.player->speedFactor);
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
    ctl.examTimer.reset();
    ctl.savedX = ctl.player->getX();
    ctl.savedY = ctl.player->getY();
    ctl.player->setXY(bedOf->getX() + 64, bedOf->getY() - 28);
    ctl.playSound("DR_USES_STETHOSCOPE");
    ctl.player->changeFrameset("VYSETRENI");
    ctl.player->changeFrame(0, 0);
    ctl.player->synchronizeFramesets();
    ctl.player->synchronizeFrames(-1);
    ctl.player->zapniAnimace();
    for (bool left : {true, false})
      if (CMapEntity_PlayerHand *h = ctl.player->hand(left)) h->changeFrameset("INVISIBLE");
    ctl.chainBonus(CChainBonus::kExamination, p->getX(), p->getY(), "DIAGNOSTIC +");
    ctl.player->workPhase = CPlayerController::kExamining;
    if (hearts) hearts->effectFinishPulse();
    return;
  }

  CMapEntity_PerkIconClass *icon = cureTouchIcon();
  icon->countUse();
  if (CPatientCareLink *care = TLink<CPatientCareLink>::get()) care->holdOutbreaksUntil(p, gameNow() + 60000);
  ctl.playSound("PERK_ACTIVATE");
  sparkles();
  p->changeFrameset("LYING");
  if (arm) {
    arm->changeFrameset("LYING");
    arm->setSortZ(-1, false);
  }
  p->containedCopiesUpdate();
  if (head) head->changeFrameset("VERYGOOD");
  if (CMapEntity *light = bedOf->getContainedEntity((unsigned short)kRedLightID)) light->setAlpha(0.0f, true);
  p->healByTouch();
  ctl.caption(ctl.player->getX() - 50, ctl.player->getY(), "HEALING TOUCH!", TCaptionKind::Plain);
}

// Every medicine for this bed is given; any other, or one the patient cannot take, is put down and
// picked up again so it stays with the figure.
void CPlayerPatientWork::giveMedicine() {
  ctl.player->workPhase = CPlayerController::kDeciding;
  CMapEntity_PacientClass *p = livePatient();
  CMapEntity_PostelClass *bedOf = p ? dynamic_cast<CMapEntity_PostelClass *>(p->getBed()) : nullptr;
  if (!p || !bedOf) return;
  std::vector<CMapEntity *> kept;
  while (CMapEntity *m = ctl.player->getContainedEntity(kMedicineID)) {
    CMapEntity_Lek *lek = dynamic_cast<CMapEntity_Lek *>(m);
    if (lek && lek->bedNumber == bedOf->getBedNumber()) {
      lek->looks().setVisible(false);
      if (ctl.player->giveEntityTo(p, lek, false)) {
        ctl.restOnDown();
        ctl.chainBonus(CChainBonus::kMedicine, p->getX(), p->getY(), "TREATMENT +");
        continue;
      }
      lek->looks().setVisible(true);
    }
    ctl.playSound("NONO");
    CLogger::instance()->log("Dropping entity from player! " + m->name);
    bool dropped = false;
    for (bool left : {true, false}) {
      CMapEntity_PlayerHand *h = ctl.player->hand(left);
      if (!h || !h->dropEntity(m)) continue;
      if (!h->containedFull()) {
        h->showHolding(false);
        ctl.player->synchronizeFramesets();
        ctl.player->synchronizeFrames(-1);
      }
      dropped = true;
      break;
    }
    if (!dropped) {
      CLogger::instance()->log("Nepodaril se dropEntity(lek):(");
      break;
    }
    kept.push_back(m);
  }
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) ctl.player->addEntity(*it, false);
}

void CPlayerPatientWork::giveItem() {
  ctl.player->workPhase = CPlayerController::kDeciding;
  CMapEntity_PacientClass *p = livePatient();
  CMapEntity *item = ctl.player->getContainedEntityClass(kComfortItemClass);
  if (!p || !item) return;
  ctl.playSound(CMapEntity_DrinkClass::deliverSound(item->getEntityID()));
  item->looks().setVisible(false);
  ctl.player->giveEntityTo(p, item, false);
  ctl.restOnDown();
}

// A patient that went away during the examination gets no prescription; the figure stands up.
void CPlayerPatientWork::examining() {
  ctl.player->zapniAnimace();
  if (!ctl.examTimer.udalost()) return;
  ctl.player->changeFrameset("DOWN");
  ctl.player->changeFrame(0, 0);
  ctl.player->synchronizeFramesets();
  ctl.player->synchronizeFrames(-1);
  ctl.player->vypniAnimace();
  ctl.player->setXY(ctl.savedX, ctl.savedY);
  ctl.player->workPhase = CPlayerController::kDeciding;
  CMapEntity_PacientClass *p = livePatient();
  CMapEntity_PostelClass *bedOf = p ? dynamic_cast<CMapEntity_PostelClass *>(p->getBed()) : nullptr;
  if (!bedOf) {
    CLogger::instance()->log("The examined patient is gone; no prescription");
    return;
  }
  CMapEntity_Recept *recept = dynamic_cast<CMapEntity_Recept *>(CMapEntitiesFactory::instance()->cloneEntity("RECEPT"));
  if (recept) {
    recept->bedNumber = bedOf->getBedNumber();
    ctl.player->addEntity(recept, true);
  }
  if (CMapEntity_Game *c = firstCabinet()) markCabinet(c, true);
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
