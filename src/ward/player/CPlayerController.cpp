#include "ward/player/CPlayerController.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "ward/cabinet/CLekarnaController.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "ward/dispensers/CMapEntity_Automat.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CPathFinder.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

namespace {
const int kIdleBaseMs = 2000;

int idlePeriod() { return kIdleBaseMs + CRandom::draw() % 2000; }

CPlayer *playerRecord() {
  CEngine *running = CEngine::running();
  return running ? running->getPlayer() : nullptr;
}
int stars(unsigned short upgrade) {
  CPlayer *p = playerRecord();
  return p ? p->starsOwned(upgrade) : 0;
}

int toTile(float pixels) { return (int)(pixels * 0.03125f); }

// Timer lengths of a copy by the upgrades bought.
int examMs(int diagnosticStars) {
  static const int byStars[] = {1500, 1200, 910, 600, 400};
  return diagnosticStars >= 1 && diagnosticStars <= 4 ? byStars[diagnosticStars] : byStars[0];
}
float walkSpeed(int speedStars) {
  static const float byStarIndex[] = {7.0f, 8.0f, 9.0f, 10.5f, 12.0f};
  int index = speedStars - 1;
  return index >= 0 && index <= 4 ? byStarIndex[index] : 6.0f;
}

bool isHand(const CMapEntity *e) {
  return e && (e->getEntityID() == kLeftHandID || e->getEntityID() == kRightHandID);
}

// The figure, her hands and what they hold: nothing a click is ever meant for.
bool ownedByFigure(const CMapEntity *e) {
  uint32_t id = e->getEntityID();
  return id == kPlayerID || id == kLeftHandID || id == kRightHandID || id == kLeftHandUpID || id == kRightHandUpID ||
         isHand(e->carrying().getParent());
}

// Arrows and tip bubbles point at things: a click on them is meant for what lies beneath.
bool guidance(const CMapEntity *e) {
  for (const CMapEntity *g = e; g; g = g->carrying().getParent())
    if (g->getEntityID() == kArrowID || g->getEntityClassID() == kTutorialBubbleClass) return true;
  return false;
}

// A bed, or a patient lying in one: a click on either orders the work at that bed.
bool bedOrBedded(const CMapEntity *e) {
  if (e->getEntityClassID() == kBedClass) return true;
  const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
  return p && p->getBedLink() && (p->getPhase() == kPhaseInBed || p->getPhase() == kPhaseHeld);
}

bool isGerm(const CMapEntity *e) { return isLooseGerm(e->getEntityID(), e->getEntityClassID()); }

// Where she works at a thing: its bed's work point for a patient, the thing's own, else the middle
// of what takes clicks on it.
void workPointOf(CMapEntity_Game *e, float &x, float &y) {
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e);
  if (CMapEntity_Game *bed = p ? p->getBed() : nullptr) e = bed;
  x = e->getX() + (float)e->approachX;
  y = e->getY() + (float)e->approachY;
  const Frame *f = e->looks().getCurrentFrame();
  if (e->approachX || e->approachY || !f) return;
  const Rect box = f->getActionBoundingBox();
  x += (float)box.x + (float)box.w * 0.5f;
  y += (float)box.y + (float)box.h * 0.5f;
}

// The monkey rides a patient; dropping in or leaving it only passes over the ward.
bool ridingMonkey(CMapEntitiesCollection *c, const CMapEntity *monkey) {
  for (CMapEntity_Game *e : *c->getEntitiesPtr()) {
    const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
    if (p && p->getTormentor() == monkey) return true;
  }
  return false;
}

// Things a click on which orders no walk; the status bar hides the floor beneath it.
bool refused(const CMapEntity *e) {
  switch (e->getEntityID()) {
  case kDifficultyAdjusterID: case kMusician1ID: case kMusician2ID: case kPodiumID: case kRepairmanID: case kJesterID:
  case kStatusMenuID: case kMonkeyID: case kStatusBarID:
    return true;
  default:
    break;
  }
  uint32_t cls = e->getEntityClassID();
  return cls == kChairClass || cls == kParentsClass || cls == kPerkIconClass || cls == kMenuButtonClass;
}
} // namespace

CPlayerController::CPlayerController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                                     std::string bindTo)
    : CCloneable(entity, collection, engine, std::move(bindTo)), patients(body, 1000), ward(body),
      idleTimer(idlePeriod(), false) {}

CPlayerController::CPlayerController(const CPlayerController &o)
    : CCloneable(o), patients(body, o.patients, examMs(stars(kDiagnosticUpgradeID))), ward(body, o.ward),
      idleTimer(idlePeriod(), false), bored(o.bored) {}

void CPlayerController::onBind() {
  player = dynamic_cast<CMapEntity_Player *>(entity);
  body.bind(player, this);
  if (player) player->workPhase = kDeciding;
  if (entity) {
    entity->setAlpha(-1.0f, true);
    entity->setRGB(1.0f, 1.0f, 1.0f, false);
  }
  if (player) player->speed = walkSpeed(stars(kSpeedUpgradeID));
  CMapEntity_FrontaAkci::require(collection);
}

// The figure never hides what lies beneath her: a click on her, her hands or what they hold orders
// nothing by itself, and over anything else it goes to that. Germs and the monkey take no click of
// their own, so over a bed (or its patient) the click orders the work at the bed; a monkey passing
// by (dropping in or leaving) hides nothing at all.
bool CPlayerController::clickGoal(const std::vector<CMapEntity *> &under, float cursorX, float cursorY, int &tx,
                                  int &ty) const {
  std::vector<CMapEntity *> aimed;
  for (CMapEntity *e : under)
    if (!ownedByFigure(e) && !guidance(e) && (e->getEntityID() != kMonkeyID || ridingMonkey(collection, e)))
      aimed.push_back(e);
  if (aimed.empty()) return false;
  bool bedUnder = false;
  for (CMapEntity *e : aimed)
    if (bedOrBedded(e)) bedUnder = true;
  for (CMapEntity *e : aimed) {
    bool passive = e->getEntityClassID() == kGermClass || e->getEntityID() == kMonkeyID;
    if (passive && bedUnder) continue;
    // Parents visiting a bed leave the click to it; the press on parents to be dragged ordered nothing.
    if (e->getEntityClassID() == kParentsClass && aimed.size() > 1) continue;
    if (passive || refused(e)) return false;
    if (e->getEntityClassID() == kPatientClass) {
      const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
      if (p && p->getPhase() != kPhaseInBed && p->getPhase() != kPhaseHeld && p->getPhase() != kPhaseGone && p->getPhase() != kPhasePaid)
        return false;
    }
  }
  tx = toTile(cursorX);
  ty = toTile(cursorY);
  auto workPoint = [&](const CMapEntity_Game *g) {
    tx = toTile(g->getX() + (float)g->approachX);
    ty = toTile(g->getY() + (float)g->approachY);
  };
  // A bed, or its patient, is the click's target over anything else whose click box reaches over
  // it (the spray stand's reaches over a bed's patient on some wards).
  for (CMapEntity *e : aimed)
    if (bedOrBedded(e)) {
      const CMapEntity_Game *g = dynamic_cast<const CMapEntity_Game *>(e);
      const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
      workPoint(p ? p->getBedLink() : g);
      return true;
    }
  for (CMapEntity *e : aimed) {
    const CMapEntity_Game *g = dynamic_cast<const CMapEntity_Game *>(e);
    if (g && g->approachX != 0 && g->approachY != 0) workPoint(g);
    const CMapEntity_Game *parent = dynamic_cast<const CMapEntity_Game *>(e->carrying().getParent());
    if (parent && parent->getSolid()) workPoint(parent);
    CMapEntity_PacientClass *patientUnder = dynamic_cast<CMapEntity_PacientClass *>(e);
    if (CMapEntity_Game *patientBed = patientUnder ? patientUnder->getBed() : nullptr) workPoint(patientBed);
  }
  return true;
}

namespace {
using P = CPlayerPatientWork;
using W = CPlayerWardWork;
using K = TWorkKind;

// Where a kind of her work is done: in passing, keeping the arrival while it changes what her hands
// hold; where an order sent her, spending it; or for the patient at the bed she was sent to, where
// the arrival stays for the next thing that patient asks until none is left.
enum class TAt { kPassing, kSent, kPatient };

TVerdict allowed() { return {TVerdict::kDo, {}}; }
TVerdict leave() { return {TVerdict::kLeave, {}}; }
// Work that puts a thing into her hand needs a free one.
TVerdict aHand(const THands &h, CMapEntity_Game *) { return h.free ? allowed() : TVerdict{TVerdict::kHandsFull, {}}; }
TVerdict holding(bool held) { return held ? allowed() : leave(); }
TVerdict anyHands(const THands &, CMapEntity_Game *) { return allowed(); }

// A dispenser serves while stocked, into a free hand; a second treat only while someone lies in
// bed to give it to.
TVerdict served(const THands &h, CMapEntity_Game *dispenser) {
  CMapEntity_Automat *a = dynamic_cast<CMapEntity_Automat *>(dispenser);
  if (a && !a->CMapEntity::getContainedEntityClass(kComfortItemClass)) return {TVerdict::kSay, a->notStocked()};
  if (!h.free) return aHand(h, dispenser);
  if (h.treat && !h.taker) return {TVerdict::kSay, "Nobody in bed to give it to"};
  return allowed();
}

// One kind of her work: the thing it is done at, where it is done, what her hands must allow, and
// the work itself (true when it began an examination).
struct TWork {
  K kind;
  TAt at;
  TVerdict (*allows)(const THands &, CMapEntity_Game *thing);
  bool (*work)(P &, W &, CMapEntity_Game *thing);
};

// Her kinds of work, first first: of those within reach she does the first her hands allow, one a
// decision. At her patient's bed the cough comes first, then the medicine, then a drink or toy,
// which goes before a cure touch and the money; each once an arrival, so a treat that frees a hand
// lets the cough follow, and one held with a hand free follows the cough's examination.
const TWork kWork[] = {
    {K::kHamper, TAt::kSent, [](const THands &h, CMapEntity_Game *) { return holding(h.linen); },
     [](P &, W &w, CMapEntity_Game *) { return w.emptyLinen(), false; }},
    {K::kStandEmpty, TAt::kSent, [](const THands &h, CMapEntity_Game *) { return holding(h.spray); },
     [](P &, W &w, CMapEntity_Game *stand) { return w.swapSpray(stand), false; }},
    {K::kStandFull, TAt::kSent, [](const THands &h, CMapEntity_Game *t) { return h.free && h.spray ? leave() : aHand(h, t); },
     [](P &, W &w, CMapEntity_Game *stand) { return w.swapSpray(stand), false; }},
    {K::kUnmadeBed, TAt::kSent, aHand, [](P &, W &w, CMapEntity_Game *bed) { return w.makeBed(bed), false; }},
    {K::kDispenser, TAt::kPassing, served, [](P &, W &w, CMapEntity_Game *d) { return w.takeFromDispenser(d), false; }},
    {K::kFloorMedicine, TAt::kPassing, aHand, [](P &p, W &, CMapEntity_Game *bottle) { return p.takeMedicine(bottle), false; }},
    {K::kOutbreak, TAt::kPatient, aHand, [](P &p, W &, CMapEntity_Game *patient) { return p.treatOutbreak(patient); }},
    {K::kMedicineDue, TAt::kPatient, [](const THands &h, CMapEntity_Game *) { return holding(h.medicine); },
     [](P &p, W &, CMapEntity_Game *patient) { return p.giveMedicine(patient), false; }},
    {K::kItemWanted, TAt::kPatient, [](const THands &h, CMapEntity_Game *) { return holding(h.treat); },
     [](P &p, W &, CMapEntity_Game *patient) { return p.giveItem(patient), false; }},
    {K::kCureTouch, TAt::kPatient, anyHands, [](P &p, W &, CMapEntity_Game *patient) { return p.cureTouch(patient), false; }},
    {K::kPaying, TAt::kPatient, anyHands, [](P &p, W &, CMapEntity_Game *patient) { return p.sendHome(patient), false; }},
    {K::kCabinet, TAt::kPassing,
     [](const THands &h, CMapEntity_Game *) { return h.prescription ? allowed() : TVerdict{TVerdict::kSay, "No prescription"}; },
     [](P &p, W &, CMapEntity_Game *cabinet) { return p.handInPrescription(cabinet), false; }},
};
static_assert((size_t)K::kCount <= 16, "one bit of patientWorkDone a kind");

// What she is asked to free a hand of, in this order: what she holds, the kind of work that takes
// it from her and the words (a treat's name its own).
struct TFreeing {
  bool THands::*held;
  K takenBy;
  const char *words;
};
const TFreeing kFreeing[] = {
    {&THands::spray, K::kStandEmpty, "put the spray back"},
    {&THands::linen, K::kHamper, "drop the linen"},
    {&THands::prescription, K::kCabinet, "hand in the prescription"},
    {&THands::medicine, K::kMedicineDue, "give the medicine"},
    {&THands::treat, K::kItemWanted, nullptr},
};
} // namespace

// Whether someone lies in bed is asked of the whole ward: only where a dispenser is within reach,
// the one work that asks it, and not at every decision.
THands CPlayerController::handsFor(const TReach &reach) const {
  THands h;
  h.free = body.handFree();
  h.spray = body.held(kSprayID);
  h.linen = body.held(kRubbishID);
  h.prescription = body.held(kPrescriptionID);
  h.medicine = body.held(kMedicineID);
  h.treat = body.heldOfClass(kComfortItemClass);
  if (h.treat && reach.at(TWorkKind::kDispenser))
    for (CMapEntity_Game *e : body.entities()) {
      const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
      h.taker = h.taker || (p && !p->getKill() && p->getPhase() == kPhaseInBed);
    }
  return h;
}

TReach CPlayerController::offersOf(const std::vector<CMapEntity *> &things) {
  TReach offered;
  offered.here = false;
  patients.gather(things, offered);
  ward.gather(things, offered);
  return offered;
}

std::string CPlayerController::refusal(const std::vector<CMapEntity *> &things) {
  std::vector<CMapEntity *> meant;
  for (CMapEntity *e : things)
    if (!e->getKill() && !ownedByFigure(e) && !guidance(e)) meant.push_back(e);
  const TReach offered = offersOf(meant);
  const THands hands = handsFor(offered);
  TVerdict first{TVerdict::kLeave, {}};
  CMapEntity_Game *wanted = nullptr;
  for (const TWork &w : kWork) {
    CMapEntity_Game *thing = offered.at(w.kind);
    if (!thing) continue;
    TVerdict v = w.allows(hands, thing);
    if (v.is == TVerdict::kDo) return {};
    if (first.is == TVerdict::kLeave) first = v, wanted = thing;
  }
  return first.is == TVerdict::kHandsFull ? handsFull(meant, wanted) : first.words;
}

float CPlayerController::freeingWay(TWorkKind taker, const TReach &there, const THands &hands, float toX, float toY) {
  const TWork &row = *std::find_if(std::begin(kWork), std::end(kWork), [taker](const TWork &w) { return w.kind == taker; });
  auto takes = [&](const TReach &r) { return r.at(taker) && row.allows(hands, r.at(taker)).is == TVerdict::kDo; };
  if (takes(there)) return -1.0f;
  float footX = 0.0f, footY = 0.0f, best = FLT_MAX;
  body.foot(footX, footY);
  const float direct = std::hypot(toX - footX, toY - footY);
  for (CMapEntity_Game *e : body.entities()) {
    if (e->getKill() || ownedByFigure(e)) continue;
    const TReach at = offersOf({e});
    if (!takes(at)) continue;
    float x = 0.0f, y = 0.0f;
    workPointOf(at.at(taker), x, y);
    // Freeing the hand comes first, so the way to the place weighs more: a place beside her is
    // what a player looks to, though one near the work would cost her fewer steps; a place where
    // she goes anyway still comes before one a little nearer her.
    const float near = std::hypot(x - footX, y - footY);
    best = std::min(best, 1.4f * near + std::hypot(toX - x, toY - y) - direct);
  }
  return best;
}

std::string CPlayerController::handsFull(const std::vector<CMapEntity *> &sentTo, CMapEntity_Game *wanted) {
  std::vector<CMapEntity *> places = touched();
  places.insert(places.end(), sentTo.begin(), sentTo.end());
  const TReach there = offersOf(places);
  const THands hands = handsFor(there);
  float toX = 0.0f, toY = 0.0f;
  body.foot(toX, toY);
  if (wanted) workPointOf(wanted, toX, toY);
  const TFreeing *named = nullptr;
  float shortest = FLT_MAX;
  for (const TFreeing &f : kFreeing) {
    if (!(hands.*f.held)) continue;
    const float way = freeingWay(f.takenBy, there, hands, toX, toY);
    if (!named || way < shortest) named = &f, shortest = way;
  }
  if (!named) return "Hands full";
  if (named->words) return std::string("Hands full: ") + named->words;
  const CMapEntity *treat = body.heldOfClass(kComfortItemClass);
  const char *name = treat ? CMapEntity_DrinkClass::name(treat->getEntityID()) : nullptr;
  return name ? std::string("Hands full: give the ") + name + " away" : "Hands full";
}

bool CPlayerController::ordersAhead() {
  return arrival || player->workPhase == kExamining || actionQueue()->find(this, 0) >= 0;
}

std::array<CMapEntity *, 2> CPlayerController::holding() const {
  std::array<CMapEntity *, 2> out{};
  for (int i = 0; i < 2; ++i)
    if (CMapEntity_PlayerHand *h = player->hand(i == 0))
      if (h->carrying().getContainedList().size() > 1) out[(size_t)i] = h->carrying().getContainedList()[1];
  return out;
}

// A click that nothing ahead of it can change is judged at once: refused, it orders nothing at all
// (no walk, nothing chosen, no marker). Behind her other orders it is judged on arrival.
void CPlayerController::leftClick() {
  CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
  if (!cursor) return;
  std::vector<CMapEntity *> under = cursor->hits().getActionCollided();
  // On the counter the cabinet says what a press is for: the medicine lying on the place pressed,
  // else nothing at all, whatever passes over it, and the place says it is empty.
  const TCounterPress press = counterPressAt(collection, cursor);
  if (press.place && !press.bottle) {
    if (CLekarnaController *c = dynamic_cast<CLekarnaController *>(press.cabinet->getController())) c->sayPlaceEmpty(press.place);
    actionQueue()->refuseEvent();
    return;
  }
  if (press.bottle) under.push_back(press.bottle);
  // A press that starts a drag of parents orders nothing: neither theirs, nor of what stands behind
  // them.
  for (CMapEntity *e : under)
    if (e->getEntityClassID() == kParentsClass && e->getMouseDrag() && !e->getKill()) {
      actionQueue()->refuseEvent();
      return;
    }
  if (!ordersAhead()) {
    const std::string why = refusal(under);
    if (!why.empty()) {
      body.refuseHere(why);
      actionQueue()->refuseEvent();
      return;
    }
  }
  int tx = 0, ty = 0;
  if (!clickGoal(under, cursor->getX(), cursor->getY(), tx, ty)) return;
  // The medicine is chosen as a press on it chooses it.
  if (press.bottle && press.bottle->getController())
    actionQueue()->queueClick(press.bottle->getController(), true, collection, (int)cursor->getX(), (int)cursor->getY());
  orderWalkTo(tx, ty, std::any_of(under.begin(), under.end(), isGerm));
}

void CPlayerController::orderWalkTo(int tileX, int tileY, bool forGerm) {
  akce *a = new akce();
  a->controller = this;
  a->id = 0;
  a->priority = 3;
  a->addParam(new int32_t(tileX * 32 + 16), true);
  a->addParam(new int32_t(tileY * 32 + 16), true);
  a->addParam(new int32_t(forGerm ? 1 : 0), true);
  a->addParam(new uint32_t(++ordersGiven), true);
  a->addParam(new int32_t((int32_t)CFakeTime::instance()->ms), true);
  actionQueue()->pridej(a);
}

// Her order went with the rest: reaching the tile ends no order.
void CPlayerController::stopAfterStep() {
  walkingOrder = false;
  if (!player) return;
  player->goalX = nextTileX != -1 ? nextTileX * 32 + 16 : -1;
  player->goalY = nextTileY != -1 ? nextTileY * 32 + 16 : -1;
}

void CPlayerController::specificHandleMessages(KEvent *ev) {
  if (!player || !collection || !actionQueue() || ev->type != K_EVENT_MOUSEDOWN) return;
  if (ev->button == 1) leftClick();
  if (ev->button == 2) {
    stopAfterStep();
    actionQueue()->setClear(true);
  }
}

float CPlayerController::step() const {
  return player->speed * player->speedFactor * CGlobals::instance()->deltaFactor;
}

void CPlayerController::refreshFoot() { body.foot(footX, footY); }

bool CPlayerController::jsemVCili() {
  float s = step();
  return std::abs((int)footX - player->goalX) <= s && std::abs((int)footY - player->goalY) <= s;
}

std::vector<CMapEntity *> CPlayerController::touched() const {
  std::vector<CMapEntity *> out = player->hits().getCollided();
  for (CMapEntity *e : player->hits().getActionCollided())
    if (std::find(out.begin(), out.end(), e) == out.end()) out.push_back(e);
  return out;
}

namespace {
uint16_t bedNumberOf(const CMapEntity *item) {
  if (const CMapEntity_Recept *r = dynamic_cast<const CMapEntity_Recept *>(item)) return r->bedNumber;
  if (const CMapEntity_Lek *l = dynamic_cast<const CMapEntity_Lek *>(item)) return l->bedNumber;
  return 0;
}
} // namespace

void CPlayerController::watchBedItems() {
  std::array<CMapEntity *, 2> held = holding();
  std::vector<TBedItem> kept;
  for (CMapEntity *item : held) {
    const uint16_t number = item ? bedNumberOf(item) : 0;
    if (!number) continue;
    auto known = std::find_if(bedItems.begin(), bedItems.end(), [&](const TBedItem &t) { return t.item.is(item); });
    const bool fresh = known == bedItems.end();
    TEntityRef<CMapEntity> patient = fresh ? TEntityRef<CMapEntity>() : known->patient;
    CMapEntity *occupant = nullptr;
    for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
      CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e);
      if (b && !b->carrying().getParent() && !b->getKill() && b->getBedNumber() == number) occupant = b->getOccupant();
    }
    const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(occupant);
    if (!p || p->getKill() || (p->getPhase() != kPhaseInBed && p->getPhase() != kPhaseHeld)) occupant = nullptr;
    if (fresh) patient = occupant;
    if ((fresh || !patient.empty()) && (!occupant || !patient.is(occupant))) {
      body.sayHere("Bed " + makeString((int)number) + "'s patient has gone");
      patient.clear();
    }
    kept.push_back({item, patient});
  }
  bedItems = kept;
}

bool CPlayerController::handsEmpty() {
  for (bool left : {true, false})
    if (CMapEntity_PlayerHand *h = player->hand(left))
      if (h->containedFull()) return false;
  return true;
}

// The work she finds where an order sent her comes before the next order.
void CPlayerController::pickUpOrder() {
  if (arrival || !actionQueue()->muzuProvadet(this, 0) || player->goalX != -1 || player->goalY != -1) return;
  akce *a = actionQueue()->returnAkce(this, 0);
  if (!a || a->params.size() < 2) return;
  player->goalX = *static_cast<int32_t *>(a->params[0]);
  player->goalY = *static_cast<int32_t *>(a->params[1]);
  ward.ordered(a->params.size() > 2 && *static_cast<int32_t *>(a->params[2]) != 0);
  orderNumber = a->params.size() > 3 ? *static_cast<uint32_t *>(a->params[3]) : 0;
  orderedAt = a->params.size() > 4 ? *static_cast<int32_t *>(a->params[4]) : (int32_t)CFakeTime::instance()->ms;
  walkingOrder = freshOrder = true;
}

// The halves gather what is within reach; the work list alone decides and does the first kind of
// work her hands allow. Beside it, taking no arrival: a due burst of spray by germs, and as she
// arrives, "Too late!" for a cough that ended or a word for a germ she cannot spray.
// An arrival with nothing left to do is spent.
void CPlayerController::decide() {
  const std::vector<CMapEntity *> near = touched();
  TReach reach;
  reach.arrived = arrival;
  patients.gather(near, reach);
  ward.gather(near, reach);
  ward.sprayBy(reach);
  if (coughNews && patients.sayTooLate(reach, orderedAt)) coughNews = false;
  if (arrivalNews) {
    arrivalNews = false;
    ward.answerGermOrder();
  }
  const THands hands = handsFor(reach);
  for (const TWork &w : kWork) {
    CMapEntity_Game *thing = reach.at(w.kind);
    const uint16_t bit = (uint16_t)(1u << (unsigned)w.kind);
    // Once her patient's work has begun, the arrival is for that patient's work alone.
    const bool forPatient = w.at == TAt::kPatient || (w.at == TAt::kSent && !patientWorkDone);
    if (!thing || (w.at != TAt::kPassing && (!reach.arrived || !forPatient)) || (patientWorkDone & bit) ||
        w.allows(hands, thing).is != TVerdict::kDo)
      continue;
    const std::array<CMapEntity *, 2> before = holding();
    if (w.work(patients, ward, thing)) player->workPhase = kExamining;
    // Her patient's cough is answered: an earlier one missed is no news any more.
    if (w.kind == K::kOutbreak) coughNews = false;
    if (w.at == TAt::kPassing) passedAt = thing, passedAfter = ordersGiven;
    if (!arrival) return;
    // An examination does not end her patient's arrival: a drink or toy she holds goes after it.
    if (w.at == TAt::kPatient) patientWorkDone |= bit;
    else if (w.at != TAt::kPassing || holding() == before) spendArrival(near, w.at != TAt::kPassing);
    return;
  }
  if (arrival && !awaitingNextCough(reach)) spendArrival(near, patientWorkDone != 0);
}

// Her patient's cough ended just before she came: she stays ready a moment, so a cough that
// begins as she arrives is examined, unless another order of hers waits or a right click stopped her.
bool CPlayerController::awaitingNextCough(const TReach &reach) const {
  if (!walkingOrder || !reach.nextCough) return false;
  int orders = 0;
  for (const akce *a : actionQueue()->getFronta()) orders += a->controller == this && a->id == 0;
  return orders <= 1;
}

// Her order stays at the head of the queue until then, so the next click's releases cannot take
// from her what she was sent to before she has done it.
void CPlayerController::spendArrival(const std::vector<CMapEntity *> &near, bool workDone) {
  arrival = coughNews = false;
  patientWorkDone = 0;
  if (walkingOrder) actionQueue()->removeFirst(this, 0);
  walkingOrder = false;
  if (workDone || handsChanged) return;
  // What she did in passing at a thing once this order was given was its work.
  std::vector<CMapEntity *> aimed;
  for (CMapEntity *e : near)
    if (e->getAktivni() && !(passedAt.is(e) && passedAfter >= orderNumber)) aimed.push_back(e);
  const std::string why = refusal(aimed);
  if (!why.empty()) body.refuseHere(why);
}

void CPlayerController::arrive() {
  idleTimer.nastavSpoustec(idlePeriod());
  idleTimer.reset();
  player->vypniAnimace();
  player->changeFrame(0, 0);
  player->goalX = player->goalY = -1;
  arrival = arrivalNews = coughNews = walkingOrder;
}

// A goal no step leads to (walled off, or no walkable cell at all) is given up with its order,
// so the queue moves on and the figure is free for the next click.
void CPlayerController::pathStep() {
  refreshFoot();
  tileX = toTile(footX);
  tileY = toTile(footY);
  if (player->goalX == -1 || player->goalY == -1 || jsemVCili()) return;
  bored = false;
  uint16_t endX = 0, endY = 0;
  int goalTileX = player->goalX / 32, goalTileY = player->goalY / 32;
  TTilePoint next = CPathFinder::instance()->showAPath((uint16_t)tileX, (uint16_t)tileY, (uint16_t)goalTileX,
                                                       (uint16_t)goalTileY, &endX, &endY);
  bool noTarget = endX == 65535 || endY == 65535;
  bool standing = (int)next.x == tileX && (int)next.y == tileY;
  if (noTarget || (standing && ((int)endX != tileX || (int)endY != tileY))) {
    player->goalX = player->goalY = -1;
    if (walkingOrder) actionQueue()->removeFirst(this, 0);
    walkingOrder = false;
    return;
  }
  if ((int)endX != goalTileX || (int)endY != goalTileY) {
    player->goalX = endX * 32 + 16;
    player->goalY = endY * 32 + 16;
  }
  nextTileX = (int32_t)next.x;
  nextTileY = (int32_t)next.y;
  int dx = nextTileX - tileX, dy = nextTileY - tileY;
  if (dx == 1) player->changeFrameset("RIGHT");
  else if (dx == -1) player->changeFrameset("LEFT");
  else if (dy == -1) player->changeFrameset("UP");
  else if (dy == 1) player->changeFrameset("DOWN");
  player->zapniAnimace();
  player->workPhase = kWalking;
}

void CPlayerController::gotoSquare(int tx, int ty) {
  if (player->workPhase != kWalking) return;
  float targetX = (float)(tx * 32 + 16), targetY = (float)(ty * 32 + 16);
  float v = player->speed * player->speedFactor;
  float s = step();
  float fx = 0.0f, fy = 0.0f;
  body.foot(fx, fy);
  float dx = targetX - fx, dy = targetY - fy;
  if (std::abs(dx) >= s) player->changeX(targetX >= fx ? v : -v);
  if (std::abs(dy) >= s) player->changeY(targetY >= fy ? v : -v);
  if (std::abs(dx) < s && std::abs(dy) < s) {
    player->setXY(player->getX() + dx, player->getY() + dy);
    nextTileX = nextTileY = -1;
    player->vypniAnimace();
    player->workPhase = kDeciding;
  }
  if (!player->hits().getCollidedTiles().empty()) player->workPhase = kDeciding;
}

void CPlayerController::update() {
  if (!player || !collection || !actionQueue()) return;
  const bool examining = player->workPhase == kExamining;
  pickUpOrder();
  if (player->workPhase == kDeciding) decide();
  if (player->workPhase == kExamining && patients.examining()) player->workPhase = kDeciding;
  // What the last order's work or an examination put into her hands is not the new walk's doing.
  const std::array<CMapEntity *, 2> held = holding();
  const bool same = lastHeld[0] == TEntityRef<CMapEntity>(held[0]) && lastHeld[1] == TEntityRef<CMapEntity>(held[1]);
  if (freshOrder || examining || !same) {
    handsChanged = !freshOrder && !examining;
    freshOrder = false;
    lastHeld = {held[0], held[1]};
  }
  watchBedItems();
  if (player->workPhase == kDeciding) {
    if (jsemVCili()) arrive();
    // The idle poses mean "nothing to do": not while she carries something to take somewhere.
    if (player->goalX == -1 && player->goalY == -1 && idleTimer.udalost() && handsEmpty()) {
      bored = true;
      idleTimer.nastavSpoustec(idlePeriod());
      idleTimer.reset();
      player->changeFrameset("BORED" + makeString(CRandom::draw() % 3 + 1));
      player->synchronizeFrames(0);
      player->zapniAnimace();
      for (CMapEntity *h : {player->CMapEntity::getContainedEntity(kLeftHandID),
                            player->CMapEntity::getContainedEntity(kRightHandID)})
        if (h) h->changeFrameset("INVISIBLE");
    }
    Frameset *fs = player->looks().getSprite() ? player->looks().getSprite()->getAktivniFrameset() : nullptr;
    if (bored && fs && !fs->probihaAnimace()) {
      bored = false;
      player->changeFrameset("DOWN");
      player->vypniAnimace();
    }
    pathStep();
  }
  if (player->workPhase == kWalking) {
    if (nextTileX != -1 && nextTileY != -1) gotoSquare(nextTileX, nextTileY);
    player->speedFactor = player->hits().isCollisionWithEntityID(kTrapdoorID) ? 0.5f : 1.0f;
    if (jsemVCili()) {
      arrive();
      posledniKlik = CFakeTime::instance()->ms;
      player->workPhase = kDeciding;
    }
  }
}
