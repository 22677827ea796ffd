#include "world/kinds/CMapEntity_PacientClass.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/KGraphic.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "media/makeString.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/CMapEntity_PyzamoRuka.h"

namespace {
const unsigned kPaletaSize = sizeof(paleta) / sizeof(paleta[0]);

ZSprite *animatedCopy(const std::string &spriteName) {
  if (!spriteFactory) fatalError("Cannot create ZSprite copy, ZSprite " + spriteName + " not found!", -1);
  ZSprite *s = spriteFactory->cloneSprite(spriteName.c_str());
  if (!s) return nullptr;
  s->nastavFrameset("FRAMESET1");
  for (unsigned i = 0; i < s->getPocetFramesetu(); ++i) s->getFrameset(i)->zapniAnimace();
  return s;
}

CMapEntity *carryPrototype(CMapEntity *carrier, const std::string &prototype, int sortZ) {
  if (!CMapEntity::links().clonePrototype)
    fatalError("Entity prototype " + prototype + " cannot be cloned without the registry", -1);
  CMapEntity *part = CMapEntity::links().clonePrototype(prototype);
  carrier->addEntity(part, true, true);
  part->setSortZ(sortZ, false);
  return part;
}

// A link is followed only to an entity the patient's own level still lists and that is not dying;
// one that is neither is forgotten.
CMapEntity_Game *follow(const CMapEntity_Game *patient, TEntityRef<CMapEntity_Game> &link) {
  CMapEntity_Game *e = link.in(patient->home());
  if (e && !e->getKill()) return e;
  link.clear();
  return nullptr;
}
} // namespace

CMapEntity_PacientClass::CMapEntity_PacientClass(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid), outbreakClock(6000 + CRandom::draw() % 7500, false) {
  setMouseDrag(true);
  setEntityClassID(15);
  setXY(x, y);
  setWalkPenalty(200);
  health = 100;
  exportVariables();
}

void CMapEntity_PacientClass::exportVariables() {
  exportVariable("colorbonus", 2, &colorBonus);
  exportVariable("fastservice", 2, &fastService);
  exportVariable("money", 2, &money);
  exportVariable("outbreaktimer", 2, &outbreakTimer);
  exportVariable("outbreakmaxcount", 2, &outbreakMaxCount);
  exportVariable("cekanitimer", 2, &waitTimer);
  exportVariable("maxkaselcount", 1, &maxCoughCount);
  exportVariable("patience", 2, &patience);
  exportVariable("recoveryspeed", 2, &recoverySpeed);
  exportVariable("meterFull", 2, &meterFull);
  exportVariable("pressurespeed", 2, &pressureSpeed);
  exportVariable("diseasename", 0, &diseaseName);
  exportVariable("soundexithappy1", 0, &sounds.exitHappy1);
  exportVariable("soundexitangry1", 0, &sounds.exitAngry1);
  exportVariable("soundmeds1", 0, &sounds.meds1);
  exportVariable("soundpanic1", 0, &sounds.panic1);
  exportVariable("soundexithappy2", 0, &sounds.exitHappy2);
  exportVariable("soundexitangry2", 0, &sounds.exitAngry2);
  exportVariable("soundmeds2", 0, &sounds.meds2);
  exportVariable("soundpanic2", 0, &sounds.panic2);
  exportVariable("startupHearts", 2, &mood);
}

// The clocks start afresh (the outbreak clock with the copied period) and the links stay empty.
CMapEntity_PacientClass::CMapEntity_PacientClass(const CMapEntity_PacientClass &o)
    : CCloneable(o), colour(o.colour), kind(o.kind), phase(o.phase), bedState(o.bedState),
      outbreakCount(o.outbreakCount), outbreakMaxCount(o.outbreakMaxCount), outbreakTimer(o.outbreakTimer),
      waitTimer(o.waitTimer), outbreakFlag(o.outbreakFlag), coughKind(o.coughKind), hearts(o.hearts),
      heartsBefore(o.heartsBefore), colorBonus(o.colorBonus), fastService(o.fastService),
      difficultyCounted(o.difficultyCounted), runner(o.runner), meterFull(o.meterFull),
      recoverySpeed(o.recoverySpeed), money(o.money), patience(o.patience), mood(o.mood),
      diseaseName(o.diseaseName), coughPeriod(3000), tint{o.tint[0], o.tint[1], o.tint[2]},
      pressureSpeed(o.pressureSpeed), sounds(o.sounds), coughCount(o.coughCount), maxCoughCount(o.maxCoughCount),
      celebrity(o.celebrity), outbreakClock((int)o.outbreakTimer, false), dropBlocked(o.dropBlocked) {
  CMapEntity *head = carryPrototype(this, name + "HLAVA", 4);
  head->zapniAnimace();
  CMapEntity::zapniAnimace();

  pyjamaSkin = animatedCopy(std::string(kindName(kind)) + "PYZAMO_SKIN");
  addPyjamaHand();

  CMapEntity *heartsBar = carryPrototype(this, "SRDICKA", 5);
  heartsBar->setXOffset(kHeartsBeside, false);
  heartsBar->setYOffset(26.0f, false);
  heartsBar->syncWithParentPosition();
  synchronizujSrdicka();

  setAlpha(0.0f, true);
}

void CMapEntity_PacientClass::addPyjamaHand() {
  std::string handSprite = std::string(kindName(kind)) + "PYZAMORUKA";
  CMapEntity *hand = CMapEntity::links().clonePrototype("PYZAMORUKA");
  hand->looks().setSprite(handSprite);
  if (hand->looks().getSprite()) hand->looks().getSprite()->nastavFrameset("FRAMESET1");
  if (CMapEntity_PyzamoRuka *typed = dynamic_cast<CMapEntity_PyzamoRuka *>(hand))
    typed->setSkin(animatedCopy(handSprite + "_SKIN"));
  addEntity(hand, true, true);
  hand->setSortZ(3, false);
}

CMapEntity_PacientClass::~CMapEntity_PacientClass() {
  delete pyjamaSkin;
  pyjamaSkin = nullptr;
}

const char *CMapEntity_PacientClass::kindName(uint16_t k) {
  static const char *const names[] = {"MAN", "WOMAN", "BMAN", "BWOMAN", "DITE"};
  return k < 5 ? names[k] : "";
}

// Compared in double against the float mood, so a stored 0.4f (just above 0.4) shows "BAD".
const char *CMapEntity_PacientClass::faceFor(float m) {
  double d = m;
  if (d >= 0.8 && d <= 1.0) return "VERYGOOD";
  if (d >= 0.6 && d < 0.8) return "GOOD";
  if (d >= 0.4 && d < 0.6) return "BAD";
  if (d >= 0.0 && d <= 0.4) return "VERYBAD";
  return nullptr;
}

const char *CMapEntity_PacientClass::heartsFor(float m) {
  double d = m;
  if (d > 1.0) return nullptr;
  if (d >= 0.8) return "FRAMESET5";
  if (d >= 0.6) return "FRAMESET4";
  if (d >= 0.4) return "FRAMESET3";
  if (d >= 0.2) return "FRAMESET2";
  if (d >= 0.1) return "FRAMESET1";
  return "FRAMESET0";
}

void CMapEntity_PacientClass::prevlekniSe() {
  std::string prefix = kindName(kind);
  CLogger::instance()->log("prevlekam :" + prefix);
  looks().setSprite(prefix + "PYZAMO");
  if (looks().getSprite()) looks().getSprite()->nastavFrameset("FRAMESET1");
  if (CMapEntity *hand = getContainedEntity(kHandID)) {
    hand->looks().setSprite(prefix + "PYZAMORUKA");
    if (hand->looks().getSprite()) hand->looks().getSprite()->nastavFrameset("FRAMESET1");
  }
}

void CMapEntity_PacientClass::setBarva(uint16_t c) {
  CLogger::instance()->log("Set barva:" + makeString(c));
  colour = c;
  // A colour past the palette keeps the old tint rather than reading beyond it.
  if (c >= kPaletaSize) return;
  for (int i = 0; i < 3; ++i) tint[i] = paleta[c][i];
  setRGB(tint[0], tint[1], tint[2], false);
  if (CMapEntity *hand = getContainedEntityClass(kHandClass)) hand->setRGB(tint[0], tint[1], tint[2], false);
}

void CMapEntity_PacientClass::synchronizujNaladu() {
  CMapEntity *head = getContainedEntityClass(kHeadClass);
  if (!head) {
    CLogger::instance()->log("Zakaznik HEAD class not found, returned NULL!");
    fatalError("Zakaznik HEAD class not found, returned NULL!", -1);
  }
  if (const char *face = faceFor(mood)) head->changeFrameset(face);
  synchronizujSrdicka();
}

void CMapEntity_PacientClass::synchronizujSrdicka() {
  CMapEntity *bar = getContainedEntity(kHeartsID);
  if (!bar) {
    CLogger::instance()->log("Zakaznik SRDICKA class not found, returned NULL!");
    fatalError("Zakaznik SRDICKA class not found, returned NULL!", -1);
  }
  const char *fs = heartsFor(mood);
  if (!fs) return;
  bar->changeFrameset(fs);
  if ((double)mood >= 0.4) bar->setZoom(1.0f);
}

void CMapEntity_PacientClass::cropMeter() {
  if (CMapEntity *meter = getContainedEntity(kMeterID))
    meter->looks().setVyrezPercent(-1, -1, -1, (short)(21.0f - 21.0f * meterFull));
}

CMapEntity_Game *CMapEntity_PacientClass::getBed() { return follow(this, bed); }

CMapEntity_Game *CMapEntity_PacientClass::getChair() { return follow(this, chair); }

CMapEntity_Game *CMapEntity_PacientClass::getBedLink() const { return bed.in(home()); }

CMapEntity_Game *CMapEntity_PacientClass::getTormentor() const {
  return tormentor.in(home());
}

void CMapEntity_PacientClass::renderAdditional(KGraphic *g) {
  CMapEntity_Game::renderAdditional(g);
  drawSkinOverlay(g, *this, pyjamaSkin, false);
  drawOutbreakRing(g);
}

// A dot for each half second of the wait, emptying clockwise from the top: gold while the answer
// still pays for fast service, orange after, red in the last two seconds, blinking white.
void CMapEntity_PacientClass::drawOutbreakRing(KGraphic *g) const {
  if (!g || phase != kPhaseInBed || bedState != kBedOutbreak || outbreakWait <= 0) return;
  const int dots = kRingDots;
  const int32_t left = getOutbreakLeft();
  const int lit = (int)(((int64_t)left * dots + outbreakWait - 1) / outbreakWait);
  float r = 1.0f, gr = 0.55f, bl = 0.1f;
  if (outbreakElapsed < outbreakFast) {
    gr = 0.84f;
    bl = 0.15f;
  }
  if (left <= kRingLastMs) {
    gr = bl = 0.12f;
    if ((left / kRingBlinkMs) % 2 == 1) gr = bl = 1.0f;
  }
  float cx = 0.0f, cy = 0.0f;
  outbreakRingCentre(cx, cy);
  for (int i = 0; i < dots; ++i) {
    const double a = (-90.0 + 360.0 * i / dots) * 3.14159265358979 / 180.0;
    const float x = std::round(cx + kRingRadius * (float)std::cos(a));
    const float y = std::round(cy + kRingRadius * (float)std::sin(a));
    g->drawRect(x - 3.0f, y - 3.0f, x + 3.0f, y + 3.0f, 0.1f, 0.08f, 0.14f, 0.9f);
    if (i < lit)
      g->drawRect(x - 2.0f, y - 2.0f, x + 2.0f, y + 2.0f, r, gr, bl, 1.0f);
    else
      g->drawRect(x - 1.0f, y - 1.0f, x + 1.0f, y + 1.0f, 0.45f, 0.45f, 0.5f, 1.0f);
  }
}

void CMapEntity_PacientClass::outbreakRingCentre(float &cx, float &cy) const {
  cx = getX();
  cy = getY();
}

void CMapEntity_PacientClass::collectPictures(std::vector<unsigned int> &out) const {
  CMapEntity_Game::collectPictures(out);
  if (pyjamaSkin) pyjamaSkin->collectSurfaces(out);
  if (!spriteFactory) return;
  const std::string prefix = kindName(kind);
  for (const char *part : {"PYZAMO", "PYZAMORUKA", "PYZAMORUKA_SKIN"}) spriteFactory->collectSurfaces(prefix + part, out);
}

void CMapEntity_PacientClass::animateAdditional() {
  CMapEntity_Game::animateAdditional();
  followSkinOverlay(*this, pyjamaSkin);
}

void CMapEntity_PacientClass::zapniAnimace() {
  CMapEntity_Game::zapniAnimace();
  if (pyjamaSkin && pyjamaSkin->getAktivniFrameset()) pyjamaSkin->getAktivniFrameset()->zapniAnimace();
}

int CMapEntity_PacientClass::heartCount(float mood) {
  double m = mood;
  if (m >= 0.8) return 5;
  if (m >= 0.6) return 4;
  if (m >= 0.4) return 3;
  if (m >= 0.2) return 2;
  if (m >= 0.1) return 1;
  return 0;
}

namespace {
struct TMove {
  uint8_t from;
  uint8_t to;
};

// The moves of a visit.
const TMove kPhaseMoves[] = {
    {kPhaseArrived, kPhaseOnChair},  // registered at the desk
    {kPhaseOnChair, kPhaseOnCouch},  // changed, onto the bench
    {kPhaseOnCouch, kPhaseInBed},    // laid into a bed
    {kPhaseInBed, kPhaseRunning},    // runs from its bed
    {kPhaseRunning, kPhaseInBed},    // carried back
    {kPhaseInBed, kPhaseHeld},       // the monkey takes hold
    {kPhaseHeld, kPhaseInBed},       // and lets go
    {kPhaseInBed, kPhasePaid},       // sent home cured, or no mood left
    {kPhaseHeld, kPhasePaid},        // no mood left in the frame the monkey took hold,
    {kPhaseHeld, kPhaseRunning},     // or its time to run had come
    {kPhasePaid, kPhaseGone},        // out of the bed, the pay tick to wait
};

// The moves of a stay in bed. Nothing enters the prescription state (14); it only ends.
const TMove kBedMoves[] = {
    {kBedSleeping, kBedOutbreak},              // the illness breaks out
    {kBedLying, kBedOutbreak},                 //
    {kBedOutbreak, kBedSleeping},              // untreated, back to sleep
    {kBedOutbreak, kBedWaitingMedicine},       // examined
    {kBedOutbreak, kBedLying},                 // the cure touch, or the tutorial calms it
    {kBedWaitingMedicine, kBedFastService},    // medicine within the wait
    {kBedWaitingMedicine, kBedTakingMedicine}, // medicine later
    {kBedFastService, kBedTakingMedicine},     // thanks given
    {kBedTakingMedicine, kBedLying},           // drunk
    {kBedPrescription, kBedLying},             // thanks given
    {kBedSleeping, kBedGivingMoney},           // the meter ran out: cured
    {kBedLying, kBedGivingMoney},              //
    {kBedOutbreak, kBedGivingMoney},           //
    {kBedWaitingMedicine, kBedGivingMoney},    //
};

bool listed(const TMove *moves, size_t n, uint8_t from, uint8_t to) {
  for (size_t i = 0; i < n; ++i)
    if (moves[i].from == from && moves[i].to == to) return true;
  return false;
}

// Release builds go on with the move, as the game did before it was checked.
void checkMove(bool allowed, const char *what, uint8_t from, uint8_t to) {
  if (allowed) return;
  std::string line = std::string("Patient ") + what + " moved from " + makeString((int)from) + " to " +
                     makeString((int)to) + ", which no visit does";
  CLogger::instance()->log(line);
  std::fprintf(stderr, "%s\n", line.c_str());
  assert(!"a patient move outside the table of its moves");
}
} // namespace

bool CMapEntity_PacientClass::phaseMoveAllowed(uint8_t from, uint8_t to) {
  return listed(kPhaseMoves, sizeof(kPhaseMoves) / sizeof(kPhaseMoves[0]), from, to);
}

bool CMapEntity_PacientClass::bedMoveAllowed(uint8_t from, uint8_t to, TBedEntry how) {
  switch (how) {
  case kIntoBed:
    return to == kBedSleeping || to == kBedLying;
  case kByGuide:
    return to == kBedOutbreak;
  case kWithinStay:
    break;
  }
  return listed(kBedMoves, sizeof(kBedMoves) / sizeof(kBedMoves[0]), from, to);
}

void CMapEntity_PacientClass::movePhase(TPatientPhase to) {
  checkMove(phaseMoveAllowed(phase, to), "phase", phase, to);
  phase = to;
}

void CMapEntity_PacientClass::moveBedState(TPatientBedState to, TBedEntry how) {
  checkMove(bedMoveAllowed(bedState, to, how), "bed state", bedState, to);
  bedState = to;
}

// Seated, the hearts go left of the head: on the right the chair's gauge stands, drawn over them
// wherever it stands lower than she sits.
void CMapEntity_PacientClass::sitDown(CMapEntity_Game *c) {
  chair = c;
  placeHearts(kHeartsSeated);
  movePhase(kPhaseOnChair);
  setMouseClick(true);
  setMouseDrag(false);
}

void CMapEntity_PacientClass::moveToBench() {
  movePhase(kPhaseOnCouch);
  setMouseClick(false);
  setMouseDrag(true);
  chair.clear();
  placeHearts(kHeartsBeside);
}

void CMapEntity_PacientClass::placeHearts(float dx) {
  if (CMapEntity *bar = getContainedEntity(kHeartsID)) {
    bar->setXOffset(dx, false);
    bar->syncWithParentPosition();
  }
}

void CMapEntity_PacientClass::lieDown(CMapEntity_Game *b) {
  bed = b;
  movePhase(kPhaseInBed);
  moveBedState(kBedSleeping, kIntoBed);
}

void CMapEntity_PacientClass::runAway() {
  movePhase(kPhaseRunning);
  setMouseClick(false);
  setMouseDrag(true);
}

void CMapEntity_PacientClass::carriedBack() {
  movePhase(kPhaseInBed);
  moveBedState(kBedLying, kIntoBed);
}

void CMapEntity_PacientClass::beHeld() {
  phaseBeforeHold = phase;
  movePhase(kPhaseHeld);
}

void CMapEntity_PacientClass::letGo() { movePhase(phaseBeforeHold); }

void CMapEntity_PacientClass::startLeaving() { movePhase(kPhasePaid); }

void CMapEntity_PacientClass::walkOut() { movePhase(kPhaseGone); }

void CMapEntity_PacientClass::fallAsleep() {
  if (bedState == kBedOutbreak) {
    outbreakMissed = true;
    outbreakMissedAt = (int32_t)CFakeTime::instance()->ms;
  }
  moveBedState(kBedSleeping);
}

bool CMapEntity_PacientClass::takeMissedOutbreakSince(int32_t since) {
  if (!outbreakMissed || outbreakMissedAt < since) return false;
  outbreakMissed = false;
  return true;
}

void CMapEntity_PacientClass::lieAwake() { moveBedState(kBedLying); }

void CMapEntity_PacientClass::breakOut() {
  moveBedState(kBedOutbreak);
  outbreakFlag = 1;
  fastServiceTimer.reset();
}

void CMapEntity_PacientClass::forceOutbreak() { moveBedState(kBedOutbreak, kByGuide); }

void CMapEntity_PacientClass::awaitMedicine() { moveBedState(kBedWaitingMedicine); }

void CMapEntity_PacientClass::thankForFastService() { moveBedState(kBedFastService); }

void CMapEntity_PacientClass::drinkMedicine() { moveBedState(kBedTakingMedicine); }

void CMapEntity_PacientClass::healByTouch() {
  outbreakFlag = 1;
  fastServiceTimer.reset();
  moveBedState(kBedLying);
}

void CMapEntity_PacientClass::readyToPay() { moveBedState(kBedGivingMoney); }

void CMapEntity_PacientClass::startMedicineWait(int32_t ms) {
  medicineWaitTimer.nastavSpoustec(ms);
  medicineWaitTimer.reset();
}

void CMapEntity_PacientClass::changeMeter(float change) {
  float m = meterFull + change;
  meterFull = m < 0.0f ? 0.0f : (m > 1.0f ? 1.0f : m);
  cropMeter();
}

void CMapEntity_PacientClass::fillMeter(float level) {
  meterFull = level;
  cropMeter();
}

void CMapEntity_PacientClass::setCough(int32_t k, int32_t period) {
  if (k) coughKind = k;
  if (period) coughPeriod = period;
}

void CMapEntity_PacientClass::changeMood(float change) {
  float m = mood + change;
  mood = m < 0.0f ? 0.0f : (m > 1.0f ? 1.0f : m);
  heartsBefore = hearts;
  hearts = heartCount(mood);
  if (getContainedEntity(kHeartsID)) synchronizujSrdicka();
}

void CMapEntity_PacientClass::holdMood(float m) {
  heartsBefore = hearts;
  hearts = heartCount(m);
  mood = m;
}
