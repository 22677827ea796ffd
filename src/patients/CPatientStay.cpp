#include "patients/CPatientStay.h"

#include <cstdlib>
#include <string>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "patients/CMapEntity_ObtiznostAdjuster.h"
#include "patients/CPacientController.h"
#include "patients/CPatientLeaving.h"
#include "world/CCaption.h"
#include "world/CEntityKit.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_NemocnejBacily.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

namespace {
// Paid when the medicine came within the wait the figure set.
const int kFastServicePay = 50;
} // namespace

CPatientStay::CPatientStay(CPacientController &behaviour)
    : b(behaviour), randomTimer(2000 + CRandom::draw() % 5500, false) {}

CPatientStay::CPatientStay(CPacientController &behaviour, const CPatientStay &o)
    : b(behaviour), randomTimer(2000 + CRandom::draw() % 5500, false), headFlash(o.headFlash),
      headFlashLevel(o.headFlashLevel), medicineTaken(o.medicineTaken), outbreakMark(o.outbreakMark),
      pauseSeen(o.pauseSeen) {}

void CPatientStay::phaseInBed() {
  CMapEntity_PacientClass *p = b.patient();
  if (refreshMeter) {
    refreshMeter = 0;
    p->cropMeter();
  }
  bedReactions();
  if (p->getPhase() == kPhaseInBed) bedStay();
}

void CPatientStay::bedReactions() {
  CMapEntity_PacientClass *p = b.patient();
  int stars = b.charismaStars();
  if (CMapEntity *gift = p->getContainedEntityClass(kComfortItemClass)) {
    gift->setKill(true);
    p->changeMood(CCharismaTable::amount(CCharismaTable::kHeartBoost, stars));
    entitykit::heartBeside(b.collection, p);
    if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) bar->effectFinishPulse();
  }
  for (CMapEntity_Game *e : *b.collection->getEntitiesPtr()) {
    if (e->getKill() || (e->getEntityID() != kGermCloudID && e->getEntityID() != kHappyNotesID)) continue;
    CMapEntity_NemocnejBacily *cloud = dynamic_cast<CMapEntity_NemocnejBacily *>(e);
    if (!cloud || cloud->source.is(p) || !p->hits().isActionCollisionWithEntity(cloud)) continue;
    if (cloud->getEntityID() == kGermCloudID) {
      if (headFlash) continue;
      b.playKind("MALE_YUCK", "FEMALE_YUCK", "CHILD_YUCK");
      cloud->setKill(true);
      p->changeMood(b.outbreakCost());
      entitykit::heartBeside(b.collection, p, "MODRESRDCE");
      headFlash = 1;
    } else {
      cloud->setKill(true);
      p->changeMood(CCharismaTable::amount(CCharismaTable::kHappyNotes, stars));
    }
  }
}

void CPatientStay::bedStay() {
  CMapEntity_PacientClass *p = b.patient();
  CLevel_Game *lvl = b.currentLevel();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  int stars = b.charismaStars();

  if (p->getTormentor()) {
    p->beHeld();
    if (p->getBedState() == kBedLying) b.switchPacientFrameset("VERYBAD", true, false, false);
  }
  if (p->runsAway() && p->getBedState() == kBedLying && p->runAwayDue()) {
    b.leaving.runFromBed();
    return;
  }
  if (bed && bed->wears() && bedWearTimer.udalost()) {
    bed->damage(2);
    if (bed->health == 0) {
      Frameset *fs = bed->looks().getSprite() ? bed->looks().getSprite()->getAktivniFrameset() : nullptr;
      if (!fs || std::string(fs->getID()) != "BROKEN") b.play("BED_BREAKS");
      // The bed's own picture only: the patient it carries keeps hers, the waved bill too.
      if (ZSprite *picture = bed->looks().getSprite()) picture->nastavFrameset("BROKEN");
      if (CMapEntity *rail = bed->getContainedEntityClass(CMapEntity_PostelClass::kRailClass)) rail->changeFrameset("BROKEN");
      if (CMapEntity *aura = bed->getContainedEntityClass(kHighlightClass)) aura->changeFrameset("BROKEN");
      bool gentle = lvl && lvl->getLevelName() == "Day 31";
      p->changeMood(CCharismaTable::amount(gentle ? CCharismaTable::kBrokenBedGentle : CCharismaTable::kBrokenBed, stars));
      // Every tick in a broken bed shows on the hearts, not only the ones that take a heart.
      if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) bar->effectFinishPulse();
      b.heartsPulsing = 1;
    }
  }
  if (headFlash) {
    if (CMapEntity *h = b.head()) {
      h->setAlpha(1.0f, false);
      h->setRGB(1.0f, headFlashLevel, headFlashLevel, false);
      headFlashLevel += 0.01f * CGlobals::instance()->deltaFactor;
      if (headFlashLevel >= 1.0f) {
        h->setRGB(1.0f, 1.0f, 1.0f, false);
        headFlash = 0;
        headFlashLevel = 0.0f;
      }
    }
  }
  float speedUp = 1.0f;
  if (lvl && lvl->closed()) speedUp = b.getPocetPacientu() <= 3 ? 3.0f : 2.0f;

  if (p->getBedState() == kBedSleeping) sleeping(speedUp);
  else p->markOutbreak();
  if (p->getBedState() == kBedLying) lying(speedUp);
  if (p->getBedState() == kBedGivingMoney) {
    CPacientController::pace.lastActivity = b.now();
    b.moodTick(true);
  }
  if (p->getBedState() == kBedPrescription) {
    b.switchPacientFrameset("ILIKEYOU", true, true, true);
    if (likeTimer.udalost()) {
      p->lieAwake();
      b.switchPacientFrameset("LYING", false, true, true);
    }
  }
  if (p->getBedState() == kBedFastService) thankingBeforeDrinking();
  if (p->getBedState() == kBedTakingMedicine) drinking();
  if (p->getBedState() == kBedOutbreak) outbreak();
  if (p->getBedState() == kBedWaitingMedicine) waitingForMedicine();
  TPatientBedState s = p->getBedState();
  if (p->getMeterFull() == 0.0f && s != kBedPrescription && s != kBedFastService && s != kBedTakingMedicine &&
      s != kBedGivingMoney) {
    bedLight(kGreenLightID, 1.0f, true);
    p->readyToPay();
    b.switchPacientFrameset("GIVEMONEY", true, true, true);
    p->zapniAnimace();
  }
  if (p->getMood() == 0.0f && p->getPhase() != kPhaseRunning) p->startLeaving();
}

void CPatientStay::sleeping(float speedUp) {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  float heal = bed ? bed->getRecoveryFactor() : 1.0f;
  if (snoreTimer.udalost()) {
    CMapEntity_Game *z = CMapEntitiesFactory::instance()->cloneEntity("Z");
    if (CChimneyDriftLink *drift = TLink<CChimneyDriftLink>::get()) drift->setDrift(z, -0.6f, -0.4f);
    z->setXY(p->getX() + 16, p->getY() + 6);
    z->setZoom(0.15f);
    b.collection->addEntity(z);
  }
  if (b.moodTimer.udalost() && p->getMeterFull() > 0.5f)
    meterChange(speedUp * -0.015f * heal / b.difficulty() * p->getRecoverySpeed());
  if (bedTimer.udalost()) {
    int r = CRandom::draw() % 3;
    if (r == 0) b.playKind("MALE_SLEEP1", "FEMALE_SLEEP1", "CHILD_SLEEP1");
    else if (r == 1) b.playKind("MALE_SLEEP2", "FEMALE_SLEEP2", "CHILD_SLEEP2");
  }
  outbreakAttempt(true);
}

void CPatientStay::lying(float speedUp) {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  float heal = bed ? bed->getRecoveryFactor() : 1.0f;
  if (randomTimer.udalost()) {
    randomTimer.nastavSpoustec(2000 + CRandom::draw() % 5500);
    randomTimer.reset();
    if (!b.head()) {
      CLogger::instance()->log("Zakaznik HEAD class not found, returned NULL!");
      fatalError("Zakaznik HEAD class not found, returned NULL!", 0);
    }
    b.switchPacientFrameset("BORED", true, false, false);
  }
  if (b.moodTimer.udalost()) {
    meterChange(speedUp * -0.092f * heal / b.difficulty() * p->getRecoverySpeed());
    p->synchronizujNaladu();
  }
  outbreakAttempt(false);
}

void CPatientStay::outbreakAttempt(bool asleep) {
  CMapEntity_PacientClass *p = b.patient();
  CLevel_Game *lvl = b.currentLevel();
  bool closed = lvl && lvl->closed();
  int32_t t = b.now();
  int32_t delay = lvl ? lvl->getOutbreakDelay() : 5000;
  bool window = pauseWindowHolds();
  if (asleep && window && !closed) return;
  if (!asleep && window) {
    p->markOutbreak();
    return;
  }
  // Signed: the cure touch puts the last activity and the mark up to a minute ahead.
  bool triggered = p->outbreakClockRunOut() || (float)(int32_t)(t - CPacientController::pace.lastActivity) > 5500.0f / b.difficulty();
  if (!triggered) return;
  bool spaced = (int32_t)(t - outbreakMark) > 2 * delay;
  if (!asleep && !(p->getMeterFull() > 0.28f && spaced)) return;
  if (asleep && !spaced) return;
  if (p->getOutbreakCount() >= p->getOutbreakMaxCount()) return;
  if (!asleep && (b.getPocetPacientu() <= 1 || closed)) {
    p->restartOutbreakClock();
    return;
  }
  if ((int32_t)(t - CPacientController::pace.lastOutbreak) > delay) {
    startOutbreak();
  } else {
    outbreakMark = t;
    p->restartOutbreakClock();
  }
}

void CPatientStay::startOutbreak() {
  CMapEntity_PacientClass *p = b.patient();
  int32_t t = b.now();
  CPacientController::pace.lastOutbreak = CPacientController::pace.lastActivity = outbreakMark = t;
  p->breakOut();
  int r = CRandom::draw() % 4;
  if (r == 0) b.play(p->getSounds().panic1);
  else if (r == 1) b.play(p->getSounds().panic2);
  else b.playKind("MALE_YUCK2", "FEMALE_YUCK2", "CHILD_YUCK2");
  bedTimer.reset();
  showOutbreak(p);
  cekaniTimer.reset();
}

void CPatientStay::showOutbreak(CMapEntity_PacientClass *p) {
  CPacientController::switchPacientFrameset(p, "ILL1", true, true, true);
  p->zapniAnimace();
  p->showOutbreakWait(0, kOutbreakWaitMs, p->getFastServicePeriod());
}

void CPatientStay::coughGerms() {
  CMapEntity_PacientClass *p = b.patient();
  static const int two[3][2] = {{2, 2}, {-2, 2}, {0, 2}};
  static const int four[4][2] = {{2, 2}, {-2, 2}, {0, 2}, {0, -2}};
  auto cloud = [&](int sx, int sy) {
    CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("NEMOCNEJBACILY");
    e->setXY(p->getX(), p->getY() + 20);
    if (CMapEntity_NemocnejBacily *b = dynamic_cast<CMapEntity_NemocnejBacily *>(e)) {
      b->stepX = sx;
      b->stepY = sy;
      b->source = p;
    }
    b.collection->addEntity(e);
  };
  switch (p->getCoughKind()) {
  case 1:
    b.play("COUGH");
    cloud(0, 2);
    break;
  case 2:
    for (const auto &s : two) cloud(s[0], s[1]);
    break;
  case 3: {
    CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("BACILY");
    e->setXY(p->getX(), p->getY() + 20);
    b.collection->addEntity(e);
    break;
  }
  case 4:
    for (const auto &s : four) cloud(s[0], s[1]);
    break;
  default:
    break;
  }
}

void CPatientStay::outbreak() {
  CMapEntity_PacientClass *p = b.patient();
  CPacientController::pace.lastActivity = b.now();
  bedLight(kRedLightID, 1.0f, true);
  if (bedTimer.udalost() && p->getCoughCount() < p->getMaxCoughCount()) {
    if (p->getCoughKind() != 0) {
      p->countCough();
      b.playKind("MALE_YUCK2B", "FEMALE_YUCK2B", "CHILD_YUCK2B");
    }
    coughGerms();
  }
  b.moodTimer.udalost();
  p->showOutbreakWait(cekaniTimer.vratVteriny(), cekaniTimer.getSpoustec(), p->getFastServicePeriod());
  if (!cekaniTimer.udalost()) return;
  bedLight(kRedLightID, 0.0f, false);
  p->changeMood(b.outbreakCost());
  entitykit::heartBeside(b.collection, p, "MODRESRDCE");
  meterChange(p->getRecoverySpeed() * 0.2f / b.difficulty());
  p->restartOutbreakClock();
  b.switchPacientFrameset("LYING", false, true, true);
  b.switchPacientFrameset("ILL3", true, false, false);
  p->fallAsleep();
  if (p->getHearts() < p->getHeartsBefore()) b.heartsPulsing = 1;
  if (CRandom::draw() % 2 == 0) b.playKind("MALE_SLEEP1", "FEMALE_SLEEP1", "CHILD_SLEEP1");
  else b.playKind("MALE_SLEEP2", "FEMALE_SLEEP2", "CHILD_SLEEP2");
}

void CPatientStay::waitingForMedicine() {
  CMapEntity_PacientClass *p = b.patient();
  bedLight(kRedLightID, 0.0f, false);
  CPacientController::pace.lastActivity = b.now();
  b.moodTick(false);
  CMapEntity *lek = p->getContainedEntity((unsigned short)kMedicineID);
  if (!lek) return;
  medicineTaken = 1;
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) bar->resetFlash();
  b.play(CRandom::draw() % 2 == 0 ? p->getSounds().meds1 : p->getSounds().meds2);
  CPacientController::pace.lastActivity = outbreakMark = b.now();
  if (CMapEntity_Game *bed = p->getBed()) {
    bed->setHighlightOn(false);
    if (bed->getHighlight()) bed->getHighlight()->looks().setVisible(false);
  }
  lek->setKill(true);
  p->restartOutbreakClock();
  b.switchPacientFrameset("LYING", true, true, true);
  p->synchronizujNaladu();
  CMapEntity *h = b.head();
  if (h) {
    CMapEntity_Game *copy = CMapEntitiesFactory::instance()->cloneEntity(h->name);
    h->addEntity(copy, true, true);
    copy->setSortZ(6, false);
    copy->setAlpha(1.0f, true);
    h->setAlpha(0.0f, false);
    fadingHead = copy;
  }
  // The wait the figure set when it treated the outbreak has not run out: fast service, and
  // thanks before the drinking.
  bool fast = p->medicineWithinWait();
  if (fast) p->thankForFastService();
  else p->drinkMedicine();
  drinkTimer.reset();
  p->synchronizujNaladu();
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL3WAITING");
  if (!fast) return;
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL1WAITING");
  int stars = b.charismaStars();
  p->changeMood(CCharismaTable::amount(CCharismaTable::kFastService, stars));
  entitykit::heartBeside(b.collection, p);
  b.play("CHAIN2");
  CCaption::pay(b.collection, b.currentLevel(), p->getX() - 50, p->getY(), "FAST SERVICE +",
                kFastServicePay);
  likeTimer.reset();
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) bar->effectFinishPulse();
}

void CPatientStay::thankingBeforeDrinking() {
  CMapEntity_PacientClass *p = b.patient();
  b.switchPacientFrameset("ILIKEYOU", true, true, true);
  if (!likeTimer.udalost()) return;
  p->drinkMedicine();
  drinkTimer.reset();
  b.switchPacientFrameset("DRINKING", false, true, true);
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL3WAITING");
  p->zapniAnimace();
}

void CPatientStay::drinking() {
  CMapEntity_PacientClass *p = b.patient();
  bedTimer.nastavSpoustec(p->getCoughPeriod());
  p->zapniAnimace();
  b.switchPacientFrameset("DRINKING", false, true, true);
  CMapEntity *h = b.head();
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeAlpha(-0.007f, true);
  if (h) {
    h->changeAlpha(0.007f, false);
    b.switchPacientFrameset("GOOD", true, false, false);
  }
  if (!drinkTimer.udalost()) return;
  CPlayer *player = b.engine ? b.engine->getPlayer() : nullptr;
  float boost = 0.0f;
  if (player && player->basketContains(kMedsUpgradeID)) boost = (float)(player->starsOwned(kMedsUpgradeID) + 2) / 20.0f;
  meterChange((p->getRecoverySpeed() * -0.12f - boost) / b.difficulty());
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->setKill(true);
  fadingHead.clear();
  if (h && h->looks().getAlpha() != 1.0f) h->setAlpha(1.0f, false);
  outbreakMark = b.now();
  p->lieAwake();
  b.switchPacientFrameset("LYING", false, true, true);
  p->containedCopiesUpdate();
}

bool CPatientStay::pauseWindowHolds() const {
  CMapEntity_ObtiznostAdjuster *a =
      dynamic_cast<CMapEntity_ObtiznostAdjuster *>(b.collection->getEntityByID(kDifficultyAdjusterID));
  return a && a->holds((uint32_t)b.now());
}

void CPatientStay::pauseBookkeeping() {
  CLevel_Game *lvl = b.currentLevel();
  CMapEntity_ObtiznostAdjuster *a =
      dynamic_cast<CMapEntity_ObtiznostAdjuster *>(b.collection->getEntityByID(kDifficultyAdjusterID));
  if (!(a && a->holds((uint32_t)b.now()) && !(lvl && lvl->closed()))) {
    pauseSeen = 0;
    return;
  }
  if (!pauseSeen) {
    pauseSeen = 1;
    outbreakMark += (int32_t)(a->pauseEnd - a->pauseStart);
  }
  if (!b.moodTimer.udalost()) return;
  for (CMapEntity_Game *e : *b.collection->getEntitiesPtr())
    if (CMapEntity_PacientClass *other = dynamic_cast<CMapEntity_PacientClass *>(e))
      if (other->getBed()) return;
  a->pauseEnd = (uint32_t)b.now() + 5000;
}

void CPatientStay::meterChange(float d) { b.patient()->changeMeter(d); }

void CPatientStay::bedLight(uint32_t id, float alpha, bool pulse) {
  CMapEntity_Game *bed = b.patient()->getBed();
  CMapEntity *light = bed ? bed->getContainedEntity((unsigned short)id) : nullptr;
  if (!light) return;
  light->setAlpha(alpha, true);
  if (pulse) light->effectPulse(0.6f, -1);
}

CMapEntity_Game *CPatientStay::fadingHeadOnHead() const {
  CMapEntity *h = b.head();
  // Only while the head still carries it: a copy killed with the head is never followed.
  return h ? fadingHead.among(h->carrying().getContainedList()) : nullptr;
}
