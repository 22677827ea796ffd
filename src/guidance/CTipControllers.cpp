#include "guidance/CTipControllers.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "media/CSoundEngine.h"
#include "media/ZSprite.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

namespace {
constexpr uint32_t kTutorial10ID = 1014;
constexpr int32_t kJesterWalkingIn = 1;
constexpr int32_t kJesterWaiting = 2;
constexpr int32_t kJesterWalkingOut = 3;

void keepHappy(CMapEntity_PacientClass *p) { p->holdMood(1.0f); }

int32_t jesterState(CMapEntitiesCollection *collection) {
  CJesterStateLink *link = TLink<CJesterStateLink>::get();
  int32_t stav = -1;
  if (link && collection) link->state(collection->getEntityByID(kJesterID), stav);
  return stav;
}

// An outbreak now, as the patient's behaviour shows one.
void forceOutbreak(CMapEntity_PacientClass *p) {
  if (CPatientGuideLink *guide = TLink<CPatientGuideLink>::get()) guide->forceOutbreak(p);
}
} // namespace

CMapEntity_PacientClass *CTipBehaviour::patient() const {
  if (!collection) return nullptr;
  return dynamic_cast<CMapEntity_PacientClass *>(collection->getFirstEntityByClassID(kPatientClass));
}

bool CTipBehaviour::figureKnown(bool &examining) const {
  CFigureActionLink *link = TLink<CFigureActionLink>::get();
  uint16_t kind = 0;
  if (!link || !collection || !link->actionKind(collection->getEntityByID(kPlayerID), kind)) return false;
  examining = kind == CFigureActionLink::kExamining;
  return true;
}

void CTipBehaviour::handOver(const char *next, float x, float y) {
  tipkit::open(collection, next, x, y);
  killEntity();
}

void CTipTriggerBehaviour::specificHandleMessages(KEvent *ev) {
  pointer.follow(ev);
  if (ev->type == K_EVENT_MOUSEMOVE && entity) entity->setXY((float)pointer.pointerX, (float)pointer.pointerY);
}

void CTip1TriggerController::update() {
  CMapEntity_PacientClass *p = patient();
  if (!entity || !p || !p->getChair()) return;
  if (CMapEntity_Game *step = collection->getEntityByID(kTutorial10ID)) step->setKill(true);
  handOver("TIP1", 0, 0);
}

CTipOutbreakTriggerController::CTipOutbreakTriggerController(CMapEntity_Game *e, CMapEntitiesCollection *c,
                                                             CEngine *en, std::string bindTo)
    : CCloneable(e, c, en, std::move(bindTo)) {}

CTipOutbreakTriggerController::CTipOutbreakTriggerController(const CTipOutbreakTriggerController &o)
    : CCloneable(o) {}

void CTipOutbreakTriggerController::update() {
  CMapEntity_PacientClass *p = patient();
  if (!entity || !p) return;
  keepHappy(p);
  CMapEntity_Game *bed = p->getBed();
  if (bed && !bedSeen) {
    bedSeen = true;
    p->fillMeter(1.0f);
    p->synchronizujNaladu();
    p->setRecoverySpeed(0.4f);
    CMapEntity *head = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
    if (head && head->looks().getSprite()) head->looks().getSprite()->nastavFrameset("ILL3");
  }
  if (p->getBedState() == kBedOutbreak) holdOutbreak = true;
  bool examining = false;
  if (figureKnown(examining) && examining) holdOutbreak = false;
  if (bed && holdOutbreak) forceOutbreak(p);
  if (p->getBedState() == kBedTakingMedicine) handOver("TIPOUTBREAK", 0, 395);
}

void CTipClownTriggerController::update() {
  CPlayer *player = engine ? engine->getPlayer() : nullptr;
  if (!entity || !player || player->getClownHint() != 0) return;
  // Kept back by another bubble, it may still open while he waits.
  const int32_t stav = jesterState(collection);
  if ((stav != kJesterWalkingIn && stav != kJesterWaiting) || tipkit::bubbleStands(collection)) return;
  tipkit::open(collection, "TIPCLOWN", 0, 10);
  player->setClownHint(1);
  killEntity();
}

void CTipHlasicTriggerController::update() {
  if (!entity) return;
  if (delay.udalost()) due = true;
  if (due && !tipkit::bubbleStands(collection)) handOver("TIPHLASIC", 0, 10);
}

// Down at the patient's head, clear of the hearts beside it and of the gauge the lesson is about.
void CTip1Controller::onBind() {
  if (entity) tipkit::carryArrow(entity, 680, 300);
}

void CTip1Controller::update() {
  if (!entity) return;
  CMapEntity_PacientClass *p = patient();
  if (!p) return;
  p->holdMood(0.65f);
  const bool full = tipkit::gaugeFull(p);
  // The next words teach the click: she waits at the desk for it.
  if (full) tipkit::askPatientToAwaitClick(p);
  if (full || !p->getChair()) handOver("TIP2", 0, 0);
}

void CTip2Controller::update() {
  if (!entity) return;
  CMapEntity_PacientClass *p = patient();
  if (!p || p->getChair()) return;
  keepHappy(p);
  handOver("TIPOUTBREAKTRIGGER", 0, 0);
}

void CTipOutbreakController::update() {
  if (!entity) return;
  CMapEntity_PacientClass *p = patient();
  if (!p) return;
  keepHappy(p);
  if (delay.udalost()) outbreakDue = true;
  // A patient already out of its bed is not thrown back into an outbreak: the tip waits for it.
  if (!outbreakDue || !p->getBed()) return;
  CWorldEngine *host = worldEngine();
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound("PANIC_COW1");
  forceOutbreak(p);
  handOver("TIPOUTBREAK2", 0, 395);
}

// The tip is about a cough, not about whoever comes first on the ward (a newcomer on the couch
// would keep it up for good): it holds while a patient coughs and goes once none does and the
// figure has finished examining.
void CTipOutbreak2Controller::update() {
  if (!entity || !collection) return;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    auto *p = dynamic_cast<CMapEntity_PacientClass *>(e);
    if (!p || p->getKill() || p->getBedState() != kBedOutbreak) continue;
    keepHappy(p);
    if (CPatientGuideLink *guide = TLink<CPatientGuideLink>::get()) guide->holdWait(p);
    return;
  }
  bool examining = true;
  if (!figureKnown(examining) || examining) return;
  handOver("TIPSRDICKATRIGGER", 0, 425);
}

void CTipClownController::onBind() {
  if (entity) tipkit::carryArrow(entity, 760, 170);
}

void CTipClownController::update() {
  if (!entity) return;
  tipkit::hoverFade(entity);
  if (jesterState(collection) == kJesterWalkingOut) killEntity();
}

void CTipHlasicController::onBind() {
  if (entity) tipkit::carryArrow(entity, 42, 5, -90.0f);
}

void CTipHlasicController::update() {
  if (!entity) return;
  tipkit::hoverFade(entity);
  if (life.udalost()) killEntity();
}
