#pragma once

// What the stars bought on the charisma upgrade do to a patient's mood, for every subsystem: the
// factors that scale a computed change and the amounts that some changes take as they stand.
class CCharismaTable {
public:
  enum TAmount {
    // A heart from the pressure measurement or a comfort item.
    kHeartBoost,
    // An untreated outbreak, or a germ cloud coughed by a neighbour.
    kOutbreakPenalty,
    kHappyNotes,
    kFastService,
    // A broken bed's wear tick; the gentle one on the day that asks for it.
    kBrokenBed,
    kBrokenBedGentle,
    kParentsWaiting,
    kParentsVisit,
    // A repaired bed; the same amounts reward chasing the monkey off.
    kRepairedBed,
    kAmountCount
  };

  // The patient behaviour's reading of the stars bought: more than 4 count as 4.
  static int cappedStars(int stars);
  // Everyone else's: stars outside 1 to 4 count as none.
  static int level(int stars);

  // By a row of 0 to 4 as one of the two readings gives it.
  static float gain(int row);
  static float lossDivisor(int row);
  static float amount(TAmount a, int row);
  // A computed change: a gain multiplied, a loss divided by the row's factor.
  static float scaled(float change, int row);
};
