#include "guidance/CTutorialControllers.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/CEngine.h"
#include "engine/KEvent.h"
#include "media/Frame.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesFactory.h"
#include "world/HitBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

namespace {
using tipkit::carryArrow;
using tipkit::freeArrow;

constexpr float kTurned = 180.0f;
constexpr const char *kHamperText = "Now drop the dirty sheets into the laundry trolley!";
constexpr const char *kSheetsFirst = "Not yet: sheets in the trolley!";

std::vector<CMapEntity_PostelClass *> beds(CMapEntitiesCollection *c) {
  std::vector<CMapEntity_PostelClass *> out;
  if (!c) return out;
  for (CMapEntity_Game *e : *c->getEntitiesPtr())
    if (e->getEntityClassID() == kBedClass)
      if (auto *b = dynamic_cast<CMapEntity_PostelClass *>(e)) out.push_back(b);
  return out;
}

void lockBeds(CMapEntitiesCollection *c, uint16_t number, bool locked) {
  for (CMapEntity_PostelClass *b : beds(c))
    if (b->getBedNumber() == number) b->lock(locked);
}

void dressPatient(CMapEntity_PacientClass *p, const char *body, const char *head, const char *arm) {
  p->changeFrameset(body);
  if (CMapEntity *h = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass)) h->changeFrameset(head);
  if (CMapEntity *a = p->getContainedEntityClass(CMapEntity_PacientClass::kHandClass)) a->changeFrameset(arm);
  p->zapniAnimace();
}

} // namespace

// ---- help trigger

void CHelpTriggerController::specificHandleMessages(KEvent *ev) {
  if (!ev || ev->type != K_EVENT_MOUSEMOVE) return;
  pointer.follow(ev);
  if (entity) entity->setXY((float)pointer.pointerX, (float)pointer.pointerY);
}

void CHelpTriggerController::update() {
  if (!entity || !collection || !start.udalost()) return;
  tipkit::open(collection, "TUTORIAL1", 0, 0);
  killEntity();
}

// ---- shared by the steps

namespace {
// A drag ends this far from its press, or it was a click.
constexpr int kDragReach = 24;

// Where the press itself landed: the pointer's entity may not have caught up with it yet.
bool pressedOn(const CMapEntity *e, const KEvent *ev) {
  const Frame *f = e->looks().getCurrentFrame();
  return f && hitBox(e, f->getActionBoundingBox(), (float)ev->mouseX, (float)ev->mouseY);
}
} // namespace

void CTutorialStep::specificHandleMessages(KEvent *ev) {
  pointer.follow(ev);
  if (!ev || ev->button != 1 || !collection) return;
  // Kept on screen: the couch stands at the left edge.
  const float x = std::max(8.0f, (float)ev->mouseX - 40.0f), y = (float)ev->mouseY - 30.0f;
  if (ev->type == K_EVENT_MOUSEUP && refusedPress) {
    refusedPress = false;
    // A drag from a held-back patient ends where the player looks: the word is said there too.
    if (std::abs(ev->mouseX - pressX) + std::abs(ev->mouseY - pressY) >= kDragReach)
      entitykit::refusal(collection, x, y, gate());
    return;
  }
  if (ev->type != K_EVENT_MOUSEDOWN) return;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    if (e->getEntityClassID() != kPatientClass || !e->locked || e->getKill()) continue;
    if (!pressedOn(e, ev) && !entitykit::underCursor(collection, e)) continue;
    entitykit::refuse(collection, x, y, gate());
    refusedPress = true;
    pressX = ev->mouseX;
    pressY = ev->mouseY;
    return;
  }
}

CMapEntity_PacientClass *CTutorialStep::patient() const {
  if (!collection) return nullptr;
  return dynamic_cast<CMapEntity_PacientClass *>(collection->getFirstEntityByClassID(kPatientClass));
}

CMapEntity_Game *CTutorialStep::figure() const { return collection ? collection->getEntityByID(kPlayerID) : nullptr; }

bool CTutorialStep::figureCarries(uint32_t id) const {
  CMapEntity_Game *f = figure();
  return f && f->getContainedEntity((unsigned short)id);
}

void CTutorialStep::update() {
  if (!entity || !collection) return;
  const int hearts = heldHearts();
  CMapEntity_PacientClass *p = hearts > 0 ? patient() : nullptr;
  if (p) p->holdMood(hearts >= 5 ? 1.0f : 0.65f);
  advance();
}

void CTutorialStep::handOver(const char *next, float x, float y) {
  tipkit::open(collection, next, x, y);
  killEntity();
}

// ---- 1: to the examination chair

void CTutorial1Controller::onBind() {
  if (!entity || !collection) return;
  follower = tipkit::reachDown(freeArrow(collection, 10, 400));
  carryArrow(entity, 668, 350);
}

void CTutorial1Controller::advance() {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_Game *arrow = follower.in(collection);
  if (p && arrow) arrow->setXY(p->getX() + 10, p->getY() - 67);
  auto *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(collection->getFirstEntityByClassID(kChairClass));
  if (!chair || !chair->occupant.in(collection)) return;
  drop(follower);
  tipkit::open(collection, "TUTORIAL1B", 0, 0);
  if (p) startStay(p);
  killEntity();
}

// Her stay is a long one: a full recovery meter, and she starts out ill.
void CTutorial1Controller::startStay(CMapEntity_PacientClass *p) {
  p->fillMeter(1.0f);
  if (p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass) &&
      p->getContainedEntity(CMapEntity_PacientClass::kHeartsID))
    p->synchronizujNaladu();
  p->setRecoverySpeed(0.8f);
  if (CMapEntity *head = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass)) head->changeFrameset("ILL1");
}

// ---- 1B: measuring

void CTutorial1bController::onBind() { lockBeds(collection, 2, true); }

void CTutorial1bController::advance() {
  CMapEntity_PacientClass *p = patient();
  if (!p) return;
  // The lesson asks for the click: she does not leave on her own while it is read.
  tipkit::askPatientToAwaitClick(p);
  if (!p->getChair()) handOver("TUTORIAL2", 0, 0);
}

// ---- 2: into bed 1

void CTutorial2Controller::onBind() {
  if (entity) carryArrow(entity, 96, 80);
}

void CTutorial2Controller::advance() {
  CMapEntity_PacientClass *p = patient();
  if (p && p->getBed()) handOver("TUTORIAL2B", 0, 420);
}

// ---- 2B: resting

void CTutorial2bController::advance() {
  CMapEntity_PacientClass *p = patient();
  if (p && p->getBedState() == kBedOutbreak) handOver("TUTORIAL3", 0, 420);
}

// ---- 3: the examination

void CTutorial3Controller::onBind() {
  if (entity) carryArrow(entity, 96, -340);
}

void CTutorial3Controller::advance() {
  CMapEntity_PacientClass *p = patient();
  if (!p) return;
  if (p->getBedState() != kBedWaitingMedicine)
    if (CPatientGuideLink *guide = TLink<CPatientGuideLink>::get()) guide->forceOutbreak(p);
  CMapEntity_Game *f = figure();
  CFigureActionLink *action = TLink<CFigureActionLink>::get();
  uint16_t kind = 0;
  if (p->getBedState() == kBedWaitingMedicine && f && action && action->actionKind(f, kind) && kind != CFigureActionLink::kExamining)
    handOver("TUTORIAL4", 0, 420);
  if (p->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) p->synchronizujSrdicka();
}

// ---- 4: the prescription to the cabinet

void CTutorial4Controller::onBind() {
  if (entity) carryArrow(entity, 458, -340, kTurned);
}

void CTutorial4Controller::advance() {
  if (figure() && !figureCarries(kPrescriptionID)) handOver("TUTORIAL5", 0, 420);
}

// ---- 5: the cabinet at work

void CTutorial5Controller::advance() {
  if (collection->getEntityByID(kMedicineID)) handOver("TUTORIAL6", 0, 420);
}

// ---- 6: the medicine to her bed

void CTutorial6Controller::onBind() {
  if (!entity || !collection) return;
  carryArrow(entity, 96, -340);
  // Pointing up at the counter's first place, where the cabinet lays the lesson's medicine.
  medicineArrow = freeArrow(collection, 320, 90, kTurned);
}

void CTutorial6Controller::advance() {
  CMapEntity_Game *medicine = collection->getEntityByID(kMedicineID);
  if (medicine && medicine->carrying().getParent()) drop(medicineArrow);
  if (!medicine)
    if (CMapEntity *bedArrow = entity->getContainedEntity((unsigned short)kArrowID)) bedArrow->setKill(true);
  CMapEntity_PacientClass *p = patient();
  if (!p || (p->getBedState() != kBedLying && p->getBedState() != kBedPrescription)) return;
  // The free arrow stands on its own: it would outlive the bubble.
  drop(medicineArrow);
  handOver("TUTORIAL7", 0, 420);
}

// ---- 7: getting better

void CTutorial7Controller::onBind() {
  if (entity) carryArrow(entity, 54, -250, kTurned);
}

void CTutorial7Controller::advance() {
  CMapEntity_PacientClass *p = patient();
  if (!p) return;
  if (p->getBedState() == kBedOutbreak) {
    dressPatient(p, "LYING", "GOOD", "LYING");
    p->lieAwake();
  }
  if (p->getBedState() != kBedGivingMoney) return;
  tipkit::open(collection, "TUTORIAL8", 0, 420);
  // The next patient waits, unclickable, until the lesson is over.
  CMapEntity_Game *next = CMapEntitiesFactory::instance()->cloneEntity("PACIENT2");
  next->setXY(0, 425);
  next->locked = 1;
  collection->addEntity(next);
  killEntity();
}

// ---- 8: the payment

void CTutorial8Controller::onBind() {
  // Down onto the head of the patient waving the money.
  if (entity) tipkit::reachDown(carryArrow(entity, 96, -370));
  lockBeds(collection, 2, false);
}

void CTutorial8Controller::advance() {
  for (CMapEntity_PostelClass *b : beds(collection))
    if (b->isOccupied()) return;
  handOver("TUTORIAL9", 0, 0);
}

// ---- 9: the bed made, the sheets in the hamper

void CTutorial9Controller::onBind() {
  if (entity) bedArrow = carryArrow(entity, 96, 80);
}

void CTutorial9Controller::advance() {
  if (!figure()) return;
  bool made = true;
  for (CMapEntity_PostelClass *b : beds(collection))
    if (!b->isMadeUp()) made = false;
  if (!figureCarries(kRubbishID) && made) {
    tipkit::open(collection, "TUTORIAL9B", 0, 0);
    drop(hamperArrow);
    killEntity();
    return;
  }
  if (!figureCarries(kRubbishID) || !hamperArrow.empty()) return;
  drop(bedArrow);
  hamperArrow = carryArrow(entity, 540, 210);
  tipkit::writeText(entity, kHamperText);
}

const char *CTutorial9Controller::gate() const {
  return figureCarries(kRubbishID) ? kSheetsFirst : "Not yet: make the bed first!";
}

// ---- 9B: praise, then the beds to make again

void CTutorial9bController::onBind() { praise.reset(); }

void CTutorial9bController::advance() {
  if (!praise.udalost()) return;
  tipkit::open(collection, "TUTORIAL9C", 0, 0);
  for (CMapEntity_PostelClass *b : beds(collection)) b->setUklizeno(false);
  killEntity();
}

// ---- 9C: both beds made

void CTutorial9cController::onBind() {
  if (!entity) return;
  left = carryArrow(entity, 88, 220, kTurned);
  right = carryArrow(entity, 248, 220, kTurned);
}

void CTutorial9cController::advance() {
  for (CMapEntity_PostelClass *b : beds(collection)) {
    if (!b->isMadeUp()) continue;
    if (b->getX() == 48.0f) drop(left);
    if (b->getX() == 208.0f) drop(right);
  }
  if (left.empty() && right.empty()) handOver("TUTORIAL9D", 0, 0);
}

// ---- 9D: the sheets in the hamper

void CTutorial9dController::onBind() {
  if (entity) carryArrow(entity, 530, 210);
}

void CTutorial9dController::advance() {
  if (figure() && !figureCarries(kRubbishID)) handOver("TUTORIAL9E", 0, 0);
}

const char *CTutorial9dController::gate() const { return kSheetsFirst; }

// ---- 9E: the new patient is the player's

void CTutorial9eController::advance() {
  if (!wait.udalost()) return;
  tipkit::open(collection, "TUTORIAL10", 0, 0);
  if (CMapEntity_PacientClass *p = patient()) {
    p->locked = 0;
    p->setPressureSpeed(0.005f);
  }
  tipkit::open(collection, "TIP1TRIGGER", 0, 0);
  killEntity();
}

// ---- 10: the last words

void CTutorial10Controller::onBind() {
  if (!entity) return;
  carryArrow(entity, 10, 380);
  carryArrow(entity, 668, 350);
}

void CTutorial10Controller::advance() {
  if (life.udalost()) killEntity();
}
