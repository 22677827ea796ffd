#include "ward/player/CPlayerController.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KText.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "ward/player/CPlayerPatientWork.h"
#include "ward/player/CPlayerWardWork.h"
#include "world/CEntityKit.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CPathFinder.h"
#include "world/CWorldEngine.h"
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

// Things a click on which orders no walk.
bool refused(const CMapEntity *e) {
  switch (e->getEntityID()) {
  case 34463: case 113: case 98: case 198: case 310: case kMonkeyID:
    return true;
  default:
    break;
  }
  uint32_t cls = e->getEntityClassID();
  return cls == 17 || cls == 23 || cls == kPerkIconClass || cls == 36;
}
} // namespace

CPlayerController::CPlayerController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                                     std::string bindTo)
    : CCloneable(entity, collection, engine, std::move(bindTo)), examTimer(1000, false),
      idleTimer(idlePeriod(), false), sprayTimer(1000, false) {}

CPlayerController::CPlayerController(const CPlayerController &o)
    : CCloneable(o), savedX(o.savedX), savedY(o.savedY), examTimer(examMs(stars(kDiagnosticUpgradeID)), false),
      idleTimer(idlePeriod(), false), sprayTimer(1000, false), bored(o.bored),
      arrived(o.arrived), sprayDue(1) {}

int CPlayerController::examMs(int diagnosticStars) {
  static const int byStars[] = {1500, 1200, 910, 600, 400};
  return diagnosticStars >= 1 && diagnosticStars <= 4 ? byStars[diagnosticStars] : byStars[0];
}

float CPlayerController::walkSpeed(int speedStars) {
  static const float byStarIndex[] = {7.0f, 8.0f, 9.0f, 10.5f, 12.0f};
  int index = speedStars - 1;
  return index >= 0 && index <= 4 ? byStarIndex[index] : 6.0f;
}

int CPlayerController::walkMs(float distance, float speed, float speedFactor) {
  float perStep = 140.0f * speed * speedFactor;
  return perStep > 0.0f ? (int)(distance * 10000.0f / perStep) : 0;
}

void CPlayerController::onBind() {
  player = dynamic_cast<CMapEntity_Player *>(entity);
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
// their own, so over a bed (or its patient) the click orders the work at the bed.
bool CPlayerController::clickGoal(const std::vector<CMapEntity *> &under, float cursorX, float cursorY, int &tx,
                                  int &ty) const {
  std::vector<CMapEntity *> aimed;
  for (CMapEntity *e : under)
    if (!ownedByFigure(e) && !guidance(e)) aimed.push_back(e);
  if (aimed.empty()) return false;
  bool bedUnder = false;
  for (CMapEntity *e : aimed)
    if (bedOrBedded(e)) bedUnder = true;
  for (CMapEntity *e : aimed) {
    bool passive = e->getEntityClassID() == kGermClass || e->getEntityID() == kMonkeyID;
    if (passive && bedUnder) continue;
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
// from a dispenser, the spray from its stand.
bool needsAHand(CMapEntity *e) {
  if (e->getEntityID() == kMedicineID) return !e->carrying().getParent();
  if (e->getEntityID() == kSprayStandID) return e->CMapEntity::getContainedEntity(kSprayID) != nullptr;
  if (e->getEntityClassID() == kDispenserClass) return e->CMapEntity::getContainedEntityClass(kComfortItemClass);
  CMapEntity *patient = e;
  if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e)) {
    if (!b->isOccupied()) return !b->isMadeUp();
    patient = b->getOccupant();
  }
  const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(patient);
  return p && p->getPhase() == kPhaseInBed && p->getBedState() == kBedOutbreak;
}
} // namespace

const char *CPlayerController::refusal(const std::vector<CMapEntity *> &things) const {
  bool bottle = false;
  for (CMapEntity *e : things) bottle = bottle || e->getEntityID() == kMedicineID;
  const bool full = player->containedFull();
  for (CMapEntity *e : things) {
    if (e->getKill() || ownedByFigure(e) || guidance(e)) continue;
    if (e->getEntityClassID() == kCabinetClass && !bottle && nothingToHandIn(player)) return "No prescription";
    if (full && needsAHand(e)) return "Hands full";
  }
  return nullptr;
}

bool CPlayerController::ordersAhead() {
  return player->workPhase == kExamining || queue->find(this, 0) >= 0;
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
  if (!ordersAhead())
    if (const char *why = refusal(under)) {
      refuseHere(why);
      queue->refuseEvent();
      return;
    }
  int tx = 0, ty = 0;
  if (!clickGoal(under, cursor->getX(), cursor->getY(), tx, ty)) return;
  orderWalkTo(tx, ty);
}

void CPlayerController::orderWalkTo(int tileX, int tileY) {
  akce *a = new akce();
  a->controller = this;
  a->id = 0;
  a->priority = 3;
  a->addParam(new int32_t(tileX * 32 + 16), true);
  a->addParam(new int32_t(tileY * 32 + 16), true);
  queue->pridej(a);
}

void CPlayerController::stopAfterStep() {
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

void CPlayerController::refreshFoot() {
  Frame *f = player->looks().getCurrentFrame();
  Rect box = f ? f->getBoundingBox() : Rect{0, 0, 0, 0};
  footX = (float)(int)player->getX() + (float)box.x + (float)box.w * 0.5f;
  footY = (float)(int)player->getY() + (float)box.y + (float)box.h * 0.5f;
}

bool CPlayerController::jsemVCili() {
  float s = step();
  return std::abs((int)footX - player->goalX) <= s && std::abs((int)footY - player->goalY) <= s;
}

bool CPlayerController::blizkoObjektu(CMapEntity_Game *e) {
  refreshFoot();
  return std::abs((int)(footX - (e->getX() + (float)e->approachX))) <= 15 &&
         std::abs((int)(footY - (e->getY() + (float)e->approachY))) <= 15;
}

std::vector<CMapEntity *> CPlayerController::touched() const {
  std::vector<CMapEntity *> out = player->hits().getCollided();
  for (CMapEntity *e : player->hits().getActionCollided())
    if (std::find(out.begin(), out.end(), e) == out.end()) out.push_back(e);
  return out;
}

void CPlayerController::playSound(const char *key) {
  CWorldEngine *host = worldEngine();
  if (key && host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}

unsigned CPlayerController::chainStep(uint16_t kind) {
  CChainBonus::TStep s = chain.step(kind, engine ? engine->getSoucasnyLevel() : 0);
  playSound(s.sound);
  return s.amount;
}

void CPlayerController::chainBonus(uint16_t kind, float x, float y, const char *label, TCaptionKind captionKind) {
  if (unsigned amount = chainStep(kind)) payChain(x, y, label, amount, captionKind);
}

void CPlayerController::caption(float x, float y, const std::string &text, TCaptionKind kind) {
  CCaption::show(collection, x, y, text, kind);
}

void CPlayerController::refuse(float x, float y, const std::string &why) {
  playSound("NONO");
  entitykit::refusal(collection, x, y, why);
}

void CPlayerController::refuseHere(const std::string &why) {
  playSound("NONO");
  sayHere(why);
}

void CPlayerController::sayHere(const std::string &text) {
  KText *font = entitykit::loadedFont("small");
  Frame *f = player->looks().getCurrentFrame();
  const float width = font ? font->getStringWidth(text.c_str(), -1.0f) : 0.0f;
  const float middle = player->getX() + (f ? (float)f->getSirka() / 2 : 0.0f);
  entitykit::refusal(collection, middle - width / 2, player->getY() - 30.0f, text);
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
      sayHere("Bed " + makeString((int)number) + "'s patient has gone");
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

void CPlayerController::payChain(float x, float y, const char *label, unsigned amount, TCaptionKind captionKind) {
  CCaption::pay(collection, currentLevel(), x - 30, y - 20, label, (int)amount, captionKind);
  if (chain.count > 1) CCaption::runLength(collection, x - 50, y - 20, chain.count, paleta[8]);
}

void CPlayerController::restOnDown() {
  player->changeFrameset("DOWN");
  player->vypniAnimace();
  player->synchronizeFramesets();
  player->synchronizeFrames(-1);
}

bool CPlayerController::someoneInBed() const {
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
    if (p && !p->getKill() && p->getPhase() == kPhaseInBed) return true;
  }
  return false;
}

void CPlayerController::pickUpOrder() {
  if (arrived) queue->removeFirst(this, 0);
  if (!queue->muzuProvadet(this, 0) || player->goalX != -1 || player->goalY != -1) return;
  akce *a = queue->returnAkce(this, 0);
  int32_t *gx = a ? static_cast<int32_t *>(a->getParam(0)) : nullptr;
  int32_t *gy = a ? static_cast<int32_t *>(a->getParam(1)) : nullptr;
  if (!gx || !gy) return;
  player->goalX = *gx;
  player->goalY = *gy;
  freshOrder = true;
}

// Her kinds of work, highest priority first: of those within reach she does the first.
uint16_t CPlayerController::choose(const TReach &r) {
  const std::pair<bool, uint16_t> byPriority[] = {
      {r.hamper, kEmptyLinen},
      {r.unmadeBed, kMakeBed},
      {r.dispenserItem, kTakeFromDispenser},
      {r.floorMedicine, kTakeMedicine},
      {r.outbreak, kTreatOutbreak},
      {r.medicineDue, kGiveMedicine},
      {r.itemWanted, kGiveItem},
      {r.cabinet, kHandInPrescriptions},
  };
  for (const auto &work : byPriority)
    if (work.first) return work.second;
  return kDeciding;
}

// The walk's arrival is answered once: by her patient's need first, then by an unmade bed, then by
// the spray stand; the work chosen may still be another within reach.
void CPlayerController::decide() {
  std::vector<CMapEntity *> near = touched();
  TReach reach;
  CPlayerPatientWork(*this).answer(near, reach);
  CPlayerWardWork(*this).answer(near, reach);
  player->workPhase = choose(reach);
  // Walked there and nothing could be done: say why, unless the walk already did something.
  if (arrived && !handsChanged) {
    std::vector<CMapEntity *> aimed;
    for (CMapEntity *e : near)
      if (e->getAktivni()) aimed.push_back(e);
    if (const char *why = refusal(aimed)) refuseHere(why);
  }
}

void CPlayerController::work() {
  CPlayerWardWork(*this).work();
  CPlayerPatientWork(*this).work();
}

void CPlayerController::arrive() {
  idleTimer.nastavSpoustec(idlePeriod());
  idleTimer.reset();
  player->vypniAnimace();
  player->changeFrame(0, 0);
  arrived = 1;
  player->goalX = player->goalY = -1;
}

// A goal no step leads to (walled off, or no walkable cell at all) is given up with its order,
// so the queue moves on and the figure is free for the next click.
void CPlayerController::pathStep() {
  refreshFoot();
  tileX = toTile(footX);
  tileY = toTile(footY);
  if (player->goalX == -1 || player->goalY == -1) return;
  float s = step();
  if (std::abs((int)footX - player->goalX) <= s && std::abs((int)footY - player->goalY) <= s) return;
  bored = 0;
  uint16_t endX = 0, endY = 0;
  int goalTileX = player->goalX / 32, goalTileY = player->goalY / 32;
  TTilePoint next = CPathFinder::instance()->showAPath((uint16_t)tileX, (uint16_t)tileY, (uint16_t)goalTileX,
                                                       (uint16_t)goalTileY, &endX, &endY);
  bool noTarget = endX == 65535 || endY == 65535;
  bool standing = (int)next.x == tileX && (int)next.y == tileY;
  if (noTarget || (standing && ((int)endX != tileX || (int)endY != tileY))) {
    player->goalX = player->goalY = -1;
    queue->removeFirst(this, 0);
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
  Frame *f = player->looks().getCurrentFrame();
  Rect box = f ? f->getBoundingBox() : Rect{0, 0, 0, 0};
  float fx = (float)(int)player->getX() + (float)box.x + (float)box.w * 0.5f;
  float fy = (float)(int)player->getY() + (float)box.y + (float)box.h * 0.5f;
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
  work();
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
  if (arrived) arrived = 0;
  if (player->workPhase == kDeciding) {
    if (jsemVCili()) arrive();
    // The idle poses mean "nothing to do": not while she carries something to take somewhere.
    if (player->goalX == -1 && player->goalY == -1 && idleTimer.udalost() && handsEmpty()) {
      bored = 1;
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
      bored = 0;
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
