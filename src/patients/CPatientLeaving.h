#pragma once

class CMapEntity_Game;
class CPacientController;

// What a cured patient pays: money x 150 x mood in single precision, truncated.
int paymentFor(float money, float mood);

// The patient's way out: running away from its bed and being carried back, or leaving it cured or
// given up, paying by its mood or counted as lost.
class CPatientLeaving {
public:
  explicit CPatientLeaving(CPacientController &behaviour) : b(behaviour) {}

  void runFromBed();
  void phaseRunning();
  void phaseLeaving();
  void phaseGone();

private:
  void capture(CMapEntity_Game *bed);

  CPacientController &b;
};
