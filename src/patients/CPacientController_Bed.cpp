// The bed half of the patient's behaviour: the stay, outbreaks, medicine, the runaway and the
// held patient, leaving, payment and loss.
#include <cstdlib>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/Frameset.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "patients/CMapEntity_ObtiznostAdjuster.h"
#include "patients/CPacientController.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_NemocnejBacily.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

int32_t CPacientController::posledniOutbreak = 0;

namespace {
const unsigned kComfortClass = 18;
const unsigned kBrokenBedID = 77;
const unsigned kLockedBedID = 190;

void tintText(CMapEntity_Game *t) {
  if (CMapEntity_BonusText *bt = dynamic_cast<CMapEntity_BonusText *>(t)) {
    bt->textRed = 0.8f;
    bt->textGreen = 0.15f;
    bt->textBlue = 0.5f;
  }
}
} // namespace

int paymentFor(float money, float mood) { return (int)(money * 150.0f * mood); }


CMapEntity *CPacientController::head() const {
  CMapEntity_PacientClass *p = patient();
  return p ? p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass) : nullptr;
}

CMapEntity_Game *CPacientController::fadingHeadOnHead() const {
  CMapEntity *h = head();
  // Only while the head still carries it: a copy killed with the head is never followed.
  return (fadingHead && h && h->carries(fadingHead)) ? static_cast<CMapEntity_Game *>(fadingHead) : nullptr;
}

void CPacientController::playKind(const char *male, const char *female, const char *child) {
  CMapEntity_PacientClass *p = patient();
  if (p->getKind() == 0) play(male);
  else if (p->getKind() == 1) play(female);
  else if (p->getKind() == 4) play(child);
}

void CPacientController::bedLight(uint32_t id, float alpha, bool pulse) {
  CMapEntity_Game *bed = patient()->getBed();
  CMapEntity *light = bed ? bed->getContainedEntity((unsigned short)id) : nullptr;
  if (!light) return;
  light->setAlpha(alpha, true);
  if (pulse) light->effectPulse(0.6f, -1);
}

void CPacientController::meterChange(float d) { patient()->changeMeter(d); }

bool CPacientController::pauseWindowHolds() const {
  CMapEntity_ObtiznostAdjuster *a =
      dynamic_cast<CMapEntity_ObtiznostAdjuster *>(collection->getEntityByID(kDifficultyAdjusterID));
  return a && a->holds((uint32_t)now());
}

void CPacientController::phaseInBed() {
  CMapEntity_PacientClass *p = patient();
  if (refreshMeter) {
    refreshMeter = 0;
    p->cropMeter();
  }
  bedReactions();
  if (p->getPhase() == kPhaseInBed) bedStay();
}

void CPacientController::bedReactions() {
  CMapEntity_PacientClass *p = patient();
  int stars = charismaStars();
  if (CMapEntity *gift = p->getContainedEntityClass(kComfortClass)) {
    gift->setKill(true);
    p->changeMood(CCharismaTable::amount(CCharismaTable::kHeartBoost, stars));
    CMapEntity_Game *heart = CMapEntitiesFactory::instance()->cloneEntity("SRDCE");
    heart->setXY(p->getX() + 15, p->getY() + 20);
    collection->addEntity(heart);
    if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) bar->effectFinishPulse();
  }
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    if (e->getKill() || (e->getEntityID() != kGermCloudID && e->getEntityID() != kHappyNotesID)) continue;
    CMapEntity_NemocnejBacily *cloud = dynamic_cast<CMapEntity_NemocnejBacily *>(e);
    if (!cloud || cloud->source == p || !p->isActionCollisionWithEntity(cloud)) continue;
    if (cloud->getEntityID() == kGermCloudID) {
      if (headFlash) continue;
      playKind("MALE_YUCK", "FEMALE_YUCK", "CHILD_YUCK");
      cloud->setKill(true);
      p->changeMood(CCharismaTable::amount(CCharismaTable::kOutbreakPenalty, stars));
      CMapEntity_Game *blue = CMapEntitiesFactory::instance()->cloneEntity("MODRESRDCE");
      blue->setXY(p->getX() + 15, p->getY() + 20);
      collection->addEntity(blue);
      headFlash = 1;
    } else {
      cloud->setKill(true);
      p->changeMood(CCharismaTable::amount(CCharismaTable::kHappyNotes, stars));
    }
  }
}

void CPacientController::bedStay() {
  CMapEntity_PacientClass *p = patient();
  CLevel_Game *lvl = engine ? engine->getLevel() : nullptr;
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  int stars = charismaStars();

  if (p->getTormentor()) {
    fazeBeforeHold = p->getPhase();
    p->beHeld();
    if (p->getBedState() == kBedLying) switchPacientFrameset("VERYBAD", true, false, false);
  }
  if (p->runsAway() && p->getBedState() == kBedLying && p->getRunAwayTimer().udalost()) {
    runFromBed();
    return;
  }
  if (bed && bed->getEntityID() == kBrokenBedID && bedWearTimer->udalost()) {
    bed->damage(2);
    if (bed->health == 0) {
      Frameset *fs = bed->getSprite() ? bed->getSprite()->getAktivniFrameset() : nullptr;
      if (!fs || std::string(fs->getID()) != "BROKEN") play("BED_BREAKS");
      bed->changeFrameset("BROKEN");
      if (CMapEntity *rail = bed->getContainedEntityClass(CMapEntity_PostelClass::kRailClass)) rail->changeFrameset("BROKEN");
      if (CMapEntity *aura = bed->getContainedEntityClass(kHighlightClass)) aura->changeFrameset("BROKEN");
      bool gentle = lvl && lvl->getLevelName() == "Day 31";
      p->changeMood(CCharismaTable::amount(gentle ? CCharismaTable::kBrokenBedGentle : CCharismaTable::kBrokenBed, stars));
    }
  }
  if (headFlash) {
    if (CMapEntity *h = head()) {
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
  if (lvl && lvl->closed()) speedUp = getPocetPacientu() <= 3 ? 3.0f : 2.0f;

  if (p->getBedState() == kBedSleeping) sleeping(speedUp);
  else p->markOutbreak();
  if (p->getBedState() == kBedLying) lying(speedUp);
  if (p->getBedState() == kBedGivingMoney) {
    posledniAktivita = now();
    moodTick(true);
  }
  if (p->getBedState() == kBedPrescription) {
    switchPacientFrameset("ILIKEYOU", true, true, true);
    if (likeTimer->udalost()) {
      p->lieAwake();
      switchPacientFrameset("LYING", false, true, true);
    }
  }
  if (p->getBedState() == kBedFastService) thankingBeforeDrinking();
  if (p->getBedState() == kBedTakingMedicine) drinking();
  if (p->getBedState() == kBedOutbreak) outbreak();
  if (p->getBedState() == kBedWaitingMedicine) waitingForMedicine();
  uint8_t s = p->getBedState();
  if (p->getMeterFull() == 0.0f && s != kBedPrescription && s != kBedFastService && s != kBedTakingMedicine &&
      s != kBedGivingMoney) {
    bedLight(kGreenLightID, 1.0f, true);
    p->readyToPay();
    switchPacientFrameset("GIVEMONEY", true, true, true);
    p->zapniAnimace();
  }
  if (p->getMood() == 0.0f && p->getPhase() != kPhaseRunning) p->startLeaving();
}

void CPacientController::sleeping(float speedUp) {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  float heal = bed ? bed->recoveryFactor : 1.0f;
  if (snoreTimer->udalost()) {
    CMapEntity_Game *z = CMapEntitiesFactory::instance()->cloneEntity("Z");
    if (CChimneyDriftLink *drift = TLink<CChimneyDriftLink>::get()) drift->setDrift(z, -0.6f, -0.4f);
    z->setXY(p->getX() + 16, p->getY() + 6);
    z->setZoom(0.15f);
    collection->addEntity(z);
  }
  if (moodTimer->udalost() && p->getMeterFull() > 0.5f)
    meterChange(speedUp * -0.015f * heal / difficulty() * p->getRecoverySpeed());
  if (bedTimer->udalost()) {
    int r = std::rand() % 3;
    if (r == 0) playKind("MALE_SLEEP1", "FEMALE_SLEEP1", "CHILD_SLEEP1");
    else if (r == 1) playKind("MALE_SLEEP2", "FEMALE_SLEEP2", "CHILD_SLEEP2");
  }
  outbreakAttempt(true);
}

void CPacientController::lying(float speedUp) {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  float heal = bed ? bed->recoveryFactor : 1.0f;
  if (randomTimer->udalost()) {
    randomTimer->nastavSpoustec(2000 + std::rand() % 5500);
    randomTimer->reset();
    if (!head()) {
      CLogger::instance()->log("Zakaznik HEAD class not found, returned NULL!");
      fatalError("Zakaznik HEAD class not found, returned NULL!", 0);
    }
    switchPacientFrameset("BORED", true, false, false);
  }
  if (moodTimer->udalost()) {
    meterChange(speedUp * -0.092f * heal / difficulty() * p->getRecoverySpeed());
    p->synchronizujNaladu();
  }
  outbreakAttempt(false);
}

void CPacientController::outbreakAttempt(bool asleep) {
  CMapEntity_PacientClass *p = patient();
  CLevel_Game *lvl = engine ? engine->getLevel() : nullptr;
  bool closed = lvl && lvl->closed();
  int32_t t = now();
  int32_t delay = lvl ? lvl->getOutbreakDelay() : 5000;
  bool window = pauseWindowHolds();
  if (asleep && window && !closed) return;
  if (!asleep && window) {
    p->markOutbreak();
    return;
  }
  // Signed: the cure touch puts the last activity and the mark up to a minute ahead.
  bool triggered = p->getOutbreakClock().udalost() || (float)(int32_t)(t - posledniAktivita) > 5500.0f / difficulty();
  if (!triggered) return;
  bool spaced = (int32_t)(t - outbreakMark) > 2 * delay;
  if (!asleep && !(p->getMeterFull() > 0.28f && spaced)) return;
  if (asleep && !spaced) return;
  if (p->getOutbreakCount() >= p->getOutbreakMaxCount()) return;
  if (!asleep && (getPocetPacientu() <= 1 || closed)) {
    p->getOutbreakClock().reset();
    return;
  }
  if ((int32_t)(t - posledniOutbreak) > delay) {
    startOutbreak();
  } else {
    outbreakMark = t;
    p->getOutbreakClock().reset();
  }
}

void CPacientController::startOutbreak() {
  CMapEntity_PacientClass *p = patient();
  int32_t t = now();
  posledniOutbreak = posledniAktivita = outbreakMark = t;
  p->breakOut();
  p->markOutbreak();
  int r = std::rand() % 4;
  if (r == 0) play(p->getSounds().panic1);
  else if (r == 1) play(p->getSounds().panic2);
  else playKind("MALE_YUCK2", "FEMALE_YUCK2", "CHILD_YUCK2");
  p->getFastServiceTimer().reset();
  bedTimer->reset();
  switchPacientFrameset("ILL1", true, true, true);
  p->zapniAnimace();
  cekaniTimer->nastavSpoustec(6500);
  cekaniTimer->reset();
}

void CPacientController::coughGerms() {
  CMapEntity_PacientClass *p = patient();
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
    collection->addEntity(e);
  };
  switch (p->getCoughKind()) {
  case 1:
    play("COUGH");
    cloud(0, 2);
    break;
  case 2:
    for (const auto &s : two) cloud(s[0], s[1]);
    break;
  case 3: {
    CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("BACILY");
    e->setXY(p->getX(), p->getY() + 20);
    collection->addEntity(e);
    break;
  }
  case 4:
    for (const auto &s : four) cloud(s[0], s[1]);
    break;
  default:
    break;
  }
}

void CPacientController::outbreak() {
  CMapEntity_PacientClass *p = patient();
  posledniAktivita = now();
  bedLight(kRedLightID, 1.0f, true);
  if (bedTimer->udalost() && p->getCoughCount() < p->getMaxCoughCount()) {
    if (p->getCoughKind() != 0) {
      p->countCough();
      playKind("MALE_YUCK2B", "FEMALE_YUCK2B", "CHILD_YUCK2B");
    }
    coughGerms();
  }
  moodTimer->udalost();
  if (!cekaniTimer->udalost()) return;
  int stars = charismaStars();
  bedLight(kRedLightID, 0.0f, false);
  p->changeMood(CCharismaTable::amount(CCharismaTable::kOutbreakPenalty, stars));
  CMapEntity_Game *blue = CMapEntitiesFactory::instance()->cloneEntity("MODRESRDCE");
  blue->setXY(p->getX() + 15, p->getY() + 20);
  collection->addEntity(blue);
  meterChange(p->getRecoverySpeed() * 0.2f / difficulty());
  p->getOutbreakClock().reset();
  switchPacientFrameset("LYING", false, true, true);
  switchPacientFrameset("ILL3", true, false, false);
  p->fallAsleep();
  if (p->getHearts() < p->getHeartsBefore()) heartsPulsing = 1;
  if (std::rand() % 2 == 0) playKind("MALE_SLEEP1", "FEMALE_SLEEP1", "CHILD_SLEEP1");
  else playKind("MALE_SLEEP2", "FEMALE_SLEEP2", "CHILD_SLEEP2");
}

void CPacientController::waitingForMedicine() {
  CMapEntity_PacientClass *p = patient();
  bedLight(kRedLightID, 0.0f, false);
  posledniAktivita = now();
  moodTick(false);
  CMapEntity *lek = p->getContainedEntity((unsigned short)kMedicineID);
  if (!lek) return;
  medicineTaken = 1;
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) bar->resetFlash();
  play(std::rand() % 2 == 0 ? p->getSounds().meds1 : p->getSounds().meds2);
  posledniAktivita = outbreakMark = now();
  if (CMapEntity_Game *bed = p->getBed()) {
    bed->setHighlightOn(false);
    if (bed->getHighlight()) bed->getHighlight()->setVisible(false);
  }
  lek->setKill(true);
  p->getOutbreakClock().reset();
  switchPacientFrameset("LYING", true, true, true);
  p->synchronizujNaladu();
  CMapEntity *h = head();
  if (h) {
    CMapEntity_Game *copy = CMapEntitiesFactory::instance()->cloneEntity(h->name);
    h->addEntity(copy, true, true);
    copy->setSortZ(6, false);
    copy->setAlpha(1.0f, true);
    h->setAlpha(0.0f, false);
    fadingHead = copy;
  }
  p->drinkMedicine();
  drinkTimer->reset();
  p->synchronizujNaladu();
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL3WAITING");

  // The wait the figure set when it treated the outbreak has not run out: fast service.
  if (p->getMedicineWaitTimer().udalost()) return;
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL1WAITING");
  int stars = charismaStars();
  p->changeMood(CCharismaTable::amount(CCharismaTable::kFastService, stars));
  CMapEntity_Game *heart = CMapEntitiesFactory::instance()->cloneEntity("SRDCE");
  heart->setXY(p->getX() + 15, p->getY() + 20);
  collection->addEntity(heart);
  CMapEntity_Game *t = CMapEntitiesFactory::instance()->cloneEntity("BONUSTEXT");
  t->setXY(p->getX() - 50, p->getY());
  tintText(t);
  if (CMapEntity_TextBox *tb = dynamic_cast<CMapEntity_TextBox *>(t)) tb->text = "FAST SERVICE +50";
  play("CHAIN2");
  if (CLevel_Game *lvl = engine ? engine->getLevel() : nullptr) lvl->changeMoney(50);
  collection->addEntity(t);
  p->thankForFastService();
  likeTimer->reset();
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) bar->effectFinishPulse();
}

void CPacientController::thankingBeforeDrinking() {
  CMapEntity_PacientClass *p = patient();
  switchPacientFrameset("ILIKEYOU", true, true, true);
  if (!likeTimer->udalost()) return;
  p->drinkMedicine();
  drinkTimer->reset();
  switchPacientFrameset("DRINKING", false, true, true);
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL3WAITING");
  p->zapniAnimace();
}

void CPacientController::drinking() {
  CMapEntity_PacientClass *p = patient();
  bedTimer->nastavSpoustec(p->getCoughPeriod());
  p->zapniAnimace();
  switchPacientFrameset("DRINKING", false, true, true);
  CMapEntity *h = head();
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeAlpha(-0.007f, true);
  if (h) {
    h->changeAlpha(0.007f, false);
    switchPacientFrameset("GOOD", true, false, false);
  }
  if (!drinkTimer->udalost()) return;
  CPlayer *player = engine ? engine->getPlayer() : nullptr;
  float b = 0.0f;
  if (player && player->basketContains(kMedsUpgradeID)) b = (float)(player->starsOwned(kMedsUpgradeID) + 2) / 20.0f;
  meterChange((p->getRecoverySpeed() * -0.12f - b) / difficulty());
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->setKill(true);
  fadingHead = nullptr;
  if (h && h->getAlpha() != 1.0f) h->setAlpha(1.0f, false);
  outbreakMark = now();
  p->lieAwake();
  switchPacientFrameset("LYING", false, true, true);
  p->containedCopiesUpdate();
}

void CPacientController::runFromBed() {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  if (bed) {
    if (CMapEntity *blanket = p->getContainedEntityClass(CMapEntity_PostelClass::kBlanketClass)) {
      p->giveEntityTo(bed, blanket, true);
      blanket->setXOffset(0.0f, false);
      blanket->setYOffset(50.0f, false);
      blanket->setSortZ(3, false);
      blanket->syncWithParentPosition();
    }
    bed->dropEntity(p);
  }
  p->setSortZ(0, false);
  p->runAway();
  switchPacientFrameset("FRAMESET1", false, true, false);
  switchPacientFrameset("RUNNING", false, false, true);
  switchPacientFrameset("ILL2", true, false, false);
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) bar->setAlpha(0.0f, true);
  p->zapniAnimace();
  p->setXY(325.0f, p->getY());
  homeX = (int16_t)p->getX();
  homeY = (int16_t)p->getY();
  play(std::rand() % 2 == 0 ? "CUSTOMER_RUNS" : "CUSTOMER_RUNS_ALT");
}

void CPacientController::phaseRunning() {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_PostelClass *own = dynamic_cast<CMapEntity_PostelClass *>(p->getBedLink());
  if (own && !collection->contains(own)) {
    own = nullptr;
    p->forgetBed();
  }
  p->changeY(1.0f);
  if (p->getY() > 600.0f) {
    play(std::rand() % 2 == 0 ? "CUSTOMER_ESCAPES" : "CUSTOMER_ESCAPES_ALT");
    if (own) own->releaseOccupant();
    p->forgetBed();
    clearOnKill();
    killEntity();
    return;
  }
  bool wasHeld = heldByCursor() == p;
  drag(true);
  CMapEntity_Game *c = cursor();
  CMapEntity_Game *bedUnder = c ? dynamic_cast<CMapEntity_Game *>(c->isActionCollisionWithEntityClassID(kBedClass)) : nullptr;
  if (heldByCursor() == p && KInput::getLeftButtonState()) {
    if (own) own->setHighlightOn(true);
    if (bedUnder && bedUnder == own) {
      if (bedPreview && previewBed != own) sesadPacienta();
      if (!bedPreview) previewLying(own, "VERYGOOD");
    } else if (bedPreview) {
      sesadPacienta();
      switchPacientFrameset("ILL2", true, false, false);
    }
  } else if (wasHeld && !KInput::getLeftButtonState()) {
    setHeld(nullptr);
    p->setSortZ(0, false);
    if (own && bedUnder == own && bedPreview && previewBed == own &&
        (!p->bedDropBlocked() || own->getEntityID() == kLockedBedID)) {
      capture(own);
    } else {
      if (bedPreview) sesadPacienta();
      p->setXY(homeX, homeY);
      if (own) own->setHighlightOn(false);
      switchPacientFrameset("FRAMESET1", false, true, false);
      switchPacientFrameset("ILL2", true, false, false);
      switchPacientFrameset("RUNNING", false, false, true);
    }
  }
  p->dragged = 0;
}

void CPacientController::capture(CMapEntity_Game *b) {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_PostelClass *bed = static_cast<CMapEntity_PostelClass *>(b);
  sesadPacienta();
  queueAction(this, 2, 0);
  float yo = p->getKind() == 4 ? -7.0f : -10.0f;
  layout(bed, yo);
  bed->takeBack(p);
  if (CMapEntity *rail = bed->getContainedEntityClass(CMapEntity_PostelClass::kRailClass)) rail->setSortZ(6, false);
  p->carriedBack();
  switchPacientFrameset("LYING", false, true, true);
  switchPacientFrameset("VERYGOOD", true, false, false);
  p->synchronizujNaladu();
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) bar->setAlpha(1.0f, false);
  bed->setHighlightOn(false);
  p->getRunAwayTimer().reset();
  CMapEntity_Game *t = CMapEntitiesFactory::instance()->cloneEntity("BONUSTEXT");
  t->setXY(p->getX() - 50, p->getY());
  tintText(t);
  if (CMapEntity_TextBox *tb = dynamic_cast<CMapEntity_TextBox *>(t)) tb->text = "PATIENT CAPTURED +100";
  collection->addEntity(t);
  if (CLevel_Game *lvl = engine ? engine->getLevel() : nullptr) lvl->changeMoney(100);
}

void CPacientController::phaseLeaving() {
  CMapEntity_PacientClass *p = patient();
  payTimer->reset();
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
    if (CMapEntity *h = head()) h->setSortZ(4, false);
    bed->containedCopiesUpdate();
    p->containedCopiesUpdate();
  }
  if (p->getMeterFull() == 0.0f && p->getMood() != 0.0f) {
    if (p->getSprite()) p->getSprite()->nastavFrameset("EXITING_GOOD");
    play(std::rand() % 2 == 0 ? p->getSounds().exitHappy1 : p->getSounds().exitHappy2);
  } else if (p->getMood() == 0.0f) {
    if (p->getSprite()) p->getSprite()->nastavFrameset("EXITING_BAD");
  }
  p->zapniAnimace();
  p->walkOut();
}

void CPacientController::phaseGone() {
  CMapEntity_PacientClass *p = patient();
  CMapEntity *bedCarrier = p->getParent();
  if (CMapEntity_Game *bed = bedCarrier ? dynamic_cast<CMapEntity_PostelClass *>(bedCarrier) : nullptr) {
    if (CMapEntity *l = bed->getContainedEntity((unsigned short)kGreenLightID)) l->setAlpha(0.0f, true);
    if (CMapEntity *l = bed->getContainedEntity((unsigned short)kRedLightID)) l->setAlpha(0.0f, true);
  }
  if (!payTimer->udalost()) return;
  CLevel_Game *lvl = engine ? engine->getLevel() : nullptr;
  if (p->getMood() != 0.0f) {
    int amount = paymentFor(p->getMoney(), p->getMood());
    if (lvl) lvl->changeMoney(amount);
    CMapEntity_Game *cured = CMapEntitiesFactory::instance()->cloneEntity("NAPISCURED");
    cured->setXY(p->getX() - 65, p->getY() - 30);
    collection->addEntity(cured);
    play("EXIT");
    bonusText(p->getX() - 20, p->getY(), "CASH +" + makeString(amount));
    CPlayer *player = engine ? engine->getPlayer() : nullptr;
    if (p->isCelebrity() && player && !player->wasCelebritySeen((int)p->getEntityID())) {
      player->addCelebritiesSeen((int)p->getEntityID());
      int half = amount / 2;
      CMapEntity_Game *t = bonusText(p->getX() - 40, p->getY() + 30, "EXTRA SAVED +" + makeString(half));
      tintText(t);
      if (lvl) {
        lvl->changeMoneyPlus(half);
        lvl->changeExpertMoneyPlus(half);
      }
    }
    if (lvl) lvl->incCured();
  } else {
    play(std::rand() % 2 == 0 ? p->getSounds().exitAngry1 : p->getSounds().exitAngry2);
    CMapEntity_Game *lost = CMapEntitiesFactory::instance()->cloneEntity("NAPISLOST");
    lost->setXY(p->getX() - 65, p->getY() - 30);
    collection->addEntity(lost);
    if (lvl) lvl->incLost();
  }
  clearOnKill();
  killEntity();
}

void CPacientController::clearOnKill() {
  CMapEntity_PacientClass *p = patient();
  if (heldByCursor() == p) setHeld(nullptr);
  if (CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(p->getChair())) {
    if (chair->gauge) chair->gauge->setStav(0.0f);
    chair->occupant = nullptr;
  }
}

void CPacientController::pauseBookkeeping() {
  CLevel_Game *lvl = engine ? engine->getLevel() : nullptr;
  CMapEntity_ObtiznostAdjuster *a =
      dynamic_cast<CMapEntity_ObtiznostAdjuster *>(collection->getEntityByID(kDifficultyAdjusterID));
  if (!(a && a->holds((uint32_t)now()) && !(lvl && lvl->closed()))) {
    pauseSeen = 0;
    return;
  }
  if (!pauseSeen) {
    pauseSeen = 1;
    outbreakMark += (int32_t)(a->pauseEnd - a->pauseStart);
  }
  if (!moodTimer->udalost()) return;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (CMapEntity_PacientClass *other = dynamic_cast<CMapEntity_PacientClass *>(e))
      if (other->getBed()) return;
  a->pauseEnd = (uint32_t)now() + 5000;
}
