#include "patients/CPacientController.h"

#include <cstdlib>
#include <cstring>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_BacilyClass.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_GaucClass.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"

CPacientController::TWardPace CPacientController::pace;

namespace {

Frame *frameOf(CMapEntity *e) { return e ? e->looks().getCurrentFrame() : nullptr; }
} // namespace

CPacientController::CPacientController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *eng, std::string bindTo)
    : CCloneable(e, c, eng, std::move(bindTo)), arrival(*this), stay(*this), leaving(*this) {}

CPacientController::CPacientController(const CPacientController &o)
    : CCloneable(o), heartsPulsing(o.heartsPulsing), bedPreview(o.bedPreview), arrival(*this, o.arrival),
      stay(*this, o.stay), leaving(*this, o.leaving) {
  moodTimer.nastavSpoustec(1500);
}

CPacientController *CPacientController::of(CMapEntity_Game *patient) {
  return patient ? dynamic_cast<CPacientController *>(patient->getController()) : nullptr;
}

CMapEntity_PacientClass *CPacientController::patient() const { return dynamic_cast<CMapEntity_PacientClass *>(entity); }

CMapEntity_Game *CPacientController::cursor() const {
  return collection ? collection->getFirstEntityByClassID(kCursorClass) : nullptr;
}

CMapEntity *CPacientController::heldByCursor() const { return draggedBy(cursor(), collection); }

CMapEntity_Game *CPacientController::underCursor(uint32_t cls) const {
  CMapEntity_Game *c = cursor();
  return c ? dynamic_cast<CMapEntity_Game *>(c->hits().isActionCollisionWithEntityClassID(cls)) : nullptr;
}

void CPacientController::setHeld(CMapEntity *e) { setDragged(cursor(), e); }

void CPacientController::queueAction(CEntityController *c, unsigned short id, int priority) {
  CMapEntity_FrontaAkci *q = actionQueue();
  if (q && c) q->pridej(c, id, priority);
}

int CPacientController::charismaStars() const {
  CPlayer *player = engine ? engine->getPlayer() : nullptr;
  return CCharismaTable::cappedStars(player ? player->starsOwned(kCharismaUpgradeID) : 0);
}

float CPacientController::outbreakCost() const {
  return CCharismaTable::amount(CCharismaTable::kOutbreakPenalty, charismaStars());
}

float CPacientController::difficulty() const { return engine ? engine->getDifficultyFactor() : 1.0f; }

void CPacientController::play(const std::string &key) {
  if (CSoundEngine *s = engine ? engine->getSoundEngine() : nullptr) s->playSound(key);
}

void CPacientController::playKind(const char *male, const char *female, const char *child) {
  CMapEntity_PacientClass *p = patient();
  if (p->getKind() == 0) play(male);
  else if (p->getKind() == 1) play(female);
  else if (p->getKind() == 4) play(child);
}

void CPacientController::startDay() {
  // Long enough ago that the first outbreak waits only for the day's own activity.
  const int32_t longAgo = now() - 60000;
  pace = TWardPace{longAgo, longAgo, 0};
}

int CPacientController::now() { return CFakeTime_instance ? (int)CFakeTime_instance->ms : 0; }

void CPacientController::onBind() {
  CMapEntity_PacientClass *p = patient();
  if (!p) return;
  homeX = (int16_t)p->getX();
  homeY = (int16_t)p->getY();
  stay.setCoughPeriod(p->getCoughPeriod());
  CMapEntity_FrontaAkci::require(collection);
  switchPacientFrameset("ILL1", true, false, false);
  p->zapniAnimace();
  p->cropMeter();
  if (p->bedDropBlocked()) {
    p->setPatience(p->getPatience() * 2.5f);
    p->zapniAnimace();
  }
}

void CPacientController::switchPacientFrameset(const std::string &name, bool head, bool hand, bool body) {
  switchPacientFrameset(patient(), name, head, hand, body);
}

void CPacientController::switchPacientFrameset(CMapEntity_PacientClass *p, const std::string &name, bool head,
                                               bool hand, bool body) {
  if (!p) return;
  // Straight on the sprite: the carried parts keep their own framesets.
  if (body && p->looks().getSprite()) p->looks().getSprite()->nastavFrameset(name.c_str());
  if (hand) {
    if (CMapEntity *h = p->getContainedEntityClass(CMapEntity_PacientClass::kHandClass)) {
      if (h->looks().getSprite()) h->looks().getSprite()->nastavFrameset(name.c_str());
      bool behind = name == "LYING" && (p->getKind() == 0 || p->getKind() == 4);
      h->setSortZ(behind ? -1 : 5, false);
      // The hearts above the hand, so a waved bill never hides a warning on them.
      if (CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) bar->setSortZ(6, false);
    }
    p->containedCopiesUpdate();
  }
  if (head)
    if (CMapEntity *h = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass))
      if (h->looks().getSprite()) h->looks().getSprite()->nastavFrameset(name.c_str());
}

int CPacientController::getPocetPacientu() const {
  int n = 0;
  if (!collection) return 0;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(e))
      if (bed->getOccupant()) ++n;
  return n;
}

void CPacientController::specificHandleMessages(KEvent *ev) {
  CMapEntity_PacientClass *p = patient();
  if (!p || !ev || p->locked) return;
  if (ev->type == K_EVENT_MOUSEMOVE) {
    mouseX = (int32_t)KInput::getMouseX();
    mouseY = (int32_t)KInput::getMouseY();
  }
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  CMapEntity_Game *c = cursor();
  bool under = c && (c->hits().isActionCollisionWithEntity(p) || p->hits().isActionCollisionWithEntity(c));
  TPatientPhase ph = p->getPhase();
  if (ph == kPhaseOnChair && under) arrival.clickedAtDesk();
  if ((ph == kPhaseInBed || ph == kPhaseHeld || ph == kPhasePaid || ph == kPhaseGone) && !bylKlik && under) {
    queueAction(this, 1, 1);
    CMapEntity_Game *ok = CMapEntitiesFactory::instance()->cloneEntity("OK");
    ok->setXY((float)(mouseX + 9), (float)(mouseY + 24));
    collection->addEntity(ok);
    bylKlik = 1;
    if (CMapEntity_Game *bed = p->getBed())
      if (bed->getController()) queueAction(bed->getController(), 1, 1);
  }
  if (!under) queueAction(this, 2, 0);
}

void CPacientController::update() {
  CMapEntity_PacientClass *p = patient();
  if (!p || !collection) return;
  mouseX = (int32_t)KInput::getMouseX();
  mouseY = (int32_t)KInput::getMouseY();
  if (CMapEntity_FrontaAkci *q = actionQueue()) {
    q->serveActivation(this, p);
  }
  CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
  if (p->getHearts() < p->getHeartsBefore()) heartsPulsing = 1;
  if (bar && heartsPulsing) {
    bar->effectPulse(0.6f, 2);
    if (bar->looks().effectPulseOver()) heartsPulsing = 0;
  }
  if (bar && p->getMood() < 0.4f && !heartsPulsing) bar->effectPulse(0.35f, -1);
  if (bar) warnOfLoss(bar);
  float a = p->looks().getAlpha();
  if (a < 1.0f && a != -1.0f) p->changeAlpha(0.02f, true);
  else if (a > 1.0f) p->setAlpha(-1.0f, true);

  if (p->getPhase() == kPhaseOnChair) arrival.phaseAtDesk();
  if (p->getPhase() == kPhaseArrived) arrival.phaseArrived();
  if (p->getPhase() == kPhaseOnCouch) arrival.phaseOnBench();
  if (p->getPhase() == kPhaseInBed) stay.phaseInBed();
  if (p->getPhase() == kPhaseRunning) leaving.phaseRunning();
  if (p->getPhase() == kPhaseHeld && !p->getTormentor()) p->letGo();
  if (p->getPhase() == kPhasePaid) leaving.phaseLeaving();
  if (p->getPhase() == kPhaseGone) leaving.phaseGone();
  if (!p->getKill()) stay.pauseBookkeeping();
}

// Lost soon: an outbreak whose untreated end takes the last of the mood, or a mood that the germs
// that chose the bed and a rider left alone will take, with the steady fall at its pace over the
// last five seconds, within the warning's lead.
bool CPacientController::losingSoon() {
  CMapEntity_PacientClass *p = patient();
  const float m = p->getMood();
  if (moodSampleTimer.udalost()) {
    for (size_t i = 0; i + 1 < moodSamples.size(); ++i) moodSamples[i] = moodSamples[i + 1];
    moodSamples.back() = m;
  }
  // Paid, the patient is safe whatever the hearts say; with no mood left she is gone, unless a rider
  // holds her: she goes when the ride ends, and the doctor chasing it off in time still saves her.
  if (m <= 0.0f || p->getPhase() == kPhasePaid || p->getPhase() == kPhaseGone) {
    warnedAt = -1.0f;
    return m <= 0.0f && p->getTormentor() && p->getPhase() == kPhaseHeld;
  }
  if (p->getPhase() == kPhaseInBed && p->getBedState() == kBedOutbreak && m + outbreakCost() <= 0.0f) return true;
  // Only the small steps of a steady loss: one blow (a missed outbreak) is not a trend.
  float fell = 0.0f;
  int sampledMs = 0;
  for (size_t i = 0; i + 1 < moodSamples.size(); ++i) {
    if (moodSamples[i] < 0.0f) continue;
    sampledMs += kMoodSampleMs;
    const float step = moodSamples[i] - moodSamples[i + 1];
    if (step > 0.0f && step <= kSteadyStep) fell += step;
  }
  const float germs = p->getPhase() == kPhaseInBed ? CMapEntity_BacilyClass::drainAheadAt(collection, p->getBed()) : 0.0f;
  const float ahead = germs + p->getTormentAhead() + (sampledMs > 0 ? fell * (float)kWarningLeadMs / (float)sampledMs : 0.0f);
  if (ahead <= 0.0f || m > warnedAt) warnedAt = -1.0f;
  if (warnedAt < 0.0f && ahead > 0.0f && m <= ahead) warnedAt = m;
  return warnedAt >= 0.0f;
}

// A patient about to be lost says so: its hearts blink on a red badge until the danger passes.
void CPacientController::warnOfLoss(CMapEntity *bar) {
  CMapEntity_PacientClass *p = patient();
  const char *hearts = CMapEntity_PacientClass::heartsFor(p->getMood());
  ZSprite *s = bar->looks().getSprite();
  Frameset *shown = s ? s->getAktivniFrameset() : nullptr;
  if (!hearts || !shown) return;
  std::string wanted = hearts;
  if (losingSoon() && (now() / kWarningBlinkMs) % 2 == 0) wanted += "R";
  if (std::strcmp(shown->getID(), wanted.c_str()) != 0) bar->changeFrameset(wanted);
}

void CPacientController::moodTick(bool flagLoss) {
  CMapEntity_PacientClass *p = patient();
  if (!moodTimer.udalost()) return;
  p->changeMood(CCharismaTable::scaled(-(p->getPatience() * difficulty()), charismaStars()));
  if (flagLoss && p->getHearts() < p->getHeartsBefore()) heartsPulsing = 1;
}

void CPacientController::leaveSeats(unsigned int seatClass) {
  CMapEntity_PacientClass *p = patient();
  if (!collection) return;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    if (e->getEntityClassID() != seatClass) continue;
    if (CMapEntity_GaucClass *couch = dynamic_cast<CMapEntity_GaucClass *>(e))
      for (TEntityRef<CMapEntity> &o : couch->occupants)
        if (o.is(p)) o.clear();
  }
}

void CPacientController::lose(unsigned int seatClass) {
  CMapEntity_PacientClass *p = patient();
  play(CRandom::draw() % 2 == 0 ? p->getSounds().exitAngry1 : p->getSounds().exitAngry2);
  CMapEntity_Game *lost = CMapEntitiesFactory::instance()->cloneEntity("NAPISLOST");
  lost->setXY(p->getX() - 65, p->getY() - 30);
  collection->addEntity(lost);
  leaveSeats(seatClass);
  if (heldByCursor() == p) setHeld(nullptr);
  killEntity();
  if (CLevel_Game *lvl = currentLevel()) lvl->incLost();
}

void CPacientController::goHome(bool withHand) {
  CMapEntity_PacientClass *p = patient();
  p->setXY(homeX, homeY);
  switchPacientFrameset("FRAMESET1", false, withHand, true);
}

void CPacientController::drag(bool benchOffset) {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_Game *c = cursor();
  if (!c) return;
  bool under = c->hits().isActionCollisionWithEntity(p) || p->hits().isActionCollisionWithEntity(c);
  bool down = KInput::getLeftButtonState();
  if (under && down && !heldByCursor() && p->getFocus() && (p->getPhase() == kPhaseRunning || !p->locked)) {
    setHeld(p);
    p->setSortZ(2, false);
  }
  if (down && heldByCursor() == p && p->getFocus()) {
    Frame *f = frameOf(p);
    Rect box = f ? f->getActionBoundingBox() : Rect{0, 0, 0, 0};
    p->setXY((float)(mouseX - box.x - box.w / 2 + (benchOffset ? 15 : 0)), (float)(mouseY - 20));
    p->dragged = 1;
  }
}

CMapEntity *CPacientController::head() const {
  CMapEntity_PacientClass *p = patient();
  return p ? p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass) : nullptr;
}

void CPacientController::climbOut(CMapEntity_Game *bed) {
  CMapEntity_PacientClass *p = patient();
  if (CMapEntity *blanket = p->getContainedEntityClass(CMapEntity_PostelClass::kBlanketClass)) {
    p->giveEntityTo(bed, blanket, true);
    blanket->setXOffset(0.0f, false);
    blanket->setYOffset(50.0f, false);
    blanket->setSortZ(3, false);
    blanket->syncWithParentPosition();
  }
  bed->dropEntity(p);
}

void CPacientController::clearOnKill() {
  CMapEntity_PacientClass *p = patient();
  if (heldByCursor() == p) setHeld(nullptr);
  if (CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(p->getChair())) {
    if (CMapEntity_Tlakomer *gauge = chair->gauge.in(collection)) gauge->setStav(0.0f);
    chair->occupant.clear();
  }
}

void CPacientController::chooseColor() { arrival.chooseColor(); }

void CPacientController::generujPrach() { arrival.generujPrach(); }

void CPacientController::startOutbreak() { stay.startOutbreak(); }

void CPacientController::holdOutbreakWait() { stay.holdOutbreakWait(); }

void CPacientController::awaitDeskClick() { arrival.awaitClick(); }

void CPacientController::spaceOutbreaksFrom(int32_t gameMs) { stay.spaceOutbreaksFrom(gameMs); }

void CPacientController::refreshMeterSoon() { stay.refreshMeterSoon(); }

void CPacientController::layout(CMapEntity_Game *bed, float yo) {
  CMapEntity_PacientClass *p = patient();
  p->setXOffset(38.0f, false);
  p->setYOffset(yo, false);
  bed->addEntity(p, false, true);
  if (CMapEntity *pillow = bed->getContainedEntityClass(CMapEntity_PostelClass::kPillowClass)) pillow->setSortZ(1, false);
  p->setSortZ(2, false);
  if (CMapEntity *blanket = bed->getContainedEntityClass(CMapEntity_PostelClass::kBlanketClass)) {
    blanket->setXOffset(-38.0f, false);
    blanket->setYOffset(50.0f - yo, false);
    bed->giveEntityTo(p, blanket, true);
    blanket->changeFrameset("OBSAZENE");
    blanket->setSortZ(3, false);
    blanket->syncWithParentPosition();
  }
  if (CMapEntity *rail = bed->getContainedEntityClass(CMapEntity_PostelClass::kRailClass)) rail->setSortZ(4, false);
  if (CMapEntity *h = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass)) h->setSortZ(4, false);
  bed->containedCopiesUpdate();
  p->containedCopiesUpdate();
}

void CPacientController::sesadPacienta() {
  bedPreview = 0;
  if (auto *bed = dynamic_cast<CMapEntity_PostelClass *>(previewBed.in(collection))) {
    climbOut(bed);
    bed->refresh();
  }
  switchPacientFrameset("FRAMESET1", false, true, true);
  switchPacientFrameset("ILL1", true, false, false);
  previewBed.clear();
}

void CPacientController::previewIn(CMapEntity_Game *bed, const char *face) {
  if (previewing() && !previewBed.is(bed)) sesadPacienta();
  if (previewing()) return;
  CMapEntity_PacientClass *p = patient();
  pace.lastActivity = now();
  float yo = p->getKind() == 4 ? -7.0f : ((p->getKind() == 1 || p->getKind() == 3) ? -8.0f : -9.0f);
  layout(bed, yo);
  p->synchronizujSrdicka();
  switchPacientFrameset("LYING", false, true, true);
  switchPacientFrameset(face, true, false, false);
  previewBed = bed;
  bedPreview = 1;
}
