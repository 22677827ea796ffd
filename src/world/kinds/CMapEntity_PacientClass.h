#pragma once
#include <cstdint>
#include <string>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

class KGraphic;
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

// The sounds a species plays, set from the variables file.
struct TPatientSounds {
  std::string exitAngry1 = "LEVELDONE";
  std::string exitAngry2 = "LEVELDONE";
  std::string exitHappy1 = "LEVELDONE";
  std::string exitHappy2 = "LEVELDONE";
  std::string meds1 = "LEVELDONE";
  std::string meds2 = "LEVELDONE";
  std::string panic1 = "LEVELDONE";
  std::string panic2 = "LEVELDONE";
};

// Every patient on the ward (`kPatientClass`). Its state, where it is in its visit and in bed, its mood
// and its recovery, changes only through the operations below; the patient behaviour drives
// them, the figure, the guides and the entertainers call the few that are theirs. A prototype
// carries nothing; a copy (clone) carries its head (`kHeadClass`), pyjama hand (`kHandClass`)
// and hearts bar (`kHeartsID`) and starts fully transparent for its behaviour to fade in.
class CMapEntity_PacientClass : public CCloneable<CMapEntity_PacientClass, CMapEntity_Game> {
public:
  static const uint16_t kHeadClass = 10;
  static const uint16_t kHandClass = 26;
  static const uint16_t kHandID = 196;
  static const uint16_t kHeartsID = 92;
  static const uint16_t kMeterID = 19;
  // Where the hearts bar stands across from the patient's origin: right of the head, or left of it
  // while seated.
  static constexpr float kHeartsBeside = 48.0f;
  static constexpr float kHeartsSeated = -12.0f;

  CMapEntity_PacientClass(unsigned short x, unsigned short y, bool solid);
  CMapEntity_PacientClass(const CMapEntity_PacientClass &other);
  ~CMapEntity_PacientClass() override;

  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  // With the pyjamas it changes into on the bench.
  void collectPictures(std::vector<unsigned int> &out) const override;
  void zapniAnimace() override;

  // The kind's sprite prefix ("MAN", "WOMAN", "BMAN", "BWOMAN", "DITE"); empty past the table.
  static const char *kindName(uint16_t kind);
  // Face and hearts band names for a mood; null when the mood lies outside 0..1.
  static const char *faceFor(float mood);
  static const char *heartsFor(float mood);
  // Whole hearts a mood is worth, 0 to 5.
  static int heartCount(float mood);

  // ---- The visit: arrived (on the couch) -> on the desk chair -> on the bench -> in bed ->
  // set off (paid, or given up with no mood left) -> on its way out; from bed it may run away and
  // be carried back, and whatever holds it (the monkey) holds it in its current phase. Every
  // operation moves the phase and the bed state through movePhase and moveBedState, which know
  // the moves a visit makes; any other move is a logic error.
  TPatientPhase getPhase() const { return phase; }
  // Registration: on the desk chair while its pressure is taken.
  void sitDown(CMapEntity_Game *chair);
  // Changed into pyjamas, off the chair, waiting on the bench.
  void moveToBench();
  // Laid into the bed, asleep at first.
  void lieDown(CMapEntity_Game *bed);
  // Out of the bed, running down the screen; the bed link stays for the way back.
  void runAway();
  // Back in its own bed, lying awake.
  void carriedBack();
  // Held in place while the tormentor rides it; let go into the phase it had before.
  void beHeld();
  void letGo();
  // Sent home by the figure once it has paid, or given up in bed with no mood left.
  void startLeaving();
  void walkOut();

  // ---- In bed: asleep -> lying awake -> outbreak -> waiting for medicine -> (thanks for fast
  // service) -> taking medicine -> lying awake ...; cured, it gives its money.
  TPatientBedState getBedState() const { return bedState; }
  // Back to sleep; from an outbreak that means nobody examined it in time, which it notes.
  void fallAsleep();
  // True once per missed outbreak, when it ended untreated at game time `since` or later.
  bool takeMissedOutbreakSince(int32_t since);
  // Whether an outbreak ended untreated at `since` or later, answered or not.
  bool missedOutbreakSince(int32_t since) const { return outbreakMissedAt >= since; }
  void lieAwake();
  // The outbreak the illness starts marks the patient and starts the fast-service time; a
  // guide's forced one does neither, and may come whatever the patient was doing.
  void breakOut();
  void forceOutbreak();
  void markOutbreak() { outbreakFlag = 1; }
  // The figure has examined it: the prescription is on its way.
  void awaitMedicine();
  // The medicine taken: thanks first when it came within the wait the figure set.
  void thankForFastService();
  void drinkMedicine();
  // The cure-touch perk ends the outbreak at once and starts a new fast-service period.
  void healByTouch();
  void readyToPay();
  float getOutbreakCount() const { return outbreakCount; }
  float getOutbreakMaxCount() const { return outbreakMaxCount; }
  // An outbreak the figure answered counts towards the patient's limit.
  void countTreatedOutbreak() { outbreakCount += 1.0f; }
  int32_t getCoughCount() const { return coughCount; }
  int32_t getMaxCoughCount() const { return maxCoughCount; }
  void countCough() { ++coughCount; }

  // ---- Mood and hearts.
  float getMood() const { return mood; }
  int32_t getHearts() const { return hearts; }
  int32_t getHeartsBefore() const { return heartsBefore; }
  // Every mood change of every subsystem: the mood moves by change and stays in 0..1, the hearts
  // follow it (the old count kept as the count before) and so does the hearts bar, when carried.
  // A change that the charisma upgrade scales comes through CCharismaTable::scaled.
  void changeMood(float change);
  // Sets the mood as given, the hearts following it (the old count kept as the count before),
  // leaving the hearts bar as it is: what the guides use to keep a patient's mood where their
  // lesson needs it.
  void holdMood(float mood);

  // ---- Recovery: the meter empties as the patient gets better.
  float getMeterFull() const { return meterFull; }
  // Moves the meter, held in 0..1, and shows it.
  void changeMeter(float change);
  void fillMeter(float level);
  float getRecoverySpeed() const { return recoverySpeed; }
  void setRecoverySpeed(float speed) { recoverySpeed = speed; }

  // ---- What the species and the variables file set.
  uint16_t getColour() const { return colour; }
  uint16_t getKind() const { return kind; }
  void setKind(uint16_t k) { kind = k; }
  float getMoney() const { return money; }
  void setMoney(float m) { money = m; }
  float getPatience() const { return patience; }
  void setPatience(float p) { patience = p; }
  float getPressureSpeed() const { return pressureSpeed; }
  void setPressureSpeed(float speed) { pressureSpeed = speed; }
  float getColorBonus() const { return colorBonus; }
  float getFastService() const { return fastService; }
  const std::string &getDiseaseName() const { return diseaseName; }
  void setDiseaseName(const std::string &name) { diseaseName = name; }
  const TPatientSounds &getSounds() const { return sounds; }
  int32_t getCoughKind() const { return coughKind; }
  int32_t getCoughPeriod() const { return coughPeriod; }
  // A zero keeps what the patient has.
  void setCough(int32_t kind, int32_t period);
  bool isCelebrity() const { return celebrity != 0; }
  void setCelebrity(bool c) { celebrity = c ? 1 : 0; }
  bool runsAway() const { return runner != 0; }
  void setRunsAway(bool r) { runner = r ? 1 : 0; }
  // While set the patient cannot be left in any bed but the locked ward's, and grows impatient.
  bool bedDropBlocked() const { return dropBlocked != 0; }
  // The difficulty adjuster counts each leaving patient once.
  bool countedForDifficulty() const { return difficultyCounted != 0; }
  void markCountedForDifficulty() { difficultyCounted = 1; }

  // ---- Clocks the behaviour and the figure poll (a poll that finds the time run out restarts it).
  // Time to the next possible outbreak.
  bool outbreakClockRunOut() { return outbreakClock.udalost(); }
  void restartOutbreakClock() { outbreakClock.reset(); }
  // The figure answers an outbreak fast while this time has not run out.
  static const int32_t kFastServiceMs = 3500;
  bool withinFastService() { return !fastServiceTimer.udalost(); }
  int32_t getFastServicePeriod() { return fastServiceTimer.getSpoustec(); }
  // How long the running outbreak has lasted of the wait it gives the figure (game ms), as its
  // behaviour tells it each frame; the ring beside a coughing patient drains with it.
  void showOutbreakWait(int32_t elapsedMs, int32_t waitMs, int32_t fastMs) {
    outbreakElapsed = elapsedMs;
    outbreakWait = waitMs;
    outbreakFast = fastMs;
  }
  int32_t getOutbreakLeft() const { return outbreakWait > outbreakElapsed ? outbreakWait - outbreakElapsed : 0; }
  // The ring's dots, its last seconds and their blink; it is centred on the patient's place, the
  // top left of its picture, beside the head.
  static const int kRingDots = 13;
  static constexpr float kRingRadius = 12.0f;
  static const int32_t kRingLastMs = 2000;
  static const int32_t kRingBlinkMs = 150;
  void outbreakRingCentre(float &cx, float &cy) const;
  // The wait the figure sets when it examines the patient, and whether the medicine came within it.
  void startMedicineWait(int32_t ms);
  bool medicineWithinWait() { return !medicineWaitTimer.udalost(); }
  int32_t getMedicineWait() { return medicineWaitTimer.getSpoustec(); }
  // How long a runner lies in bed before it runs (the species sets it).
  bool runAwayDue() { return runAwayTimer.udalost(); }
  void restartRunAwayClock() { runAwayTimer.reset(); }
  int32_t getRunAwayPeriod() { return runAwayTimer.getSpoustec(); }
  void setRunAwayPeriod(int32_t ms) { runAwayTimer.nastavSpoustec(ms); }

  // Dresses the patient in the pyjamas of its kind.
  void prevlekniSe();
  // Takes a colour of the palette: the body and the pyjama hand are tinted with it.
  void setBarva(uint16_t colour);
  // The head's face, then the hearts bar, from mood.
  void synchronizujNaladu();
  void synchronizujSrdicka();
  // The carried recovery meter shows meterFull; nothing without one.
  void cropMeter();

  // The bed and chair links, forgetting one whose entity is dying or has left the level.
  CMapEntity_Game *getBed();
  CMapEntity_Game *getChair();
  // The bed while the level still lists it, dying or not, for a runaway whose bed may have gone;
  // forgotten on request.
  CMapEntity_Game *getBedLink() const;
  void forgetBed() { bed.clear(); }
  // The character frightening the patient while the level lists it; it sets and clears the link.
  CMapEntity_Game *getTormentor() const;
  void setTormentor(CMapEntity_Game *t) {
    tormentor = t;
    tormentAhead = 0.0f;
  }
  // The mood the tormentor will still take if nobody chases it off, for the patient's warning.
  float getTormentAhead() const { return getTormentor() ? tormentAhead : 0.0f; }
  void setTormentAhead(float m) { tormentAhead = m; }

private:
  friend struct TPatientState;

  void placeHearts(float dx);

  // How a bed state is reached: by the stay itself, by lying down in a bed (the stay starts
  // afresh, whatever the state was before) or by a guide's forced outbreak.
  enum TBedEntry : uint8_t { kWithinStay, kIntoBed, kByGuide };
  static bool phaseMoveAllowed(uint8_t from, uint8_t to);
  static bool bedMoveAllowed(uint8_t from, uint8_t to, TBedEntry how);
  // The one place each of them changes.
  void movePhase(TPatientPhase to);
  void moveBedState(TPatientBedState to, TBedEntry how = kWithinStay);

  void exportVariables();
  void addPyjamaHand();
  void drawOutbreakRing(KGraphic *g) const;

  uint16_t colour = 1;
  uint16_t kind = 0;
  TPatientPhase phase = kPhaseArrived;
  TPatientPhase phaseBeforeHold = kPhaseArrived;
  TPatientBedState bedState = kBedLying;
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
  int32_t runner = 0;
  float meterFull = 0.5f;
  float recoverySpeed = 0.5f;
  float money = 0.5f;
  float patience = 0.02f;
  float mood = 0.65f;
  Timer fastServiceTimer{kFastServiceMs, false};
  Timer medicineWaitTimer{7500, false};
  std::string diseaseName = "Disease";
  int32_t coughPeriod = 3000;
  float tint[3] = {1.0f, 1.0f, 1.0f};
  float pressureSpeed = 0.012f;
  ZSprite *pyjamaSkin = nullptr;
  TPatientSounds sounds;
  int32_t coughCount = 0;
  int32_t maxCoughCount = 1;
  int32_t celebrity = 0;
  Timer runAwayTimer{5000, false};
  Timer outbreakClock;
  // Found again in the running level's list: getChair, getBed, getBedLink, getTormentor.
  TEntityRef<CMapEntity_Game> chair;
  TEntityRef<CMapEntity_Game> bed;
  TEntityRef<CMapEntity_Game> tormentor;
  float tormentAhead = 0.0f;
  int32_t dropBlocked = 0;
  bool outbreakMissed = false;
  // When the last outbreak ended untreated; long before any game time until one has.
  int32_t outbreakMissedAt = INT32_MIN;
  int32_t outbreakElapsed = 0;
  int32_t outbreakWait = 0;
  int32_t outbreakFast = 0;
};
