#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/TEntityRef.h"

class CMapEntity_PacientClass;
class CPacientController;

// The patient's stay in bed: asleep and lying awake while the meter empties, outbreaks and their
// coughs, the medicine, the gifts, germ clouds and happy notes that reach it, a broken bed, and
// the outbreak pause of the difficulty adjuster.
class CPatientStay {
public:
  explicit CPatientStay(CPacientController &behaviour);
  // The part of a new behaviour: the marks copied, the timers started afresh.
  CPatientStay(CPacientController &behaviour, const CPatientStay &other);
  CPatientStay(const CPatientStay &) = delete;
  CPatientStay &operator=(const CPatientStay &) = delete;

  void phaseInBed();
  // How long an outbreak waits for the figure before it ends untreated (game ms).
  static const int32_t kOutbreakWaitMs = 6500;
  // An outbreak as the illness starts it: counted, pacing the ward, with its sounds and the wait
  // for the figure.
  void startOutbreak();
  // How a patient in an outbreak looks, whoever started it: sitting up ill, its animation running.
  static void showOutbreak(CMapEntity_PacientClass *patient);
  void holdOutbreakWait() { cekaniTimer.reset(); }
  int outbreakWaitElapsed() { return cekaniTimer.vratVteriny(); }
  // Outbreak attempts are spaced from gameMs.
  void spaceOutbreaksFrom(int32_t gameMs) { outbreakMark = gameMs; }
  void refreshMeterSoon() { refreshMeter = 1; }
  // The coughs of an outbreak come at the patient's own period.
  void setCoughPeriod(int ms) { bedTimer.nastavSpoustec(ms); }
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
  // A wearing bed loses health at this pace under its patient.
  static const int kBedWearTickMs = 1500;
  Timer bedWearTimer{kBedWearTickMs, false};
  // The coughs of an outbreak and the sleeper's sounds, at the patient's own period.
  Timer bedTimer{3000, false};
  Timer snoreTimer{800, false};
  Timer randomTimer;
  Timer likeTimer{2000, false};
  Timer drinkTimer{3000, false};
  // An outbreak's wait for the figure.
  Timer cekaniTimer{kOutbreakWaitMs, false};
  int32_t headFlash = 0;
  float headFlashLevel = 0.0f;
  int32_t medicineTaken = 0;
  // Game-clock ms from which the spacing of outbreak attempts is measured.
  int32_t outbreakMark = 0;
  int32_t pauseSeen = 0;
  // Set by the cure touch on a sleeping patient: the meter's bar follows on the next update.
  int32_t refreshMeter = 0;
  // The ill face over the head while the patient drinks; carried by the head.
  TEntityRef<CMapEntity_Game> fadingHead;
};
