#pragma once
#include <cstdint>

class CMapEntity_Game;
class CMapEntity_PacientClass;
class CPacientController;

// The patient's stay in bed: asleep and lying awake while the meter empties, outbreaks and their
// coughs, the medicine, the gifts, germ clouds and happy notes that reach it, a broken bed, and
// the outbreak pause of the difficulty adjuster.
class CPatientStay {
public:
  explicit CPatientStay(CPacientController &behaviour) : b(behaviour) {}

  void phaseInBed();
  // An outbreak as the illness starts it: counted, pacing the ward, with its sounds and a wait of
  // 6500 ms for the figure.
  void startOutbreak();
  // How a patient in an outbreak looks, whoever started it: sitting up ill, its animation running.
  static void showOutbreak(CMapEntity_PacientClass *patient);
  void pauseBookkeeping();

private:
  void bedReactions();
  void bedStay();
  void sleeping(float speedUp);
  void lying(float speedUp);
  void outbreakAttempt(bool asleep);
  void coughGerms();
  void outbreak();
  void waitingForMedicine();
  void thankingBeforeDrinking();
  void drinking();
  bool pauseWindowHolds() const;
  void meterChange(float d);
  void bedLight(uint32_t id, float alpha, bool pulse);
  CMapEntity_Game *fadingHeadOnHead() const;

  CPacientController &b;
};
