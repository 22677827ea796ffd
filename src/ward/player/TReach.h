#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class CMapEntity_Game;

// The kinds of her work, each done at one kind of thing.
enum class TWorkKind : uint8_t {
  kHamper,        // the trolley, for the linen
  kStandEmpty,    // an empty spray stand, for the spray
  kStandFull,     // a spray stand holding the spray
  kUnmadeBed,     // an empty unmade bed
  kDispenser,     // a dispenser's item
  kFloorMedicine, // a bottle on the counter
  kOutbreak,      // her patient coughs
  kMedicineDue,   // her patient waits for its medicine
  kItemWanted,    // her patient, for a drink or toy
  kCureTouch,     // her patient sleeps or waits for medicine, the cure-touch perk on
  kPaying,        // her patient waves the money
  kCabinet,       // the cabinet, for a prescription
  kCount
};

// What the things she touches offer, gathered by the two halves of her work before anything is
// done: for each kind of work the thing it is done at, met this decision. What her hands allow is
// for her work list to say. Judged `here`, a thing counts where she stands at its work spot and,
// for the ward's things, once a click chose it; otherwise the things are a click's targets.
struct TReach {
  bool here = true;
  bool arrived = false; // she stands where an order sent her, and its work is not yet done
  // Her patient's cough ended just before she came: a moment more for the next.
  bool nextCough = false;
  bool germ = false; // a germ the spray in her hand would reach

  void offer(TWorkKind k, CMapEntity_Game *thing) { things[(size_t)k] = thing; }
  CMapEntity_Game *at(TWorkKind k) const { return things[(size_t)k]; }

private:
  CMapEntity_Game *things[(size_t)TWorkKind::kCount] = {};
};

// What her hands hold, as her kinds of work ask it.
struct THands {
  bool free = false;
  bool spray = false, linen = false, prescription = false, medicine = false, treat = false;
  // Someone lies in bed: a second treat has a taker (asked only where a dispenser is within reach).
  bool taker = false;
};

// Whether her hands allow a kind of work at its thing: done, left unsaid (the work is not hers to
// do), refused because both hands are full, or refused in the work's own words.
struct TVerdict {
  enum { kDo, kLeave, kHandsFull, kSay } is;
  std::string words;
};
