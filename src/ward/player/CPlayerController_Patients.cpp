// The patient half of the figure's work: outbreaks examined, prescriptions written and handed in,
// medicine taken and given, items given, cured patients sent home, and the cure-touch perk.
#include <cmath>
#include <cstdlib>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CSoundEngine.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
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
const uint16_t kItemClass = 18;
const uint16_t kCureTouchIconID = 272;
const float kCashTint[3] = {0.8f, 0.15f, 0.5f};

int charismaLevel() {
  CPlayer *p = engine ? engine->getPlayer() : nullptr;
  return CCharismaTable::level(p ? p->starsOwned(kCharismaUpgradeID) : 0);
}

int32_t gameNow() { return (int32_t)CFakeTime::instance()->ms; }

bool alive(const CMapEntitiesCollection *c, const CMapEntity *e) { return e && c->contains(e) && !e->getKill(); }
} // namespace

int CPlayerController::walkMs(float distance, float speed, float speedFactor) {
  float perStep = 140.0f * speed * speedFactor;
  return perStep > 0.0f ? (int)(distance * 10000.0f / perStep) : 0;
}

CMapEntity_PacientClass *CPlayerController::livePatient() {
  if (patient && !alive(collection, patient)) patient = nullptr;
  return patient;
}

CMapEntity_Game *CPlayerController::firstCabinet() const {
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (e->getEntityClassID() == kCabinetClass && !e->getKill()) return e;
  return nullptr;
}

CMapEntity_PerkIconClass *CPlayerController::cureTouchIcon() const {
  CMapEntity_Game *bar = collection->getEntityByID(kStatusBarID);
  CMapEntity_PerkIconClass *icon =
      bar ? dynamic_cast<CMapEntity_PerkIconClass *>(bar->getContainedEntity(kCureTouchIconID)) : nullptr;
  return icon && icon->active ? icon : nullptr;
}

void CPlayerController::sparkles() {
  for (int i = 0; i < 12; ++i) {
    CMapEntity_Game *s = CMapEntitiesFactory::instance()->cloneEntity("WHITEPARTICLE");
    if (!s) return;
    s->setXY(player->getX() - (float)(std::rand() % 60) - 20, player->getY() + 40 + (float)(std::rand() % 10));
    s->setZoom((float)(80 + std::rand() % 20) / 100.0f);
    collection->addEntity(s);
  }
}

void CPlayerController::decidePatient(const std::vector<CMapEntity *> &near) {
  uint16_t &phase = player->workPhase;
  cabinet = medicine = nullptr;
  CMapEntity_PacientClass *found = nullptr;
  for (CMapEntity *e : near) {
    CMapEntity_Game *g = dynamic_cast<CMapEntity_Game *>(e);
    if (!g || g->getKill()) continue;
    if (g->getEntityClassID() == kCabinetClass) cabinet = g;
    CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(g);
    // At a bed's work spot its patient is within reach, also where the tile grid puts the figure
    // further from her than the bed's spot meant (a bed at x 16 past a tile edge).
    if (!p && g->getEntityClassID() == kBedClass && blizkoObjektu(g))
      if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(g))
        p = dynamic_cast<CMapEntity_PacientClass *>(b->getOccupant());
    if (p && p->getEntityClassID() == kPatientClass && p->getPhase() != kPhaseArrived && p->getPhase() != kPhaseOnChair &&
        p->getAktivni() && p->getBed())
      found = p;
    if (g->getEntityID() == kMedicineID && g->getAktivni() && !g->getParent()) medicine = g;
  }
  if (cabinet) phase = kHandInPrescriptions;
  patient = found;
  if (CMapEntity_PacientClass *p = found) {
    CMapEntity_Game *bedOf = p->getBed();
    bool idle = p->dragged == 0;
    auto atBed = [&]() { return arrived && blizkoObjektu(bedOf); };
    if (p->getBedState() == kBedOutbreak && idle && !player->containedFull() && atBed()) {
      arrived = 0;
      phase = kTreatOutbreak;
    }
    if (p->getBedState() == kBedWaitingMedicine && idle && player->getContainedEntity(kMedicineID) && atBed()) {
      arrived = 0;
      phase = kGiveMedicine;
    }
    if (idle && player->getContainedEntityClass(kItemClass) && atBed()) {
      arrived = 0;
      phase = kGiveItem;
    }
    if (idle && p->getBedState() == kBedSleeping)
      cureTouchAsleep(p);
    else if (p->getBedState() == kBedWaitingMedicine && atBed())
      cureTouchAsleep(p);
    // Once paid the patient is on its way out: a click on the bed then pays nothing more.
    if (p->getBedState() == kBedGivingMoney && p->getPhase() == kPhaseInBed && idle && atBed()) {
      arrived = 0;
      p->startLeaving();
      unsigned amount = incRollBonus(CChainBonus::kSentHome);
      if (chain.count > 1) chainCaptions(p->getX(), p->getY(), "CASH +", amount, kCashTint);
    }
  }
  if (medicine && !player->containedFull()) phase = kTakeMedicine;
}

void CPlayerController::cureTouchAsleep(CMapEntity_PacientClass *p) {
  arrived = 0;
  CMapEntity_PerkIconClass *icon = cureTouchIcon();
  if (!icon) return;
  icon->countUse();
  playSound("PERK_ACTIVATE");
  sparkles();
  if (CPatientCareLink *care = TLink<CPatientCareLink>::get()) care->refreshMeter(p);
  if (CMapEntity *meter = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) meter->setFlash(0.0f);
  p->changeMeter(-0.25f);
}

void CPlayerController::patientWork() {
  uint16_t phase = player->workPhase;
  if (phase == kHandInPrescriptions) handInPrescriptions();
  if (player->workPhase == kTreatOutbreak) treatOutbreak();
  if (player->workPhase == kGiveMedicine) giveMedicine();
  if (player->workPhase == kGiveItem) giveItem();
  if (player->workPhase == kExamining) examining();
}

void CPlayerController::takeMedicine() {
  CMapEntity_Lek *floor = dynamic_cast<CMapEntity_Lek *>(medicine);
  if (floor && alive(collection, floor)) {
    uint16_t number = floor->bedNumber;
    floor->setKill(true);
    CMapEntity_Lek *lek = dynamic_cast<CMapEntity_Lek *>(CMapEntitiesFactory::instance()->cloneEntity("LEK"));
    if (lek) {
      lek->bedNumber = number;
      player->addEntity(lek, true);
    }
  }
  medicine = nullptr;
  player->changeFrame(0, 0);
  player->changeFrameset("DOWN");
  player->vypniAnimace();
  player->workPhase = kDeciding;
  playSound("PHARMACY_TAKE");
}

void CPlayerController::handInPrescriptions() {
  CMapEntity *recept = player->getContainedEntity(kPrescriptionID);
  if (recept && cabinet) {
    recept->setVisible(false);
    player->giveEntityTo(cabinet, recept, true);
    if (!player->getContainedEntity(kPrescriptionID)) {
      cabinet->setHighlightOn(false);
      if (cabinet->getHighlight()) cabinet->getHighlight()->setVisible(false);
    }
    playSound("PHARMACY_SEARCH");
    playSound("DOCTOR_DELIVERS_PRESCRIPTS");
  }
  player->workPhase = kDeciding;
}

// A day without a cabinet cannot make medicine: the treatment is given up with a log line and the
// figure stays free, instead of the game ending.
void CPlayerController::treatOutbreak() {
  player->workPhase = kDeciding;
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

  if (!p->getFastServiceTimer().udalost()) {
    p->changeMood(CCharismaTable::amount(CCharismaTable::kFastService, charismaLevel()));
    p->synchronizujNaladu();
    CMapEntity_Game *heart = CMapEntitiesFactory::instance()->cloneEntity("SRDCE");
    heart->setXY(p->getX() + 15, p->getY() + 20);
    collection->addEntity(heart);
    caption(p->getX() - 50, p->getY(), "FAST SERVICE +" + makeString(p->getFastService()), kCashTint);
    playSound("CHAIN2");
    if (CWorldEngine *host = CWorldEngine::of(engine))
      if (host->getLevel()) host->getLevel()->changeMoney((int)p->getFastService());
  }

  float dx = (float)std::abs((int)pharmacy->getX() - (int)player->getX());
  float dy = (float)std::abs((int)pharmacy->getY() - (int)player->getY());
  int walk = walkMs(std::sqrt(dx * dx + dy * dy), player->speed, player->speedFactor);
  p->getMedicineWaitTimer().nastavSpoustec(walk + pharmacy->productionTime + 5500);
  p->getMedicineWaitTimer().reset();

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
    examTimer->reset();
    savedX = player->getX();
    savedY = player->getY();
    player->setXY(bedOf->getX() + 64, bedOf->getY() - 28);
    playSound("DR_USES_STETHOSCOPE");
    player->changeFrameset("VYSETRENI");
    player->changeFrame(0, 0);
    player->synchronizeFramesets();
    player->synchronizeFrames(-1);
    player->zapniAnimace();
    for (bool left : {true, false})
      if (CMapEntity_PlayerHand *h = player->hand(left)) h->changeFrameset("INVISIBLE");
    unsigned amount = incRollBonus(CChainBonus::kExamination);
    if (chain.count > 1) chainCaptions(p->getX(), p->getY(), "DIAGNOSTIC +", amount);
    player->workPhase = kExamining;
    if (hearts) hearts->effectFinishPulse();
    return;
  }

  CMapEntity_PerkIconClass *icon = cureTouchIcon();
  icon->countUse();
  if (CPatientCareLink *care = TLink<CPatientCareLink>::get()) care->holdOutbreaksUntil(p, gameNow() + 60000);
  playSound("PERK_ACTIVATE");
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
  caption(player->getX() - 50, player->getY(), "HEALING TOUCH!", nullptr);
}

// Every medicine for this bed is given; any other, or one the patient cannot take, is put down and
// picked up again so it stays with the figure.
void CPlayerController::giveMedicine() {
  player->workPhase = kDeciding;
  CMapEntity_PacientClass *p = livePatient();
  CMapEntity_PostelClass *bedOf = p ? dynamic_cast<CMapEntity_PostelClass *>(p->getBed()) : nullptr;
  if (!p || !bedOf) return;
  std::vector<CMapEntity *> kept;
  while (CMapEntity *m = player->getContainedEntity(kMedicineID)) {
    CMapEntity_Lek *lek = dynamic_cast<CMapEntity_Lek *>(m);
    if (lek && lek->bedNumber == bedOf->cislo) {
      lek->setVisible(false);
      if (player->giveEntityTo(p, lek, false)) {
        restOnDown();
        unsigned amount = incRollBonus(CChainBonus::kMedicine);
        if (chain.count > 1) chainCaptions(p->getX(), p->getY(), "TREATMENT +", amount);
        continue;
      }
      lek->setVisible(true);
    }
    playSound("NONO");
    CLogger::instance()->log("Dropping entity from player! " + m->name);
    bool dropped = false;
    for (bool left : {true, false}) {
      CMapEntity_PlayerHand *h = player->hand(left);
      if (!h || !h->dropEntity(m)) continue;
      if (!h->containedFull()) {
        h->showHolding(false);
        player->synchronizeFramesets();
        player->synchronizeFrames(-1);
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
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) player->addEntity(*it, false);
}

void CPlayerController::giveItem() {
  player->workPhase = kDeciding;
  CMapEntity_PacientClass *p = livePatient();
  CMapEntity *item = player->getContainedEntityClass(kItemClass);
  if (!p || !item) return;
  playSound(CMapEntity_DrinkClass::deliverSound(item->getEntityID()));
  item->setVisible(false);
  player->giveEntityTo(p, item, false);
  restOnDown();
}

// A patient that went away during the examination gets no prescription; the figure stands up.
void CPlayerController::examining() {
  player->zapniAnimace();
  if (!examTimer->udalost()) return;
  player->changeFrameset("DOWN");
  player->changeFrame(0, 0);
  player->synchronizeFramesets();
  player->synchronizeFrames(-1);
  player->vypniAnimace();
  player->setXY(savedX, savedY);
  player->workPhase = kDeciding;
  CMapEntity_PacientClass *p = livePatient();
  CMapEntity_PostelClass *bedOf = p ? dynamic_cast<CMapEntity_PostelClass *>(p->getBed()) : nullptr;
  if (!bedOf) {
    CLogger::instance()->log("The examined patient is gone; no prescription");
    return;
  }
  CMapEntity_Recept *recept = dynamic_cast<CMapEntity_Recept *>(CMapEntitiesFactory::instance()->cloneEntity("RECEPT"));
  if (recept) {
    recept->bedNumber = bedOf->cislo;
    player->addEntity(recept, true);
  }
  if (CMapEntity_Game *c = firstCabinet()) {
    c->setHighlightOn(true);
    if (c->getHighlight()) c->getHighlight()->setVisible(true);
  }
}
