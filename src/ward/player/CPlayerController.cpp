#include "ward/player/CPlayerController.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/dispensers/CMapEntity_Automat.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CPathFinder.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
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

const uint32_t kMonkeyID = 214;

bool isHand(const CMapEntity *e) {
  return e && (e->getEntityID() == kLeftHandID || e->getEntityID() == kRightHandID);
}

// The figure, her hands and what they hold: nothing a click is ever meant for.
bool ownedByFigure(const CMapEntity *e) {
  uint32_t id = e->getEntityID();
  return id == kPlayerID || (id >= 600 && id <= 603) || isHand(e->carrying().getParent());
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

// The monkey rides a patient; dropping in or leaving it only passes over the ward.
bool ridingMonkey(CMapEntitiesCollection *c, const CMapEntity *monkey) {
  for (CMapEntity_Game *e : *c->getEntitiesPtr()) {
    const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
    if (p && p->getTormentor() == monkey) return true;
  }
  return false;
}

// Things a click on which orders no walk.
bool refused(const CMapEntity *e) {
  switch (e->getEntityID()) {
  case kDifficultyAdjusterID: case kMusician1ID: case kMusician2ID: case kPodiumID: case kRepairmanID: case kJesterID:
  case kStatusMenuID: case kMonkeyID:
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

int CPlayerController::examMs(int diagnosticStars) {
  static const int byStars[] = {1500, 1200, 910, 600, 400};
  return diagnosticStars >= 1 && diagnosticStars <= 4 ? byStars[diagnosticStars] : byStars[0];
}

float CPlayerController::walkSpeed(int speedStars) {
  static const float byStarIndex[] = {7.0f, 8.0f, 9.0f, 10.5f, 12.0f};
  int index = speedStars - 1;
  return index >= 0 && index <= 4 ? byStarIndex[index] : 6.0f;
}

void CPlayerController::onBind() {
  player = dynamic_cast<CMapEntity_Player *>(entity);
  body.bind(player, this);
  if (player) player->workPhase = kDeciding;
  if (entity) {
    entity->setAlpha(-1.0f, true);
    entity->setRGB(1.0f, 1.0f, 1.0f, false);
  }
  if (player && collection) {
    if (CMapEntity_Game *bar = collection->getEntityByID(kStatusBarID)) {
      auto icon = [bar](unsigned short id) { return dynamic_cast<CMapEntity_PerkIconClass *>(bar->getContainedEntity(id)); };
      player->setPerkLuck(icon(kLuckIconID));
      player->setPerkBurst(icon(kBurstIconID));
      player->setPerkCureTouch(icon(kCureTouchIconID));
      player->setPerkVirus(icon(kVirusIconID));
    }
    player->speed = walkSpeed(stars(kSpeedUpgradeID));
  }
  queue = CMapEntity_FrontaAkci::require(collection);
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
    // Parents are dragged, never clicked: waiting in front of a machine, they leave it the click.
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

// A prescription on its way (the figure examines) counts: the walk is worth queueing.
bool CPlayerController::nothingToHandIn(CMapEntity_Player *figure) {
  return figure && !figure->getContainedEntity(kPrescriptionID) && figure->workPhase != kExamining;
}

namespace {
// Work that puts something into her hand: a bottle, a made bed's linen, a prescription, an item
// from a dispenser, the spray from its stand. A drink or toy she holds goes to a coughing patient
// first and frees the hand the examination needs.
bool needsAHand(CMapEntity *e, bool treatInHand) {
  if (e->getEntityID() == kMedicineID) return !e->carrying().getParent();
  if (e->getEntityID() == kSprayStandID) return e->CMapEntity::getContainedEntity(kSprayID) != nullptr;
  if (e->getEntityClassID() == kDispenserClass) return e->CMapEntity::getContainedEntityClass(kComfortItemClass);
  CMapEntity *patient = e;
  if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e)) {
    if (!b->isOccupied()) return !b->isMadeUp();
    patient = b->getOccupant();
  }
  const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(patient);
  return p && p->getPhase() == kPhaseInBed && p->getBedState() == kBedOutbreak && !treatInHand;
}

// Hands full, and which hand to free: the spray and the linen go where she can leave them at once.
std::string handsFull(CMapEntity_Player *figure) {
  if (figure->getContainedEntity(kSprayID)) return "Hands full: put the spray back";
  if (figure->getContainedEntity(kRubbishID)) return "Hands full: drop the linen";
  if (figure->getContainedEntity(kPrescriptionID)) return "Hands full: hand in the prescription";
  if (figure->getContainedEntity(kMedicineID)) return "Hands full: give the medicine";
  CMapEntity *item = figure->getContainedEntityClass(kComfortItemClass);
  const char *name = item ? CMapEntity_DrinkClass::name(item->getEntityID()) : nullptr;
  return name ? std::string("Hands full: give the ") + name + " away" : "Hands full";
}
} // namespace

std::string CPlayerController::refusal(const std::vector<CMapEntity *> &things) const {
  bool bottle = false;
  for (CMapEntity *e : things) bottle = bottle || e->getEntityID() == kMedicineID;
  const bool full = player->containedFull(), treat = player->getContainedEntityClass(kComfortItemClass);
  for (CMapEntity *e : things) {
    if (e->getKill() || ownedByFigure(e) || guidance(e)) continue;
    if (e->getEntityClassID() == kCabinetClass && !bottle && nothingToHandIn(player)) return "No prescription";
    if (full && needsAHand(e, treat)) return handsFull(player);
    CMapEntity_Automat *dispenser = dynamic_cast<CMapEntity_Automat *>(e);
    if (dispenser && !dispenser->CMapEntity::getContainedEntityClass(kComfortItemClass)) return dispenser->notStocked();
    if (dispenser && !CPlayerWardWork::treatWanted(treat, *collection->getEntitiesPtr())) return "Nobody in bed to give it to";
  }
  return {};
}

bool CPlayerController::ordersAhead() {
  return arrival || player->workPhase == kExamining || queue->find(this, 0) >= 0;
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
  const std::vector<CMapEntity *> &under = cursor->hits().getActionCollided();
  if (!ordersAhead()) {
    const std::string why = refusal(under);
    if (!why.empty()) {
      body.refuseHere(why);
      queue->refuseEvent();
      return;
    }
  }
  int tx = 0, ty = 0;
  if (!clickGoal(under, cursor->getX(), cursor->getY(), tx, ty)) return;
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
  queue->pridej(a);
}

// Her order went with the rest: reaching the tile ends no order.
void CPlayerController::stopAfterStep() {
  walkingOrder = false;
  if (!player) return;
  player->goalX = nextTileX != -1 ? nextTileX * 32 + 16 : -1;
  player->goalY = nextTileY != -1 ? nextTileY * 32 + 16 : -1;
}

void CPlayerController::specificHandleMessages(KEvent *ev) {
  if (!player || !queue || !collection || ev->type != K_EVENT_MOUSEDOWN) return;
  if (ev->button == 1) leftClick();
  if (ev->button == 2) {
    stopAfterStep();
    queue->setClear(true);
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
    auto known = std::find_if(bedItems.begin(), bedItems.end(), [&](const TBedItem &t) { return t.item == item; });
    const bool fresh = known == bedItems.end();
    CMapEntity *patient = fresh ? nullptr : known->patient;
    CMapEntity *occupant = nullptr;
    for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
      CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e);
      if (b && !b->carrying().getParent() && !b->getKill() && b->getBedNumber() == number) occupant = b->getOccupant();
    }
    const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(occupant);
    if (!p || p->getKill() || (p->getPhase() != kPhaseInBed && p->getPhase() != kPhaseHeld)) occupant = nullptr;
    if (fresh) patient = occupant;
    if ((fresh || patient) && (!occupant || occupant != patient)) {
      body.sayHere("Bed " + makeString((int)number) + "'s patient has gone");
      patient = nullptr;
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
  if (arrival || !queue->muzuProvadet(this, 0) || player->goalX != -1 || player->goalY != -1) return;
  akce *a = queue->returnAkce(this, 0);
  if (!a || a->params.size() < 2) return;
  player->goalX = *static_cast<int32_t *>(a->params[0]);
  player->goalY = *static_cast<int32_t *>(a->params[1]);
  ward.ordered(a->params.size() > 2 && *static_cast<int32_t *>(a->params[2]) != 0);
  walkingOrder = freshOrder = true;
}

namespace {
using P = CPlayerPatientWork;
using W = CPlayerWardWork;

// Where a kind of her work is done: in passing, keeping the arrival while it changes what her hands
// hold; where an order sent her, spending it; or for the patient at the bed she was sent to, where
// the arrival stays for the next thing that patient asks until none is left or she examines.
enum class TAt { kPassing, kSent, kPatient };

// One kind of her work: whether it is within reach, where it is done, and the work itself.
struct TWork {
  bool TReach::*within;
  TAt at;
  void (*work)(P &, W &);
};

// Her kinds of work, first first: of those within reach she does the first, one a decision. At her
// patient's bed the cough comes first, then the medicine, then a drink or toy, which goes before a
// cure touch and the money; each once an arrival, so a treat that frees a hand lets the cough follow.
const TWork kWork[] = {
    {&TReach::hamper, TAt::kSent, [](P &, W &w) { w.emptyLinen(); }},
    {&TReach::stand, TAt::kSent, [](P &, W &w) { w.swapSpray(); }},
    {&TReach::unmadeBed, TAt::kSent, [](P &, W &w) { w.makeBed(); }},
    {&TReach::dispenserItem, TAt::kPassing, [](P &, W &w) { w.takeFromDispenser(); }},
    {&TReach::floorMedicine, TAt::kPassing, [](P &p, W &) { p.takeMedicine(); }},
    {&TReach::outbreak, TAt::kPatient, [](P &p, W &) { p.treatOutbreak(); }},
    {&TReach::medicineDue, TAt::kPatient, [](P &p, W &) { p.giveMedicine(); }},
    {&TReach::itemWanted, TAt::kPatient, [](P &p, W &) { p.giveItem(); }},
    {&TReach::cureTouch, TAt::kPatient, [](P &p, W &) { p.cureTouch(); }},
    {&TReach::paying, TAt::kPatient, [](P &p, W &) { p.sendHome(); }},
    {&TReach::cabinet, TAt::kPassing, [](P &p, W &) { p.handInPrescription(); }},
};
static_assert(sizeof(kWork) / sizeof(kWork[0]) <= 16, "one bit of patientWorkDone a kind");
} // namespace

// The halves gather what is within reach; the work list alone decides and does. Beside it, taking
// no arrival: a due burst of spray by germs, and on arriving, a word about a cough that ended or a
// germ that flew off before she came.
void CPlayerController::decide() {
  const std::vector<CMapEntity *> near = touched();
  TReach reach;
  reach.arrived = arrival;
  patients.gather(near, reach);
  ward.gather(near, reach);
  ward.sprayBy(reach);
  if (arrivalNews) {
    arrivalNews = false;
    if (patients.sayTooLate()) nextCoughBy = (int32_t)CFakeTime::instance()->ms + kNextCoughMs;
    ward.sayGermGone();
  }
  for (size_t i = 0; i < sizeof(kWork) / sizeof(kWork[0]); ++i) {
    const TWork &w = kWork[i];
    const uint16_t bit = (uint16_t)(1u << i);
    // Once her patient's work has begun, the arrival is for that patient's work alone.
    const bool forPatient = w.at == TAt::kPatient || (w.at == TAt::kSent && !patientWorkDone);
    if (!(reach.*w.within) || (w.at != TAt::kPassing && (!reach.arrived || !forPatient)) || (patientWorkDone & bit))
      continue;
    const std::array<CMapEntity *, 2> before = holding();
    w.work(patients, ward);
    if (patients.examinationBegun()) player->workPhase = kExamining;
    if (!arrival) return;
    if (w.at == TAt::kPatient && player->workPhase != kExamining) patientWorkDone |= bit;
    else if (w.at != TAt::kPassing || holding() == before) spendArrival(near, w.at != TAt::kPassing);
    return;
  }
  if (arrival && !awaitingNextCough()) spendArrival(near, patientWorkDone != 0);
}

// Her patient's cough ended just before she came: she stays ready a moment, so a cough that
// begins as she arrives is examined, unless another order of hers waits or a right click stopped her.
bool CPlayerController::awaitingNextCough() const {
  if (!walkingOrder || (int32_t)(CFakeTime::instance()->ms - (uint32_t)nextCoughBy) >= 0) return false;
  int orders = 0;
  for (const akce *a : queue->getFronta()) orders += a->controller == this && a->id == 0;
  return orders <= 1;
}

// Her order stays at the head of the queue until then, so the next click's releases cannot take
// from her what she was sent to before she has done it.
void CPlayerController::spendArrival(const std::vector<CMapEntity *> &near, bool workDone) {
  arrival = false;
  patientWorkDone = 0;
  nextCoughBy = (int32_t)CFakeTime::instance()->ms;
  if (walkingOrder) queue->removeFirst(this, 0);
  walkingOrder = false;
  if (workDone || handsChanged) return;
  std::vector<CMapEntity *> aimed;
  for (CMapEntity *e : near)
    if (e->getAktivni()) aimed.push_back(e);
  const std::string why = refusal(aimed);
  if (!why.empty()) body.refuseHere(why);
}

void CPlayerController::arrive() {
  idleTimer.nastavSpoustec(idlePeriod());
  idleTimer.reset();
  player->vypniAnimace();
  player->changeFrame(0, 0);
  player->goalX = player->goalY = -1;
  arrival = arrivalNews = walkingOrder;
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
    if (walkingOrder) queue->removeFirst(this, 0);
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
  if (!player || !queue || !collection) return;
  const bool examining = player->workPhase == kExamining;
  pickUpOrder();
  if (player->workPhase == kDeciding) decide();
  if (player->workPhase == kExamining && patients.examining()) player->workPhase = kDeciding;
  // What the last order's work or an examination put into her hands is not the new walk's doing.
  if (freshOrder || examining) {
    freshOrder = false;
    lastHeld = holding();
    handsChanged = false;
  } else if (holding() != lastHeld) {
    lastHeld = holding();
    handsChanged = true;
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
    player->speedFactor = player->hits().isCollisionWithEntityID(159) ? 0.5f : 1.0f;
    if (jsemVCili()) {
      arrive();
      posledniKlik = CFakeTime::instance()->ms;
      player->workPhase = kDeciding;
    }
  }
}
