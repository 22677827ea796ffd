#pragma once
#include <cstdint>
#include <vector>

#include "media/Timer.h"

class CMapEntity_Game;
class CPacientController;

// What the colour choice looks at.
struct TColourInputs {
  int maxColors = -1;
  int moneyGoal = 0;
  int money = 0;
  // Elapsed part of the day, 0..1.
  float elapsed = 0.0f;
  // Sum over the patients present of (int)(money x 150 x mood).
  int expectedPayout = 0;
  bool luck = false;
  std::vector<uint16_t> freeBedColours;
  std::vector<uint16_t> allBedColours;
};
// The colour a patient gets, drawing with rnd (the game draws with CRandom::draw).
uint16_t pickColour(const TColourInputs &in, int (*rnd)());

// The patient's way in: waiting on the couch, dragged onto a desk chair, its pressure taken, its
// colour given, changed into pyjamas on the bench, and dragged from there into a bed.
class CPatientArrival {
public:
  explicit CPatientArrival(CPacientController &behaviour) : b(behaviour) {}
  // The part of a new behaviour: the marks copied, the timer started afresh.
  CPatientArrival(CPacientController &behaviour, const CPatientArrival &other);
  CPatientArrival(const CPatientArrival &) = delete;
  CPatientArrival &operator=(const CPatientArrival &) = delete;

  void phaseArrived();
  void phaseAtDesk();
  // A click on the patient at the desk: before the gauge is full it earns nothing, and says so;
  // that press stays refused while the button is held, even once the gauge blinks.
  void clickedAtDesk();
  void phaseOnBench();
  void chooseColor();
  void generujPrach();
  // Asked by a lesson teaching the click at the desk: once the gauge is full she waits up to 50 s
  // for it instead of leaving for the bench 2.5 s later.
  void awaitClick() { prevlekaciTimer.nastavSpoustec(kAwaitedClickMs); }
  // Where the cure meter stands from the patient lying in bed: its right end short of the face.
  static constexpr float kMeterX = -26.0f;

private:
  void moveToBench();
  bool benchHasSeat() const;
  void snapToChair(CMapEntity_Game *chair);
  void setNurse(bool working);
  bool bedSuitable(CMapEntity_Game *bed) const;
  void layIntoBed(CMapEntity_Game *bed);

  static constexpr int kAwaitedClickMs = 50000;

  CPacientController &b;
  // How long the patient stays on the chair once its pressure has peaked.
  Timer prevlekaciTimer{2500, false};
  int32_t pressureMaxPlayed = 0;
  int32_t cuffClickedNoSeat = 0;
  // Set by a press refused before the gauge blinked, until the button is let go.
  int32_t pressRefused = 0;
};
