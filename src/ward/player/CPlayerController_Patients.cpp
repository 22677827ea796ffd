// The patient half of the figure's work: outbreaks examined, prescriptions written and handed in,
// medicine taken and given, items given, cured patients sent home, and the cure-touch perk.
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
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

namespace {
const uint16_t kItemClass = 18;
const uint16_t kCharismaUpgradeID = 902;
const uint16_t kCureTouchIconID = 272;
const float kCashTint[3] = {0.8f, 0.15f, 0.5f};

int charismaStars() {
  CPlayer *p = engine ? engine->getPlayer() : nullptr;
  return p ? p->starsOwned(kCharismaUpgradeID) : 0;
}

int32_t gameNow() { return (int32_t)CFakeTime::instance()->ms; }

int heartsFor(float mood) {
  if (mood >= 0.8f) return 5;
  if (mood >= 0.6f) return 4;
  if (mood >= 0.4f) return 3;
  if (mood >= 0.2f) return 2;
  if (mood >= 0.1f) return 1;
  return 0;
}

bool alive(const CMapEntitiesCollection *c, const CMapEntity *e) { return e && c->contains(e) && !e->getKill(); }
} // namespace

float CPlayerController::fastServiceBoost(int charismaStars) {
  static const float byStars[] = {0.35f, 0.42f, 0.525f, 0.665f, 0.735f};
  return charismaStars >= 1 && charismaStars <= 4 ? byStars[charismaStars] : byStars[0];
}

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
    s->setXY(player->getX() - (float)(CRandom::draw() % 60) - 20, player->getY() + 40 + (float)(CRandom::draw() % 10));
    s->setZoom((float)(80 + CRandom::draw() % 20) / 100.0f);
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
    if (p && p->getEntityClassID() == kPatientClass && p->phase != kPhaseArrived && p->phase != kPhaseOnChair &&
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
    if (p->bedState == kBedOutbreak && idle && !player->containedFull() && atBed()) {
      arrived = 0;
      phase = kTreatOutbreak;
    }
    if (p->bedState == kBedWaitingMedicine && idle && player->getContainedEntity(kMedicineID) && atBed()) {
      arrived = 0;
      phase = kGiveMedicine;
    }
    if (idle && player->getContainedEntityClass(kItemClass) && atBed()) {
      arrived = 0;
      phase = kGiveItem;
    }
    if (idle && p->bedState == kBedSleeping)
      cureTouchAsleep(p);
    else if (p->bedState == kBedWaitingMedicine && atBed())
      cureTouchAsleep(p);
    // Once paid the patient is on its way out: a click on the bed then pays nothing more.
    if (p->bedState == kBedGivingMoney && p->phase == kPhaseInBed && idle && atBed()) {
      arrived = 0;
      p->phase = kPhasePaid;
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
  float m = p->meterFull - 0.25f;
  p->meterFull = m < 0.0f ? 0.0f : (m > 1.0f ? 1.0f : m);
  p->cropMeter();
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
  p->outbreakCount += 1.0f;

  if (!p->fastServiceTimer->udalost()) {
    float mood = p->mood + fastServiceBoost(charismaStars());
    p->mood = mood < 0.0f ? 0.0f : (mood > 1.0f ? 1.0f : mood);
    p->heartsBefore = p->hearts;
    p->hearts = heartsFor(p->mood);
    p->synchronizujSrdicka();
    p->synchronizujNaladu();
    CMapEntity_Game *heart = CMapEntitiesFactory::instance()->cloneEntity("SRDCE");
    heart->setXY(p->getX() + 15, p->getY() + 20);
    collection->addEntity(heart);
    caption(p->getX() - 50, p->getY(), "FAST SERVICE +" + makeString(p->fastService), kCashTint);
    playSound("CHAIN2");
    if (CWorldEngine *host = CWorldEngine::of(engine))
      if (host->getLevel()) host->getLevel()->changeMoney((int)p->fastService);
  }

  float dx = (float)std::abs((int)pharmacy->getX() - (int)player->getX());
  float dy = (float)std::abs((int)pharmacy->getY() - (int)player->getY());
  int walk = walkMs(std::sqrt(dx * dx + dy * dy), player->speed, player->speedFactor);
  p->medicineWaitTimer->nastavSpoustec(walk + pharmacy->productionTime + 5500);
  p->medicineWaitTimer->reset();

  CMapEntity *head = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
  CMapEntity *arm = p->getContainedEntityClass(CMapEntity_PacientClass::kHandClass);
  if (!cureTouchIcon()) {
    p->bedState = kBedWaitingMedicine;
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
  p->outbreakFlag = 1;
  p->fastServiceTimer->reset();
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
  p->bedState = kBedLying;
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
