#include "patients/CPacientController.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/GameGlobals.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_GaucClass.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

int32_t CPacientController::posledniAktivita = 0;
uint32_t CPacientController::bedsFull = 0;

namespace {
const unsigned kCouchClass = 22;
const unsigned kBenchClass = 24;
const unsigned kChairClass = 17;
const unsigned kCursorClass = 32;
const unsigned kNurseID = 60;
const unsigned kCharismaID = 902;
const unsigned kLuckIconID = 297;
const unsigned kLockedBedID = 190;
const unsigned kPaletaSize = sizeof(paleta) / sizeof(paleta[0]);

int clampStars(int s) { return s < 0 ? 0 : (s > 4 ? 4 : s); }

Frame *frameOf(CMapEntity *e) { return e ? e->getCurrentFrame() : nullptr; }

CMapEntity_GaucClass *firstSeats(CMapEntitiesCollection *c, unsigned cls) {
  return c ? dynamic_cast<CMapEntity_GaucClass *>(c->getFirstEntityByClassID(cls)) : nullptr;
}

void seat(CMapEntity_GaucClass *couch, int k, CMapEntity *p) {
  couch->occupants[(size_t)k] = p;
  TSeatOffset off = (size_t)k < couch->seatOffsets.size() ? couch->seatOffsets[(size_t)k] : TSeatOffset{-1, -1};
  p->setXY(couch->getX() + (float)off.x, couch->getY() + (float)off.y);
}
} // namespace

float charismaGain(int stars) { return CMapEntity_PacientClass::charismaGain(stars); }

float charismaLoss(int stars) { return CMapEntity_PacientClass::charismaLoss(stars); }

float heartBoost(int stars) {
  static const float f[] = {0.4f, 0.48f, 0.6f, 0.76f, 0.84f};
  return f[clampStars(stars)];
}

int heartsForMood(float mood) { return CMapEntity_PacientClass::heartCount(mood); }

void applyMoodChange(CMapEntity_PacientClass &p, float d, int stars, bool fixed) {
  if (!fixed) d = d > 0 ? d * charismaGain(stars) : d / charismaLoss(stars);
  float m = p.mood + d;
  p.mood = m < 0.0f ? 0.0f : (m > 1.0f ? 1.0f : m);
  p.heartsBefore = p.hearts;
  p.hearts = heartsForMood(p.mood);
  p.synchronizujSrdicka();
}

uint16_t pickColour(const TColourInputs &in, int (*rnd)()) {
  // No colour count in the level: the beds' own range, as the beds take theirs.
  int range = (int)bedColourRange(in.maxColors) + 1;
  auto uniform = [&]() { return (uint16_t)(rnd() % range); };
  auto fromList = [&](const std::vector<uint16_t> &list) {
    return list.empty() ? uniform() : list[(size_t)(rnd() % (int)list.size())];
  };
  const std::vector<uint16_t> &freeList = in.freeBedColours.empty() ? in.allBedColours : in.freeBedColours;
  if (in.luck) return fromList(freeList);
  if (in.elapsed < 0.65f) return uniform();
  if (in.elapsed < 0.85f) {
    int predicted = (int)(2.0f * (float)in.expectedPayout + (float)in.money);
    if (predicted >= in.moneyGoal) return uniform();
    CLogger::instance()->log("Helping, predpoklad skore(aktual)/potrebne:" + makeString(predicted) + "(" +
                             makeString(in.money) + ") / " + makeString(in.moneyGoal));
    return rnd() % 3 == 1 ? fromList(in.allBedColours) : uniform();
  }
  int predicted = (int)(1.2f * (float)in.expectedPayout + (float)in.money);
  if (predicted >= in.moneyGoal) return uniform();
  CLogger::instance()->log("Helping 2, predpoklad skore(aktual)/potrebne faze:" + makeString(predicted) + "(" +
                           makeString(in.money) + ") / " + makeString(in.moneyGoal));
  if (in.elapsed < 1.0f) return rnd() % 2 == 1 ? fromList(freeList) : uniform();
  return rnd() % 5 == 1 ? uniform() : fromList(freeList);
}

CPacientController::CPacientController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *eng, std::string bindTo)
    : CEntityController(e, c, eng, std::move(bindTo)) {
  createTimers(3000);
}

CPacientController::CPacientController(const CPacientController &o)
    : CEntityController(o), heartsPulsing(o.heartsPulsing), pressureMaxPlayed(o.pressureMaxPlayed),
      cuffClickedNoSeat(o.cuffClickedNoSeat), bedPreview(o.bedPreview), headFlash(o.headFlash),
      headFlashLevel(o.headFlashLevel), medicineTaken(o.medicineTaken), outbreakMark(o.outbreakMark),
      pauseSeen(o.pauseSeen) {
  // Only copies ever run: a live patient's mood and wear tick every 1500 ms, whatever the
  // prototype was built with.
  createTimers(1500);
}

// Every behaviour gets timers of its own; the mood and wear ticks' period is the caller's.
void CPacientController::createTimers(int moodMs) {
  moodTimer = new Timer(moodMs, false);
  bedWearTimer = new Timer(moodMs, false);
  prevlekaciTimer = new Timer(2500, false);
  cekaniTimer = new Timer(5000, false);
  payTimer = new Timer(2000, false);
  bedTimer = new Timer(3000, false);
  snoreTimer = new Timer(800, false);
  randomTimer = new Timer(2000 + CRandom::draw() % 5500, false);
  likeTimer = new Timer(2000, false);
  drinkTimer = new Timer(3000, false);
}

CPacientController::~CPacientController() {
  for (Timer **t : {&moodTimer, &bedWearTimer, &prevlekaciTimer, &cekaniTimer, &payTimer, &bedTimer, &snoreTimer,
                    &randomTimer, &likeTimer, &drinkTimer}) {
    delete *t;
    *t = nullptr;
  }
}

CMapEntity_PacientClass *CPacientController::patient() const { return dynamic_cast<CMapEntity_PacientClass *>(entity); }

CMapEntity_FrontaAkci *CPacientController::queue() const { return CMapEntity_FrontaAkci::najdi(collection); }

CMapEntity_Game *CPacientController::cursor() const {
  return collection ? collection->getFirstEntityByClassID(kCursorClass) : nullptr;
}

CMapEntity *CPacientController::heldByCursor() const {
  CMapEntity_Game *c = cursor();
  if (CMapEntity_Kurzor *k = dynamic_cast<CMapEntity_Kurzor *>(c)) return k->held;
  if (CMapEntity_Kurzor2 *k = dynamic_cast<CMapEntity_Kurzor2 *>(c)) return k->held;
  return nullptr;
}

void CPacientController::setHeld(CMapEntity *e) {
  CMapEntity_Game *c = cursor();
  if (CMapEntity_Kurzor *k = dynamic_cast<CMapEntity_Kurzor *>(c)) k->held = e;
  if (CMapEntity_Kurzor2 *k = dynamic_cast<CMapEntity_Kurzor2 *>(c)) k->held = e;
}

void CPacientController::queueAction(CEntityController *c, unsigned short id, int priority) {
  CMapEntity_FrontaAkci *q = queue();
  if (!q || !c) return;
  akce *a = new akce();
  a->controller = c;
  a->id = id;
  a->priority = priority;
  q->pridej(a);
}

int CPacientController::charismaStars() const {
  CPlayer *player = engine ? engine->getPlayer() : nullptr;
  return player ? player->starsOwned(kCharismaID) : 0;
}

float CPacientController::difficulty() const { return engine ? engine->getDifficultyFactor() : 1.0f; }

void CPacientController::play(const std::string &key) {
  if (CSoundEngine *s = engine ? engine->getSoundEngine() : nullptr) s->playSound(key);
}

int CPacientController::now() const { return CFakeTime_instance ? (int)CFakeTime_instance->ms : 0; }

CMapEntity_Game *CPacientController::bonusText(float x, float y, const std::string &text) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("BONUSTEXT");
  e->setXY(x, y);
  if (CMapEntity_TextBox *t = dynamic_cast<CMapEntity_TextBox *>(e)) t->text = text;
  collection->addEntity(e);
  return e;
}

void CPacientController::setNurse(bool working) {
  CMapEntity_Game *nurse = collection ? collection->getEntityByID(kNurseID) : nullptr;
  if (!nurse) return;
  nurse->changeFrameset(working ? "AKTIVNI" : "FRAMESET1");
  if (working) nurse->zapniAnimace();
  else nurse->vypniAnimace();
}

void CPacientController::onBind() {
  CMapEntity_PacientClass *p = patient();
  if (!p) return;
  homeX = (int16_t)p->getX();
  homeY = (int16_t)p->getY();
  bedTimer->nastavSpoustec(p->coughPeriod);
  if (!queue()) {
    CLogger::instance()->log("Entita nemuze pracovat bez FRONTAAKCI, exit");
    fatalError("Entita nemuze pracovat bez FRONTAAKCI, exit", -1);
  }
  switchPacientFrameset("ILL1", true, false, false);
  p->zapniAnimace();
  p->cropMeter();
  if (p->bedDropBlocked) {
    p->patience *= 2.5f;
    p->zapniAnimace();
  }
}

void CPacientController::switchPacientFrameset(const std::string &name, bool head, bool hand, bool body) {
  CMapEntity_PacientClass *p = patient();
  if (!p) return;
  // Straight on the sprite: the carried parts keep their own framesets.
  if (body && p->getSprite()) p->getSprite()->nastavFrameset(name.c_str());
  if (hand) {
    if (CMapEntity *h = p->getContainedEntityClass(CMapEntity_PacientClass::kHandClass)) {
      if (h->getSprite()) h->getSprite()->nastavFrameset(name.c_str());
      bool behind = name == "LYING" && (p->kind == 0 || p->kind == 4);
      h->setSortZ(behind ? -1 : 5, false);
    }
    p->containedCopiesUpdate();
  }
  if (head)
    if (CMapEntity *h = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass))
      if (h->getSprite()) h->getSprite()->nastavFrameset(name.c_str());
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
  if (ev->type == 1) {
    mouseX = (int32_t)KInput::getMouseX();
    mouseY = (int32_t)KInput::getMouseY();
  }
  if (ev->type != 3 || ev->button != 1) return;
  CMapEntity_Game *c = cursor();
  bool under = c && (c->isActionCollisionWithEntity(p) || p->isActionCollisionWithEntity(c));
  uint8_t ph = p->phase;
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
  if (CMapEntity_FrontaAkci *q = queue()) {
    q->serveActivation(this, p);
  }
  CMapEntity *bar = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
  if (p->hearts < p->heartsBefore) heartsPulsing = 1;
  if (bar && heartsPulsing) {
    bar->effectPulse(0.6f, 2);
    if (bar->effectPulseOver()) heartsPulsing = 0;
  }
  if (bar && p->mood < 0.4f && !heartsPulsing) bar->effectPulse(0.35f, -1);
  float a = p->getAlpha();
  if (a < 1.0f && a != -1.0f) p->changeAlpha(0.02f, true);
  else if (a > 1.0f) p->setAlpha(-1.0f, true);

  if (p->phase == kPhaseOnChair) phaseAtDesk();
  if (p->phase == kPhaseArrived) phaseArrived();
  if (p->phase == kPhaseOnCouch) phaseOnBench();
  if (p->phase == kPhaseInBed) phaseInBed();
  if (p->phase == kPhaseRunning) phaseRunning();
  if (p->phase == kPhaseHeld && !p->tormentor) p->phase = (uint8_t)(fazeBeforeHold & 0xff);
  if (p->phase == kPhasePaid) phaseLeaving();
  if (p->phase == kPhaseGone) phaseGone();
  if (!p->getKill()) pauseBookkeeping();
}

void CPacientController::moodTick(bool flagLoss) {
  CMapEntity_PacientClass *p = patient();
  if (!moodTimer->udalost()) return;
  applyMoodChange(*p, -(p->patience * difficulty()), charismaStars(), false);
  if (flagLoss && p->hearts < p->heartsBefore) heartsPulsing = 1;
}

void CPacientController::leaveSeats(unsigned int seatClass) {
  CMapEntity_PacientClass *p = patient();
  if (!collection) return;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    if (e->getEntityClassID() != seatClass) continue;
    if (CMapEntity_GaucClass *couch = dynamic_cast<CMapEntity_GaucClass *>(e))
      for (CMapEntity *&o : couch->occupants)
        if (o == p) o = nullptr;
  }
}

void CPacientController::lose(unsigned int seatClass) {
  CMapEntity_PacientClass *p = patient();
  play(CRandom::draw() % 2 == 0 ? p->soundExitAngry1 : p->soundExitAngry2);
  CMapEntity_Game *lost = CMapEntitiesFactory::instance()->cloneEntity("NAPISLOST");
  lost->setXY(p->getX() - 65, p->getY() - 30);
  collection->addEntity(lost);
  leaveSeats(seatClass);
  if (heldByCursor() == p) setHeld(nullptr);
  killEntity();
  if (CLevel_Game *lvl = engine ? engine->getLevel() : nullptr) lvl->incLost();
}

bool CPacientController::benchHasSeat() const {
  CMapEntity_GaucClass *bench = firstSeats(collection, kBenchClass);
  return bench && bench->freeSeat() >= 0;
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
  bool under = c->isActionCollisionWithEntity(p) || p->isActionCollisionWithEntity(c);
  bool down = KInput::getLeftButtonState();
  if (under && down && !heldByCursor() && p->getFocus() && (p->phase == kPhaseRunning || !p->locked)) {
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

void CPacientController::snapToChair(CMapEntity_Game *chair) {
  CMapEntity_PacientClass *p = patient();
  Frame *cf = frameOf(chair), *pf = frameOf(p);
  if (!cf || !pf) return;
  Rect cb = cf->getBoundingBox(), pb = pf->getBoundingBox();
  p->setXY((float)((int)(chair->getX() + (float)cb.x) - pb.w / 2 + cb.w / 2),
           chair->getY() + (float)cb.y + (float)(cb.h / 2) - (float)pb.h);
}

void CPacientController::phaseArrived() {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_Game *c = cursor();
  bool under = c && (c->isActionCollisionWithEntity(p) || p->isActionCollisionWithEntity(c));
  switchPacientFrameset(under ? "ILL2WAITING" : "ILL1", true, false, false);
  if (p->mood == 0.0f) {
    lose(kCouchClass);
    return;
  }
  moodTick(false);
  bool wasHeld = heldByCursor() == p;
  drag(false);
  std::vector<CMapEntity_Game *> chairs;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (e->getEntityClassID() == kChairClass && !e->getParent()) chairs.push_back(e);
  CMapEntity_Game *chairUnder = c ? dynamic_cast<CMapEntity_Game *>(c->isActionCollisionWithEntityClassID(kChairClass)) : nullptr;
  if (heldByCursor() == p && KInput::getLeftButtonState()) {
    for (CMapEntity_Game *ch : chairs) {
      ch->setHighlightOn(true);
      if (ch->getHighlight()) ch->getHighlight()->setVisible(true);
    }
    if (chairUnder && !p->bedDropBlocked) snapToChair(chairUnder);
    return;
  }
  if (!(wasHeld && heldByCursor() == p && !KInput::getLeftButtonState())) return;
  // Dropped.
  setHeld(nullptr);
  p->setSortZ(0, false);
  p->dragged = 0;
  for (CMapEntity_Game *ch : chairs) {
    ch->setHighlightOn(false);
    if (ch->getHighlight()) ch->getHighlight()->setVisible(false);
  }
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(chairUnder);
  if (!chair || chair->occupant || !benchHasSeat()) {
    goHome(false);
    return;
  }
  if (!chair->gauge) {
    CLogger::instance()->log("Chair " + chair->name + " has no pressure gauge: " + p->name + " goes back");
    goHome(false);
    return;
  }
  queueAction(this, 2, 0);
  chair->occupant = p;
  p->chair = chair;
  snapToChair(chair);
  p->phase = kPhaseOnChair;
  p->setMouseClick(true);
  p->setMouseDrag(false);
  leaveSeats(kCouchClass);
  switchPacientFrameset("ILL1", true, false, false);
  if (chairs.size() > 1) {
    bool all = true;
    for (CMapEntity_Game *ch : chairs)
      if (CMapEntity_DiagnosticTool *t = dynamic_cast<CMapEntity_DiagnosticTool *>(ch))
        if (!t->occupant) all = false;
    if (all)
      if (CLevel_Game *lvl = engine ? engine->getLevel() : nullptr) lvl->changeMoney(50 * (int)chairs.size());
  }
  prevlekaciTimer->reset();
  setNurse(true);
  chair->gauge->start(p->pressureSpeed);
}

void CPacientController::phaseAtDesk() {
  CMapEntity_PacientClass *p = patient();
  moodTimer->udalost();
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(p->getChair());
  CMapEntity_Tlakomer *gauge = chair ? chair->gauge : nullptr;
  if (!gauge) return;
  if (gauge->full && !pressureMaxPlayed) {
    play("PRESSUREMAX");
    pressureMaxPlayed = 1;
    prevlekaciTimer->reset();
  }
  CMapEntity_Game *c = cursor();
  bool under = c && (c->isActionCollisionWithEntity(p) || p->isActionCollisionWithEntity(c));
  if (under && KInput::getLeftButtonState() && p->getFocus() && gauge->full) {
    play("CUSTOMER_CUFF_GOOD");
    CMapEntity_Game *heart = CMapEntitiesFactory::instance()->cloneEntity("SRDCE");
    heart->setXY(p->getX() + 15, p->getY() + 20);
    collection->addEntity(heart);
    applyMoodChange(*p, heartBoost(charismaStars()), charismaStars(), true);
    gauge->setStav(0.0f);
    setNurse(false);
    if (firstSeats(collection, kBenchClass)) {
      if (benchHasSeat()) moveToBench();
      else cuffClickedNoSeat = 1;
    }
    homeX = (int16_t)p->getX();
    homeY = (int16_t)p->getY();
    return;
  }
  if (prevlekaciTimer->udalost() && pressureMaxPlayed && p->getChair()) {
    gauge->setStav(0.0f);
    setNurse(false);
    if (benchHasSeat()) {
      moveToBench();
      play(cuffClickedNoSeat ? "CUSTOMER_CUFF_GOOD" : "CUSTOMER_CUFF_BAD");
      cuffClickedNoSeat = 0;
    }
    homeX = (int16_t)p->getX();
    homeY = (int16_t)p->getY();
  }
}

void CPacientController::moveToBench() {
  CMapEntity_PacientClass *p = patient();
  p->phase = kPhaseOnCouch;
  p->setMouseClick(false);
  p->setMouseDrag(true);
  if (CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(p->getChair())) chair->occupant = nullptr;
  p->chair = nullptr;
  bonusText(p->getX() - 60, p->getY(), p->diseaseName);
  chooseColor();
  p->prevlekniSe();
  CMapEntity_GaucClass *bench = firstSeats(collection, kBenchClass);
  int k = bench ? bench->freeSeat() : -1;
  if (k >= 0) {
    seat(bench, k, p);
    if (p->kind == 4) p->setXY(p->getX(), bench->getY() + 40);
  }
  generujPrach();
}

void CPacientController::chooseColor() {
  CMapEntity_PacientClass *p = patient();
  TColourInputs in;
  CLevel_Game *lvl = engine ? engine->getLevel() : nullptr;
  if (lvl) {
    in.maxColors = lvl->getMaxColors();
    in.moneyGoal = lvl->getMoneyLimit();
    in.money = lvl->getMoney();
    in.elapsed = lvl->getTimeLeftPercent();
  }
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    if (CMapEntity_PacientClass *other = dynamic_cast<CMapEntity_PacientClass *>(e))
      in.expectedPayout += (int)(other->money * 150.0f * other->mood);
    if (CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(e)) {
      in.allBedColours.push_back(bed->barva);
      if (!bed->getOccupant()) in.freeBedColours.push_back(bed->barva);
    }
  }
  if (CMapEntity_Game *bar = collection->getEntityByID(kStatusBarID))
    if (CMapEntity *icon = bar->getContainedEntity(kLuckIconID))
      if (CMapEntity_PerkIconClass *luck = dynamic_cast<CMapEntity_PerkIconClass *>(icon)) in.luck = luck->active != 0;
  p->setBarva(pickColour(in, CRandom::draw));
}

void CPacientController::generujPrach() {
  CMapEntity_PacientClass *p = patient();
  static const float offs[8][2] = {{0, 20}, {25, 20}, {10, 15}, {35, 30}, {-10, 45}, {25, 45}, {10, 55}, {35, 60}};
  uint16_t c = p->colour < kPaletaSize ? p->colour : 0;
  for (const auto &o : offs) {
    CMapEntity_Game *puff = CMapEntitiesFactory::instance()->cloneEntity("PRACH");
    puff->setRGB(paleta[c][0], paleta[c][1], paleta[c][2], true);
    puff->setXY(p->getX() + o[0], p->getY() + o[1]);
    collection->addEntity(puff);
  }
}

bool CPacientController::bedSuitable(CMapEntity_Game *b) const {
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(b);
  if (!bed || bed->locked || bed->obsazeno || !bed->uklizeno) return false;
  CMapEntity *lying = bed->getContainedEntityClass(kPatientClass);
  return !lying || lying == entity;
}

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
  if (CMapEntity *head = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass)) head->setSortZ(4, false);
  bed->containedCopiesUpdate();
  p->containedCopiesUpdate();
}

void CPacientController::sesadPacienta() {
  CMapEntity_PacientClass *p = patient();
  bedPreview = 0;
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(previewBed);
  if (bed && collection->contains(bed)) {
    if (CMapEntity *blanket = p->getContainedEntityClass(CMapEntity_PostelClass::kBlanketClass)) {
      p->giveEntityTo(bed, blanket, true);
      blanket->setXOffset(0.0f, false);
      blanket->setYOffset(50.0f, false);
      blanket->setSortZ(3, false);
      blanket->syncWithParentPosition();
    }
    bed->dropEntity(p);
    bed->setUklizeno(bed->uklizeno != 0);
    bed->setBarva(bed->barva);
  }
  switchPacientFrameset("FRAMESET1", false, true, true);
  switchPacientFrameset("ILL1", true, false, false);
  previewBed = nullptr;
}

void CPacientController::phaseOnBench() {
  CMapEntity_PacientClass *p = patient();
  if (p->mood == 0.0f) {
    if (bedPreview) sesadPacienta();
    lose(kBenchClass);
    return;
  }
  moodTick(true);
  bool wasHeld = heldByCursor() == p;
  drag(true);
  CMapEntity_Game *c = cursor();
  CMapEntity_Game *bedUnder = c ? dynamic_cast<CMapEntity_Game *>(c->isActionCollisionWithEntityClassID(kBedClass)) : nullptr;
  if (heldByCursor() == p && KInput::getLeftButtonState()) {
    if (bedUnder && bedSuitable(bedUnder)) {
      if (bedPreview && previewBed != bedUnder) sesadPacienta();
      if (!bedPreview) previewLying(bedUnder, "ILL3");
    } else if (bedPreview) {
      sesadPacienta();
    }
  } else if (wasHeld && !KInput::getLeftButtonState()) {
    setHeld(nullptr);
    p->setSortZ(0, false);
    CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(bedUnder);
    float a = bed ? bed->getAlpha() : 0.0f;
    bool ok = bed && !bed->obsazeno && !bed->locked && bed->uklizeno && (a == -1.0f || a == 1.0f) &&
              bedPreview && previewBed == bed && (!p->bedDropBlocked || bed->getEntityID() == kLockedBedID);
    if (ok) {
      layIntoBed(bed);
    } else {
      if (bedPreview) sesadPacienta();
      goHome(true);
    }
  }
  if (p->phase == kPhaseOnCouch) p->dragged = 0;
}

void CPacientController::layIntoBed(CMapEntity_Game *b) {
  CMapEntity_PacientClass *p = patient();
  CMapEntity_PostelClass *bed = static_cast<CMapEntity_PostelClass *>(b);
  sesadPacienta();
  queueAction(this, 2, 0);
  p->setMouseClick(true);
  p->setMouseDrag(false);
  bool match = bed->barva == p->colour;
  uint16_t counter = bed->ulozPacienta(p, p->colour);
  CLevel_Game *lvl = engine ? engine->getLevel() : nullptr;
  if (match) {
    // The caption shows what the money gets: the whole part of the bonus.
    int paid = (int)((float)counter * p->colorBonus);
    CMapEntity_Game *t = bonusText(bed->getX(), bed->getY() - 25, "COLOR BONUS +" + makeString(paid));
    if (CMapEntity_BonusText *bt = dynamic_cast<CMapEntity_BonusText *>(t)) {
      bt->textRed = 0.8f;
      bt->textGreen = 0.15f;
      bt->textBlue = 0.5f;
    }
    if (counter > 1) {
      CMapEntity_Game *x = bonusText(bed->getX() - 20, bed->getY() - 25, makeString(counter) + "x");
      if (CMapEntity_BonusText *bt = dynamic_cast<CMapEntity_BonusText *>(x))
        if (p->colour < kPaletaSize) {
          bt->textRed = paleta[p->colour][0];
          bt->textGreen = paleta[p->colour][1];
          bt->textBlue = paleta[p->colour][2];
        }
      if (lvl) lvl->changeMoney(paid);
    }
  }
  leaveSeats(kBenchClass);
  generujPrach();
  play("RECOLOR");
  bool even = CRandom::draw() % 2 == 0;
  if (p->kind == 0) play(even ? "MALE_SLEEP1" : "MALE_SLEEP2");
  else if (p->kind == 1) play(even ? "FEMALE_SLEEP1" : "FEMALE_SLEEP2");
  else if (p->kind == 4) play(even ? "CHILD_SLEEP1" : "CHILD_SLEEP2");
  p->bed = bed;
  outbreakMark = now() + ((lvl && lvl->closed()) ? 3000 : 0);
  posledniAktivita = now();
  float yo = p->kind == 4 ? -7.0f : -10.0f;
  layout(bed, yo);
  p->bedState = kBedSleeping;
  p->phase = kPhaseInBed;
  CMapEntity_Game *meter = CMapEntitiesFactory::instance()->cloneEntity("BAR");
  p->addEntity(meter, true, true);
  meter->setXOffset(-14.0f, false);
  meter->setYOffset(6.0f - yo, false);
  meter->syncWithParentPosition();
  switchPacientFrameset("LYING", false, true, true);
  switchPacientFrameset("ILL3", true, false, false);
  int beds = 0;
  bool allTaken = true;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (CMapEntity_PostelClass *other = dynamic_cast<CMapEntity_PostelClass *>(e)) {
      ++beds;
      if (!other->getOccupant()) allTaken = false;
    }
  if (beds > 0 && allTaken) {
    unsigned bonus = (unsigned)(beds * 100) / (bedsFull + 1);
    ++bedsFull;
    if (lvl) lvl->changeMoney((int)bonus);
    CMapEntity_Game *t = bonusText(350, 300, "BEDS FULL +" + makeString(bonus));
    if (CMapEntity_BonusText *bt = dynamic_cast<CMapEntity_BonusText *>(t)) {
      bt->textRed = 0.8f;
      bt->textGreen = 0.15f;
      bt->textBlue = 0.5f;
    }
  }
  p->synchronizujSrdicka();
  p->cropMeter();
}

void CNapisController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CNapisController::update() {
  if (!entity) return;
  float f = CGlobals::instance()->deltaFactor;
  entity->changeY(-0.5f);
  float a = entity->getAlpha() - 0.005f * f;
  entity->setAlpha(a < 0.0f ? 0.0f : (a > 1.0f ? 1.0f : a), true);
  entity->setZoom(entity->getZoom() + 0.012f * f);
  if (entity->getAlpha() <= 0.0f) killEntity();
}

// Shows the held patient lying in the bed under the pointer, its face as given, until it is
// dropped there or taken away again.
void CPacientController::previewLying(CMapEntity_Game *bed, const char *face) {
  CMapEntity_PacientClass *p = patient();
  posledniAktivita = now();
  float yo = p->kind == 4 ? -7.0f : ((p->kind == 1 || p->kind == 3) ? -8.0f : -9.0f);
  layout(bed, yo);
  p->synchronizujSrdicka();
  switchPacientFrameset("LYING", false, true, true);
  switchPacientFrameset(face, true, false, false);
  previewBed = bed;
  bedPreview = 1;
}
