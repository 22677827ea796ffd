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
#include "media/CRandom.h"
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

int clampStars(int s) { return s < 0 ? 0 : (s > 4 ? 4 : s); }

void tintText(CMapEntity_Game *t) {
  if (CMapEntity_BonusText *bt = dynamic_cast<CMapEntity_BonusText *>(t)) {
    bt->textRed = 0.8f;
    bt->textGreen = 0.15f;
    bt->textBlue = 0.5f;
  }
}
} // namespace

int paymentFor(float money, float mood) { return (int)(money * 150.0f * mood); }

float outbreakPenalty(int stars) {
  static const float f[] = {-0.3f, -0.25f, -0.2142857f, -0.1666667f, -0.15f};
  return f[clampStars(stars)];
}

float happyNotesGain(int stars) {
  static const float f[] = {0.15f, 0.18f, 0.225f, 0.285f, 0.315f};
  return f[clampStars(stars)];
}

float fastServiceGain(int stars) {
  static const float f[] = {0.35f, 0.42f, 0.525f, 0.665f, 0.735f};
  return f[clampStars(stars)];
}

float brokenBedPenalty(int stars, bool gentleDay) {
  static const float f[] = {-0.2f, -0.1666667f, -0.1428571f, -0.1111111f, -0.1f};
  static const float g[] = {-0.05f, -0.0416667f, -0.0357143f, -0.0277778f, -0.025f};
  return gentleDay ? g[clampStars(stars)] : f[clampStars(stars)];
}

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
  if (p->kind == 0) play(male);
  else if (p->kind == 1) play(female);
  else if (p->kind == 4) play(child);
}

void CPacientController::bedLight(uint32_t id, float alpha, bool pulse) {
  CMapEntity_Game *bed = patient()->getBed();
  CMapEntity *light = bed ? bed->getContainedEntity((unsigned short)id) : nullptr;
  if (!light) return;
  light->setAlpha(alpha, true);
  if (pulse) light->effectPulse(0.6f, -1);
}

void CPacientController::meterChange(float d) {
  CMapEntity_PacientClass *p = patient();
  float m = p->meterFull + d;
  p->meterFull = m < 0.0f ? 0.0f : (m > 1.0f ? 1.0f : m);
  p->cropMeter();
}

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
  if (p->phase == kPhaseInBed) bedStay();
}

void CPacientController::bedReactions() {
  CMapEntity_PacientClass *p = patient();
  int stars = charismaStars();
  if (CMapEntity *gift = p->getContainedEntityClass(kComfortClass)) {
    gift->setKill(true);
    applyMoodChange(*p, heartBoost(stars), stars, true);
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
      applyMoodChange(*p, outbreakPenalty(stars), stars, true);
      CMapEntity_Game *blue = CMapEntitiesFactory::instance()->cloneEntity("MODRESRDCE");
      blue->setXY(p->getX() + 15, p->getY() + 20);
      collection->addEntity(blue);
      headFlash = 1;
    } else {
      cloud->setKill(true);
      applyMoodChange(*p, happyNotesGain(stars), stars, true);
    }
  }
}

void CPacientController::bedStay() {
  CMapEntity_PacientClass *p = patient();
  CLevel_Game *lvl = engine ? engine->getLevel() : nullptr;
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(p->getBed());
  int stars = charismaStars();

  if (p->tormentor) {
    fazeBeforeHold = p->phase;
    p->phase = kPhaseHeld;
    if (p->bedState == kBedLying) switchPacientFrameset("VERYBAD", true, false, false);
  }
  if (p->runsAway && p->bedState == kBedLying && p->runAwayTimer->udalost()) {
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
      applyMoodChange(*p, brokenBedPenalty(stars, lvl && lvl->getLevelName() == "Day 31"), stars, true);
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

  if (p->bedState == kBedSleeping) sleeping(speedUp);
  else p->outbreakFlag = 1;
  if (p->bedState == kBedLying) lying(speedUp);
  if (p->bedState == kBedGivingMoney) {
    posledniAktivita = now();
    moodTick(true);
  }
  if (p->bedState == kBedPrescription) {
    switchPacientFrameset("ILIKEYOU", true, true, true);
    if (likeTimer->udalost()) {
      p->bedState = kBedLying;
      switchPacientFrameset("LYING", false, true, true);
    }
  }
  if (p->bedState == kBedFastService) thankingBeforeDrinking();
  if (p->bedState == kBedTakingMedicine) drinking();
  if (p->bedState == kBedOutbreak) outbreak();
  if (p->bedState == kBedWaitingMedicine) waitingForMedicine();
  uint8_t s = p->bedState;
  if (p->meterFull == 0.0f && s != kBedPrescription && s != kBedFastService && s != kBedTakingMedicine &&
      s != kBedGivingMoney) {
    bedLight(kGreenLightID, 1.0f, true);
    p->bedState = kBedGivingMoney;
    switchPacientFrameset("GIVEMONEY", true, true, true);
    p->zapniAnimace();
  }
  if (p->mood == 0.0f && p->phase != kPhaseRunning) p->phase = kPhasePaid;
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
  if (moodTimer->udalost() && p->meterFull > 0.5f)
    meterChange(speedUp * -0.015f * heal / difficulty() * p->recoverySpeed);
  if (bedTimer->udalost()) {
    int r = CRandom::draw() % 3;
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
    randomTimer->nastavSpoustec(2000 + CRandom::draw() % 5500);
    randomTimer->reset();
    if (!head()) {
      CLogger::instance()->log("Zakaznik HEAD class not found, returned NULL!");
      fatalError("Zakaznik HEAD class not found, returned NULL!", 0);
    }
    switchPacientFrameset("BORED", true, false, false);
  }
  if (moodTimer->udalost()) {
    meterChange(speedUp * -0.092f * heal / difficulty() * p->recoverySpeed);
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
    p->outbreakFlag = 1;
    return;
  }
  // Signed: the cure touch puts the last activity and the mark up to a minute ahead.
  bool triggered = p->outbreakClock->udalost() || (float)(int32_t)(t - posledniAktivita) > 5500.0f / difficulty();
  if (!triggered) return;
  bool spaced = (int32_t)(t - outbreakMark) > 2 * delay;
  if (!asleep && !(p->meterFull > 0.28f && spaced)) return;
  if (asleep && !spaced) return;
  if (p->outbreakCount >= p->outbreakMaxCount) return;
  if (!asleep && (getPocetPacientu() <= 1 || closed)) {
    p->outbreakClock->reset();
    return;
  }
  if ((int32_t)(t - posledniOutbreak) > delay) {
    startOutbreak();
  } else {
    outbreakMark = t;
    p->outbreakClock->reset();
  }
}

void CPacientController::startOutbreak() {
  CMapEntity_PacientClass *p = patient();
  int32_t t = now();
  posledniOutbreak = posledniAktivita = outbreakMark = t;
  p->bedState = kBedOutbreak;
  p->outbreakFlag = 1;
  int r = CRandom::draw() % 4;
  if (r == 0) play(p->soundPanic1);
  else if (r == 1) play(p->soundPanic2);
  else playKind("MALE_YUCK2", "FEMALE_YUCK2", "CHILD_YUCK2");
  p->fastServiceTimer->reset();
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
  switch (p->coughKind) {
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
  if (bedTimer->udalost() && p->coughCount < p->maxCoughCount) {
    if (p->coughKind != 0) {
      ++p->coughCount;
      playKind("MALE_YUCK2B", "FEMALE_YUCK2B", "CHILD_YUCK2B");
    }
    coughGerms();
  }
  moodTimer->udalost();
  if (!cekaniTimer->udalost()) return;
  int stars = charismaStars();
  bedLight(kRedLightID, 0.0f, false);
  applyMoodChange(*p, outbreakPenalty(stars), stars, true);
  CMapEntity_Game *blue = CMapEntitiesFactory::instance()->cloneEntity("MODRESRDCE");
  blue->setXY(p->getX() + 15, p->getY() + 20);
  collection->addEntity(blue);
  meterChange(p->recoverySpeed * 0.2f / difficulty());
  p->outbreakClock->reset();
  switchPacientFrameset("LYING", false, true, true);
  switchPacientFrameset("ILL3", true, false, false);
  p->bedState = kBedSleeping;
  if (p->hearts < p->heartsBefore) heartsPulsing = 1;
  if (CRandom::draw() % 2 == 0) playKind("MALE_SLEEP1", "FEMALE_SLEEP1", "CHILD_SLEEP1");
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
  play(CRandom::draw() % 2 == 0 ? p->soundMeds1 : p->soundMeds2);
  posledniAktivita = outbreakMark = now();
  if (CMapEntity_Game *bed = p->getBed()) {
    bed->setHighlightOn(false);
    if (bed->getHighlight()) bed->getHighlight()->setVisible(false);
  }
  lek->setKill(true);
  p->outbreakClock->reset();
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
  p->bedState = kBedTakingMedicine;
  drinkTimer->reset();
  p->synchronizujNaladu();
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL3WAITING");

  // The wait the figure set when it treated the outbreak has not run out: fast service.
  if (p->medicineWaitTimer->udalost()) return;
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL1WAITING");
  int stars = charismaStars();
  applyMoodChange(*p, fastServiceGain(stars), stars, true);
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
  p->bedState = kBedFastService;
  likeTimer->reset();
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) bar->effectFinishPulse();
}

void CPacientController::thankingBeforeDrinking() {
  CMapEntity_PacientClass *p = patient();
  switchPacientFrameset("ILIKEYOU", true, true, true);
  if (!likeTimer->udalost()) return;
  p->bedState = kBedTakingMedicine;
  drinkTimer->reset();
  switchPacientFrameset("DRINKING", false, true, true);
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->changeFrameset("ILL3WAITING");
  p->zapniAnimace();
}

void CPacientController::drinking() {
  CMapEntity_PacientClass *p = patient();
  bedTimer->nastavSpoustec(p->coughPeriod);
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
  meterChange((p->recoverySpeed * -0.12f - b) / difficulty());
  if (CMapEntity_Game *f = fadingHeadOnHead()) f->setKill(true);
  fadingHead = nullptr;
  if (h && h->getAlpha() != 1.0f) h->setAlpha(1.0f, false);
  outbreakMark = now();
  p->bedState = kBedLying;
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
  p->phase = kPhaseRunning;
  p->setMouseClick(false);
  p->setMouseDrag(true);
  switchPacientFrameset("FRAMESET1", false, true, false);
  switchPacientFrameset("RUNNING", false, false, true);
  switchPacientFrameset("ILL2", true, false, false);
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) bar->setAlpha(0.0f, true);
  p->zapniAnimace();
  p->setXY(325.0f, p->getY());
  homeX = (int16_t)p->getX();
  homeY = (int16_t)p->getY();
  play(CRandom::draw() % 2 == 0 ? "CUSTOMER_RUNS" : "CUSTOMER_RUNS_ALT");
}

void CPacientController::phaseRunning() {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_PostelClass *own = dynamic_cast<CMapEntity_PostelClass *>(p->bed);
  if (own && !collection->contains(own)) {
    own = nullptr;
    p->bed = nullptr;
  }
  p->changeY(1.0f);
  if (p->getY() > 600.0f) {
    play(CRandom::draw() % 2 == 0 ? "CUSTOMER_ESCAPES" : "CUSTOMER_ESCAPES_ALT");
    if (own) own->releaseOccupant();
    p->bed = nullptr;
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
        (!p->bedDropBlocked || own->getEntityID() == kLockedBedID)) {
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
  float yo = p->kind == 4 ? -7.0f : -10.0f;
  layout(bed, yo);
  bed->takeBack(p);
  if (CMapEntity *rail = bed->getContainedEntityClass(CMapEntity_PostelClass::kRailClass)) rail->setSortZ(6, false);
  p->bedState = kBedLying;
  p->phase = kPhaseInBed;
  switchPacientFrameset("LYING", false, true, true);
  switchPacientFrameset("VERYGOOD", true, false, false);
  p->synchronizujNaladu();
  if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kMeterID)) bar->setAlpha(1.0f, false);
  bed->setHighlightOn(false);
  p->runAwayTimer->reset();
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
  if (p->meterFull == 0.0f && p->mood != 0.0f) {
    if (p->getSprite()) p->getSprite()->nastavFrameset("EXITING_GOOD");
    play(CRandom::draw() % 2 == 0 ? p->soundExitHappy1 : p->soundExitHappy2);
  } else if (p->mood == 0.0f) {
    if (p->getSprite()) p->getSprite()->nastavFrameset("EXITING_BAD");
  }
  p->zapniAnimace();
  p->phase = kPhaseGone;
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
  if (p->mood != 0.0f) {
    int amount = paymentFor(p->money, p->mood);
    if (lvl) lvl->changeMoney(amount);
    CMapEntity_Game *cured = CMapEntitiesFactory::instance()->cloneEntity("NAPISCURED");
    cured->setXY(p->getX() - 65, p->getY() - 30);
    collection->addEntity(cured);
    play("EXIT");
    bonusText(p->getX() - 20, p->getY(), "CASH +" + makeString(amount));
    CPlayer *player = engine ? engine->getPlayer() : nullptr;
    if (p->celebrity && player && !player->wasCelebritySeen((int)p->getEntityID())) {
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
    play(CRandom::draw() % 2 == 0 ? p->soundExitAngry1 : p->soundExitAngry2);
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
