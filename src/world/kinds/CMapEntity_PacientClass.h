#pragma once
#include <cstdint>
#include <string>

#include "world/CMapEntity_Game.h"

class KGraphic;
class Timer;
class ZSprite;

// Where a patient is in its visit.
enum TPatientPhase : uint8_t {
  kPhaseArrived = 0,
  kPhaseOnChair = 1,
  kPhaseOnCouch = 2,
  kPhaseInBed = 3,
  kPhaseGone = 4,
  kPhasePaid = 5,
  kPhaseRunning = 6,
  kPhaseHeld = 17,
};

// What a patient in bed is doing.
enum TPatientBedState : uint8_t {
  kBedLying = 10,
  kBedOutbreak = 11,
  kBedWaitingMedicine = 12,
  kBedGivingMoney = 13,
  kBedPrescription = 14,
  kBedFastService = 15,
  kBedTakingMedicine = 16,
  kBedSleeping = 19,
};

// Every patient on the ward (class 15). The patient behaviour, the player figure, the beds, the
// chairs, germs, entertainers and the tutorial read and write these fields directly. A prototype
// carries nothing; a copy (clone) carries its head (class 10), pyjama hand (class 26) and hearts
// bar (entity 92) and starts fully transparent for its behaviour to fade in.
class CMapEntity_PacientClass : public CMapEntity_Game {
public:
  static const uint16_t kHeadClass = 10;
  static const uint16_t kHandClass = 26;
  static const uint16_t kHandID = 196;
  static const uint16_t kHeartsID = 92;
  static const uint16_t kMeterID = 19;

  CMapEntity_PacientClass(unsigned short x, unsigned short y, bool solid);
  CMapEntity_PacientClass(const CMapEntity_PacientClass &other);
  ~CMapEntity_PacientClass() override;

  void useMethod() override {}
  void doAction() override {}
  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  // With the pyjamas it changes into on the bench.
  void collectPictures(std::vector<unsigned int> &out) const override;
  void zapniAnimace() override;
  CMapEntity_Game *clone() override { return new CMapEntity_PacientClass(*this); }

  // The kind's sprite prefix ("MAN", "WOMAN", "BMAN", "BWOMAN", "DITE"); empty past the table.
  static const char *kindName(uint16_t kind);
  // Face and hearts band names for a mood; null when the mood lies outside 0..1.
  static const char *faceFor(float mood);
  static const char *heartsFor(float mood);
  // Whole hearts a mood is worth, 0 to 5.
  static int heartCount(float mood);
  // The charisma upgrade (stars owned, 0 to 4): what raises a mood is multiplied by the gain,
  // what lowers it divided by the loss divisor.
  static float charismaGain(int stars);
  static float charismaLoss(int stars);

  // Dresses the patient in the pyjamas of its kind.
  void prevlekniSe();
  // Takes a colour of the palette: the body and the pyjama hand are tinted with it.
  void setBarva(uint16_t colour);
  // The head's face, then the hearts bar, from mood.
  void synchronizujNaladu();
  void synchronizujSrdicka();
  // The carried recovery meter shows meterFull; nothing without one.
  void cropMeter();

  // The bed and chair links, forgetting one whose entity is dying or no longer holds the patient.
  CMapEntity_Game *getBed();
  CMapEntity_Game *getChair();

  uint16_t colour = 1;
  uint16_t kind = 0;
  uint8_t phase = kPhaseArrived;
  uint8_t bedState = kBedLying;
  float outbreakCount = 0.0f;
  float outbreakMaxCount = 2.0f;
  // Period in ms of a copy's outbreakClock.
  float outbreakTimer = 5000.0f;
  float waitTimer = 0.0f;
  int32_t outbreakFlag = 0;
  int32_t coughKind = 0;
  int32_t hearts = 4;
  int32_t heartsBefore = 5;
  float colorBonus = 0.0f;
  float fastService = 0.0f;
  int32_t difficultyCounted = 0;
  int32_t runsAway = 0;
  float meterFull = 0.5f;
  float recoverySpeed = 0.5f;
  float money = 0.5f;
  float patience = 0.02f;
  float mood = 0.65f;
  Timer *fastServiceTimer = nullptr;
  Timer *medicineWaitTimer = nullptr;
  std::string diseaseName = "Disease";
  int32_t coughPeriod = 3000;
  float tint[3] = {1.0f, 1.0f, 1.0f};
  float pressureSpeed = 0.012f;
  ZSprite *pyjamaSkin = nullptr;
  std::string soundExitAngry1 = "LEVELDONE";
  std::string soundExitAngry2 = "LEVELDONE";
  std::string soundExitHappy1 = "LEVELDONE";
  std::string soundExitHappy2 = "LEVELDONE";
  std::string soundMeds1 = "LEVELDONE";
  std::string soundMeds2 = "LEVELDONE";
  std::string soundPanic1 = "LEVELDONE";
  std::string soundPanic2 = "LEVELDONE";
  int32_t coughCount = 0;
  int32_t maxCoughCount = 1;
  int32_t celebrity = 0;
  Timer *runAwayTimer = nullptr;
  // Time to the next possible outbreak.
  Timer *outbreakClock = nullptr;
  // Not owned. Use getChair/getBed to follow them.
  CMapEntity_Game *chair = nullptr;
  CMapEntity_Game *bed = nullptr;
  // Not owned: the character frightening the patient; it sets and clears the link itself.
  CMapEntity_Game *tormentor = nullptr;
  // While set the patient cannot be left in any bed but the locked ward's, and grows impatient.
  int32_t bedDropBlocked = 0;

private:
  void exportVariables();
  void addPyjamaHand();
};
