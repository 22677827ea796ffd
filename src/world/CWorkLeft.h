#pragma once
#include <vector>

class CMapEntity_Game;

// What keeps the ward's day open after closing time: patients still in the ward, beds to make
// and linen in the figure's hands. The level ends the day on it and the CLOSED sign lists it, so
// both read this one count.
struct CWorkLeft {
  int beds = 0;     // unmade beds no patient lies in
  int medicine = 0; // in bed, waiting for medicine: never leaves by itself
  int paying = 0;   // in bed, waiting to pay: never leaves by itself
  int others = 0;   // every other patient in the ward
  bool linen = false;

  static CWorkLeft of(const std::vector<CMapEntity_Game *> &entities);

  int patients() const { return medicine + paying + others; }
  // Beds to make or linen to empty: the summary waits for these even after the last patient.
  bool laundry() const { return beds > 0 || linen; }
  bool dayOpen() const { return patients() > 0 || laundry(); }
};
