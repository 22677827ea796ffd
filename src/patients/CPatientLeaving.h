#pragma once
#include "media/Timer.h"


class CMapEntity_Game;
class CPacientController;

// What a cured patient pays: money x 150 x mood in single precision, truncated.
int paymentFor(float money, float mood);

// The patient's way out: running away from its bed and being carried back, or leaving it cured or
// given up, paying by its mood or counted as lost.
class CPatientLeaving {
public:
  explicit CPatientLeaving(CPacientController &behaviour) : b(behaviour) {}
  // The part of a new behaviour: its timer starts afresh.
  CPatientLeaving(CPacientController &behaviour, const CPatientLeaving &) : b(behaviour) {}
  CPatientLeaving(const CPatientLeaving &) = delete;
  CPatientLeaving &operator=(const CPatientLeaving &) = delete;

  void runFromBed();
  void phaseRunning();
  void phaseLeaving();
  void phaseGone();

private:
  void capture(CMapEntity_Game *bed);
  void pay();

  CPacientController &b;
  // The tick between leaving the bed and going from the ward (and being counted lost).
  Timer payTimer{2000, false};
};
