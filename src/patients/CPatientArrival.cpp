#include "patients/CPatientArrival.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "engine/KInput.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/Frame.h"
#include "media/GameGlobals.h"
#include "media/makeString.h"
#include "patients/CPacientController.h"
#include "patients/CPatientLeaving.h"
#include "world/CCaption.h"
#include "world/CEntityKit.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_GaucClass.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"

namespace {
const unsigned kPaletaSize = sizeof(paleta) / sizeof(paleta[0]);

Frame *frameOf(CMapEntity *e) { return e ? e->looks().getCurrentFrame() : nullptr; }

CMapEntity_GaucClass *firstSeats(CMapEntitiesCollection *c, unsigned cls) {
  return c ? dynamic_cast<CMapEntity_GaucClass *>(c->getFirstEntityByClassID(cls)) : nullptr;
}

void seat(CMapEntity_GaucClass *couch, int k, CMapEntity *p) {
  couch->occupants[(size_t)k] = p;
  TSeatOffset off = (size_t)k < couch->seatOffsets.size() ? couch->seatOffsets[(size_t)k] : TSeatOffset{-1, -1};
  p->setXY(couch->getX() + (float)off.x, couch->getY() + (float)off.y);
}
} // namespace

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

CPatientArrival::CPatientArrival(CPacientController &behaviour, const CPatientArrival &o)
    : b(behaviour), pressureMaxPlayed(o.pressureMaxPlayed), cuffClickedNoSeat(o.cuffClickedNoSeat) {}

void CPatientArrival::phaseArrived() {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity_Game *c = b.cursor();
  bool under = c && (c->hits().isActionCollisionWithEntity(p) || p->hits().isActionCollisionWithEntity(c));
  b.switchPacientFrameset(under ? "ILL2WAITING" : "ILL1", true, false, false);
  if (p->getMood() == 0.0f) {
    b.lose(kCouchClass);
    return;
  }
  b.moodTick(false);
  bool wasHeld = b.heldByCursor() == p;
  b.drag(false);
  std::vector<CMapEntity_Game *> chairs;
  for (CMapEntity_Game *e : *b.collection->getEntitiesPtr())
    if (e->getEntityClassID() == kChairClass && !e->carrying().getParent()) chairs.push_back(e);
  CMapEntity_Game *chairUnder = b.underCursor(kChairClass);
  if (b.heldByCursor() == p && KInput::getLeftButtonState()) {
    for (CMapEntity_Game *ch : chairs) {
      ch->setHighlightOn(true);
      if (ch->getHighlight()) ch->getHighlight()->looks().setVisible(true);
    }
    if (chairUnder && !p->bedDropBlocked()) snapToChair(chairUnder);
    return;
  }
  if (!(wasHeld && b.heldByCursor() == p && !KInput::getLeftButtonState())) return;
  // Dropped.
  b.setHeld(nullptr);
  p->setSortZ(0, false);
  p->dragged = 0;
  for (CMapEntity_Game *ch : chairs) {
    ch->setHighlightOn(false);
    if (ch->getHighlight()) ch->getHighlight()->looks().setVisible(false);
  }
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(chairUnder);
  if (!chair || chair->occupant.in(b.collection) || !benchHasSeat()) {
    b.goHome(false);
    return;
  }
  CMapEntity_Tlakomer *gauge = chair->gauge.in(b.collection);
  if (!gauge) {
    CLogger::instance()->log("Chair " + chair->name + " has no pressure gauge: " + p->name + " goes back");
    b.goHome(false);
    return;
  }
  b.queueAction(&b, 2, 0);
  chair->occupant = p;
  snapToChair(chair);
  p->sitDown(chair);
  b.leaveSeats(kCouchClass);
  b.switchPacientFrameset("ILL1", true, false, false);
  if (chairs.size() > 1) {
    bool all = true;
    for (CMapEntity_Game *ch : chairs)
      if (CMapEntity_DiagnosticTool *t = dynamic_cast<CMapEntity_DiagnosticTool *>(ch))
        if (!t->occupant.in(b.collection)) all = false;
    CLevel_Game *lvl = b.currentLevel();
    if (all && lvl) {
      // Every payment shows where it came from: here the chair just taken.
      CCaption::pay(b.collection, lvl, chair->getX() - 30, chair->getY() - 30, "DESK FULL +", 50 * (int)chairs.size(),
                    TCaptionKind::Plain);
    }
  }
  prevlekaciTimer.reset();
  setNurse(true);
  gauge->start(p->getPressureSpeed());
}

void CPatientArrival::phaseAtDesk() {
  CMapEntity_PacientClass *p = b.patient();
  b.moodTimer.udalost();
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(p->getChair());
  CMapEntity_Tlakomer *gauge = chair ? chair->gauge.in(b.collection) : nullptr;
  if (!gauge) return;
  if (gauge->full && !pressureMaxPlayed) {
    b.play("PRESSUREMAX");
    pressureMaxPlayed = 1;
    prevlekaciTimer.reset();
  }
  CMapEntity_Game *c = b.cursor();
  bool under = c && (c->hits().isActionCollisionWithEntity(p) || p->hits().isActionCollisionWithEntity(c));
  if (!KInput::getLeftButtonState()) pressRefused = 0;
  if (under && KInput::getLeftButtonState() && !pressRefused && p->getFocus() && gauge->full) {
    b.play("CUSTOMER_CUFF_GOOD");
    entitykit::heartBeside(b.collection, p);
    p->changeMood(CCharismaTable::amount(CCharismaTable::kHeartBoost, b.charismaStars()));
    gauge->setStav(0.0f);
    setNurse(false);
    if (firstSeats(b.collection, kBenchClass)) {
      if (benchHasSeat()) moveToBench();
      else cuffClickedNoSeat = 1;
    }
    b.homeX = (int16_t)p->getX();
    b.homeY = (int16_t)p->getY();
    return;
  }
  if (prevlekaciTimer.udalost() && pressureMaxPlayed && p->getChair()) {
    gauge->setStav(0.0f);
    setNurse(false);
    if (benchHasSeat()) {
      moveToBench();
      b.play(cuffClickedNoSeat ? "CUSTOMER_CUFF_GOOD" : "CUSTOMER_CUFF_BAD");
      cuffClickedNoSeat = 0;
    }
    b.homeX = (int16_t)p->getX();
    b.homeY = (int16_t)p->getY();
  }
}

void CPatientArrival::clickedAtDesk() {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(p->getChair());
  CMapEntity_Tlakomer *gauge = chair ? chair->gauge.in(b.collection) : nullptr;
  if (!gauge || !gauge->running || !p->getFocus()) return;
  pressRefused = 1;
  entitykit::refuse(b.collection, p->getX() - 60.0f, p->getY() - 50.0f, "Wait for the gauge to blink!");
}

void CPatientArrival::moveToBench() {
  CMapEntity_PacientClass *p = b.patient();
  if (CMapEntity_DiagnosticTool *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(p->getChair())) chair->occupant.clear();
  p->moveToBench();
  // The diagnosis is news, not money: blue, apart from the gold and pink of the payments.
  CCaption::show(b.collection, p->getX() - 60, p->getY(), p->getDiseaseName(), TCaptionKind::Diagnosis);
  chooseColor();
  p->prevlekniSe();
  CMapEntity_GaucClass *bench = firstSeats(b.collection, kBenchClass);
  int k = bench ? bench->freeSeat() : -1;
  if (k >= 0) {
    seat(bench, k, p);
    if (p->getKind() == 4) p->setXY(p->getX(), bench->getY() + 40);
  }
  generujPrach();
}

void CPatientArrival::chooseColor() {
  CMapEntity_PacientClass *p = b.patient();
  TColourInputs in;
  CLevel_Game *lvl = b.currentLevel();
  if (lvl) {
    in.maxColors = lvl->getMaxColors();
    in.moneyGoal = lvl->getMoneyLimit();
    in.money = lvl->getMoney();
    in.elapsed = lvl->getTimeLeftPercent();
  }
  for (CMapEntity_Game *e : *b.collection->getEntitiesPtr()) {
    if (CMapEntity_PacientClass *other = dynamic_cast<CMapEntity_PacientClass *>(e))
      in.expectedPayout += paymentFor(other->getMoney(), other->getMood());
    if (CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(e)) {
      in.allBedColours.push_back(bed->getColour());
      if (!bed->getOccupant()) in.freeBedColours.push_back(bed->getColour());
    }
  }
  if (CMapEntity_Game *bar = b.collection->getEntityByID(kStatusBarID))
    if (CMapEntity *icon = bar->getContainedEntity(kLuckIconID))
      if (CMapEntity_PerkIconClass *luck = dynamic_cast<CMapEntity_PerkIconClass *>(icon)) in.luck = luck->active != 0;
  p->setBarva(pickColour(in, CRandom::draw));
}

void CPatientArrival::generujPrach() {
  CMapEntity_PacientClass *p = b.patient();
  static const float offs[8][2] = {{0, 20}, {25, 20}, {10, 15}, {35, 30}, {-10, 45}, {25, 45}, {10, 55}, {35, 60}};
  uint16_t c = p->getColour() < kPaletaSize ? p->getColour() : 0;
  for (const auto &o : offs) {
    CMapEntity_Game *puff = CMapEntitiesFactory::instance()->cloneEntity("PRACH");
    puff->setRGB(paleta[c][0], paleta[c][1], paleta[c][2], true);
    puff->setXY(p->getX() + o[0], p->getY() + o[1]);
    b.collection->addEntity(puff);
  }
}

bool CPatientArrival::benchHasSeat() const {
  CMapEntity_GaucClass *bench = firstSeats(b.collection, kBenchClass);
  return bench && bench->freeSeat() >= 0;
}

void CPatientArrival::snapToChair(CMapEntity_Game *chair) {
  CMapEntity_PacientClass *p = b.patient();
  Frame *cf = frameOf(chair), *pf = frameOf(p);
  if (!cf || !pf) return;
  Rect cb = cf->getBoundingBox(), pb = pf->getBoundingBox();
  p->setXY((float)((int)(chair->getX() + (float)cb.x) - pb.w / 2 + cb.w / 2),
           chair->getY() + (float)cb.y + (float)(cb.h / 2) - (float)pb.h);
}

void CPatientArrival::setNurse(bool working) {
  CMapEntity_Game *nurse = b.collection ? b.collection->getEntityByID(kNurseID) : nullptr;
  if (!nurse) return;
  nurse->changeFrameset(working ? "AKTIVNI" : "FRAMESET1");
  if (working) nurse->zapniAnimace();
  else nurse->vypniAnimace();
}

void CPatientArrival::phaseOnBench() {
  CMapEntity_PacientClass *p = b.patient();
  if (p->getMood() == 0.0f) {
    if (b.previewing()) b.sesadPacienta();
    b.lose(kBenchClass);
    return;
  }
  b.moodTick(true);
  bool wasHeld = b.heldByCursor() == p;
  b.drag(true);
  CMapEntity_Game *bedUnder = b.underCursor(kBedClass);
  if (b.heldByCursor() == p && KInput::getLeftButtonState()) {
    if (bedUnder && bedSuitable(bedUnder)) b.previewIn(bedUnder, "ILL3");
    else if (b.previewing()) b.sesadPacienta();
  } else if (wasHeld && !KInput::getLeftButtonState()) {
    b.setHeld(nullptr);
    p->setSortZ(0, false);
    CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(bedUnder);
    float a = bed ? bed->looks().getAlpha() : 0.0f;
    bool ok = bed && !bed->isOccupied() && !bed->isLocked() && bed->isMadeUp() && (a == -1.0f || a == 1.0f) &&
              b.previewingIn(bed) && (!p->bedDropBlocked() || bed->getEntityID() == kLockedBedID);
    if (ok) {
      layIntoBed(bed);
    } else {
      if (b.previewing()) b.sesadPacienta();
      b.goHome(true);
      // Only a lesson shuts a bed; the arrow it shows points at the bed to use.
      if (bed && bed->isLocked())
        entitykit::refuse(b.collection, bed->getX() + 10.0f, bed->getY() + 30.0f, "Not this bed: follow the arrow!");
    }
  }
  if (p->getPhase() == kPhaseOnCouch) p->dragged = 0;
}

bool CPatientArrival::bedSuitable(CMapEntity_Game *target) const {
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(target);
  if (!bed || bed->isLocked() || bed->isOccupied() || !bed->isMadeUp()) return false;
  CMapEntity *lying = bed->getContainedEntityClass(kPatientClass);
  return !lying || lying == b.entity;
}

void CPatientArrival::layIntoBed(CMapEntity_Game *target) {
  CMapEntity_PacientClass *p = b.patient();
  CMapEntity_PostelClass *bed = static_cast<CMapEntity_PostelClass *>(target);
  b.sesadPacienta();
  b.queueAction(&b, 2, 0);
  p->setMouseClick(true);
  p->setMouseDrag(false);
  bool match = bed->getColour() == p->getColour();
  uint16_t counter = bed->ulozPacienta(p, p->getColour());
  CLevel_Game *lvl = b.currentLevel();
  if (match) {
    // The caption shows what the money gets: the whole part of the bonus.
    int paid = (int)((float)counter * p->getColorBonus());
    // A bed's run starts at 1, so a match makes it at least 2.
    const float bedX = bed->getX(), bedY = bed->getY() - 25;
    static const float kWhite[3] = {1.0f, 1.0f, 1.0f};
    const float *tint = p->getColour() < kPaletaSize ? paleta[p->getColour()] : kWhite;
    const int run = counter > 1 ? counter : 0;
    CCaption::payRun(b.collection, lvl, run ? bedX - 20 : bedX, bedY, "COLOR BONUS +", paid, run, tint);
  }
  b.leaveSeats(kBenchClass);
  generujPrach();
  b.play("RECOLOR");
  bool even = CRandom::draw() % 2 == 0;
  if (p->getKind() == 0) b.play(even ? "MALE_SLEEP1" : "MALE_SLEEP2");
  else if (p->getKind() == 1) b.play(even ? "FEMALE_SLEEP1" : "FEMALE_SLEEP2");
  else if (p->getKind() == 4) b.play(even ? "CHILD_SLEEP1" : "CHILD_SLEEP2");
  b.spaceOutbreaksFrom(b.now() + ((lvl && lvl->closed()) ? 3000 : 0));
  CPacientController::pace.lastActivity = b.now();
  float yo = p->getKind() == 4 ? -7.0f : -10.0f;
  b.layout(bed, yo);
  p->lieDown(bed);
  CMapEntity_Game *meter = CMapEntitiesFactory::instance()->cloneEntity("BAR");
  p->addEntity(meter, true, true);
  // At the bed's head left of the face, and in front of the head, so that no hair hides it.
  meter->setXOffset(kMeterX, false);
  meter->setYOffset(6.0f - yo, false);
  meter->setSortZ(6, false);
  meter->syncWithParentPosition();
  b.switchPacientFrameset("LYING", false, true, true);
  b.switchPacientFrameset("ILL3", true, false, false);
  int beds = 0;
  bool allTaken = true;
  for (CMapEntity_Game *e : *b.collection->getEntitiesPtr())
    if (CMapEntity_PostelClass *other = dynamic_cast<CMapEntity_PostelClass *>(e)) {
      ++beds;
      if (!other->getOccupant()) allTaken = false;
    }
  if (beds > 0 && allTaken) {
    unsigned bonus = (unsigned)(beds * 100) / (CPacientController::pace.bedsFull + 1);
    ++CPacientController::pace.bedsFull;
    CCaption::pay(b.collection, lvl, 350, 300, "BEDS FULL +", (int)bonus);
  }
  p->synchronizujSrdicka();
  p->cropMeter();
}
