#pragma once
#include <cstdint>
#include <deque>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "patients/CPacientController.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"

// Puts a patient into the state a test stages without the play that leads there. Phase and bed
// state go through the patient's own operations along the shortest chain of its moves, so a state
// its visit never reaches cannot be staged: such a staging fails the test.
struct TPatientState {
  using P = CMapEntity_PacientClass;

  static void setPhase(P *p, uint8_t phase) {
    for (uint8_t next : path(p->phase, phase, P::phaseMoveAllowed, "phase")) enterPhase(p, next);
  }
  // Through the stay's own moves, or a guide's outbreak where the stay has none.
  static void setBedState(P *p, uint8_t state) {
    std::vector<uint8_t> chain = path(p->bedState, state, withinStay, nullptr);
    if (chain.empty() && p->bedState != state) chain = path(p->bedState, state, withGuide, "bed state");
    for (uint8_t next : chain) enterBedState(p, next);
  }
  // Laid into that bed, then on through the stay to that bed state.
  static void inBed(P *p, CMapEntity_Game *bed, uint8_t state) {
    p->bed = bed;
    setPhase(p, kPhaseInBed);
    setBedState(p, state);
  }
  // The mood, the hearts following it.
  static void setMood(P *p, float mood) { p->holdMood(mood); }
  static void setMeterFull(P *p, float meter) { p->fillMeter(meter); }
  // Outbreaks treated until the count reaches count.
  static void setOutbreakCount(P *p, float count) {
    while (p->getOutbreakCount() < count) p->countTreatedOutbreak();
  }
  // Values the species file sets.
  static void setColorBonus(P *p, float bonus) { p->colorBonus = bonus; }
  static void setFastService(P *p, float pay) { p->fastService = pay; }

  // When its last outbreak ended untreated.
  static void setMissedOutbreakAt(P *p, int32_t gameMs) { p->outbreakMissedAt = gameMs; }
  // The outbreak clock's period (the species file's "outbreaktimer" for a new copy).
  static void setOutbreakPeriod(P *p, int ms) { p->outbreakClock.nastavSpoustec(ms); }

  // The ward's outbreak pacing: the last bed activity and the last outbreak of any patient, and
  // the time one patient's outbreak attempts are spaced from.
  static void setLastActivity(int32_t gameMs) { CPacientController::pace.lastActivity = gameMs; }
  static void setLastOutbreak(int32_t gameMs) { CPacientController::pace.lastOutbreak = gameMs; }
  static void setOutbreakMark(P *p, int32_t gameMs) {
    if (CPacientController *c = CPacientController::of(p)) c->spaceOutbreaksFrom(gameMs);
  }

  // A run of same-colour patients in the bed, as its multiplier counts them.
  static void setBedRun(CMapEntity_PostelClass *bed, uint16_t multiplier) { bed->bonusMultiplier = multiplier; }

private:
  static void enterPhase(P *p, uint8_t next) {
    switch (next) {
    case kPhaseOnChair: return p->sitDown(p->getChair());
    case kPhaseOnCouch: return p->moveToBench();
    case kPhaseInBed:
      if (p->phase == kPhaseOnCouch) return p->lieDown(p->getBedLink());
      if (p->phase == kPhaseRunning) return p->carriedBack();
      return p->letGo();
    case kPhaseRunning: return p->runAway();
    case kPhaseHeld: return p->beHeld();
    case kPhasePaid: return p->startLeaving();
    case kPhaseGone: return p->walkOut();
    default: ADD_FAILURE() << "no operation enters phase " << (int)next;
    }
  }
  static void enterBedState(P *p, uint8_t next) {
    if (!P::bedMoveAllowed(p->bedState, next, P::kWithinStay)) return p->forceOutbreak();
    switch (next) {
    case kBedSleeping: return p->fallAsleep();
    case kBedLying: return p->lieAwake();
    case kBedOutbreak: return p->breakOut();
    case kBedWaitingMedicine: return p->awaitMedicine();
    case kBedFastService: return p->thankForFastService();
    case kBedTakingMedicine: return p->drinkMedicine();
    case kBedGivingMoney: return p->readyToPay();
    default: ADD_FAILURE() << "no operation enters bed state " << (int)next;
    }
  }
  static bool withinStay(uint8_t from, uint8_t to) { return P::bedMoveAllowed(from, to, P::kWithinStay); }
  static bool withGuide(uint8_t from, uint8_t to) {
    return withinStay(from, to) || P::bedMoveAllowed(from, to, P::kByGuide);
  }

  // The shortest chain of allowed moves from one value to another, without the first; empty,
  // and a failure when what is named, if there is none.
  static std::vector<uint8_t> path(uint8_t from, uint8_t to, bool (*allowed)(uint8_t, uint8_t), const char *what) {
    std::map<uint8_t, uint8_t> cameFrom{{from, from}};
    std::deque<uint8_t> open{from};
    while (!open.empty() && !cameFrom.count(to)) {
      uint8_t at = open.front();
      open.pop_front();
      for (unsigned next = 0; next < 32; ++next)
        if (!cameFrom.count((uint8_t)next) && allowed(at, (uint8_t)next)) {
          cameFrom[(uint8_t)next] = at;
          open.push_back((uint8_t)next);
        }
    }
    std::vector<uint8_t> out;
    if (!cameFrom.count(to)) {
      if (what) ADD_FAILURE() << "no patient reaches " << what << " " << (int)to << " from " << (int)from;
      return out;
    }
    for (uint8_t at = to; at != from; at = cameFrom[at]) out.insert(out.begin(), at);
    return out;
  }
};
