#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CEntityController.h"

class CMapEntity;
class CMapEntity_PacientClass;
class CMapEntity_GaucClass;
class CMapEntity_FrontaAkci;
class Timer;

// How a mood change lands: gains are multiplied and losses divided by the charisma upgrade's
// factor for its stars, the mood stays in 0..1, and the hearts follow it.
float charismaGain(int stars);
float charismaLoss(int stars);
// The fixed gain of a heart boost for the charisma stars.
float heartBoost(int stars);
// Hearts 0..5 shown for a mood.
int heartsForMood(float mood);
// Applies d (scaled unless fixed) and refreshes hearts and the hearts bar.
void applyMoodChange(CMapEntity_PacientClass &p, float d, int charismaStars, bool fixed);

// What a cured patient pays: money x 150 x mood in single precision, truncated.
int paymentFor(float money, float mood);
// The fixed mood amounts of the bed for the charisma stars: an untreated outbreak or a germ
// cloud, happy notes, fast service, and a broken bed's tick (halved on "Day 31").
float outbreakPenalty(int stars);
float happyNotesGain(int stars);
float fastServiceGain(int stars);
float brokenBedPenalty(int stars, bool gentleDay);

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

// The patient's behaviour: arrival on the couch, registration at the desk, the bench, laying into
// bed, its mood and hearts. One prototype per species name.
class CPacientController : public CEntityController {
public:
  CPacientController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                     std::string bindTo);
  CPacientController(const CPacientController &other);
  ~CPacientController() override;

  CEntityController *clone() override { return new CPacientController(*this); }
  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  void chooseColor();
  void sesadPacienta();
  void generujPrach();
  void switchPacientFrameset(const std::string &name, bool head, bool hand, bool body);
  int getPocetPacientu() const;
  Timer *getPrevlekaciTimer() const { return prevlekaciTimer; }
  Timer *getCekaniTimer() const { return cekaniTimer; }
  void checkPlayer() {}
  void checkPult() {}

  // Game-clock ms of the last bed activity and of the last outbreak of any patient; differences
  // to them are taken signed, as the cure touch puts the activity ahead of the clock.
  static int32_t posledniAktivita;
  static int32_t posledniOutbreak;
  // Beds-full bonuses paid in the current day.
  static uint32_t bedsFull;

  Timer *moodTimer = nullptr;
  Timer *bedWearTimer = nullptr;
  Timer *prevlekaciTimer = nullptr;
  Timer *cekaniTimer = nullptr;
  Timer *payTimer = nullptr;
  Timer *bedTimer = nullptr;
  Timer *snoreTimer = nullptr;
  Timer *randomTimer = nullptr;
  Timer *likeTimer = nullptr;
  Timer *drinkTimer = nullptr;
  int16_t homeX = 0;
  int16_t homeY = 0;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  int32_t heartsPulsing = 0;
  int32_t pressureMaxPlayed = 0;
  int32_t cuffClickedNoSeat = 0;
  int32_t bedPreview = 0;
  CMapEntity_Game *previewBed = nullptr;
  int32_t fazeBeforeHold = 0;
  int32_t headFlash = 0;
  float headFlashLevel = 0.0f;
  int32_t medicineTaken = 0;
  int32_t outbreakMark = 0;
  int32_t pauseSeen = 0;
  // Set by the cure touch on a sleeping patient: the meter's bar follows on the next update.
  int32_t refreshMeter = 0;
  // The ill face over the head while the patient drinks; carried by the head.
  CMapEntity *fadingHead = nullptr;

  // Fold-in points of the bed work, public for the ward's fakes in tests.
  void startOutbreak();

private:
  void createTimers(int moodMs);
  CMapEntity_PacientClass *patient() const;
  CMapEntity_FrontaAkci *queue() const;
  CMapEntity_Game *cursor() const;
  CMapEntity *heldByCursor() const;
  void setHeld(CMapEntity *e);
  void queueAction(CEntityController *c, unsigned short id, int priority);
  int charismaStars() const;
  float difficulty() const;
  void play(const std::string &key);
  int now() const;
  CMapEntity_Game *level() const;

  void phaseAtDesk();
  void phaseArrived();
  void phaseOnBench();
  void phaseInBed();
  void moodTick(bool flagLoss);
  void lose(unsigned int seatClass);
  void leaveSeats(unsigned int seatClass);
  void moveToBench();
  bool benchHasSeat() const;
  void drag(bool benchOffset);
  void snapToChair(CMapEntity_Game *chair);
  void layout(CMapEntity_Game *bed, float yOffset);
  void previewLying(CMapEntity_Game *bed, const char *face);
  bool bedSuitable(CMapEntity_Game *bed) const;
  void layIntoBed(CMapEntity_Game *bed);
  void goHome(bool withHand);

  // The bed half.
  void bedReactions();
  void bedStay();
  void sleeping(float speedUp);
  void lying(float speedUp);
  void outbreak();
  void waitingForMedicine();
  void thankingBeforeDrinking();
  void drinking();
  void outbreakAttempt(bool asleep);
  bool pauseWindowHolds() const;
  void pauseBookkeeping();
  void meterChange(float d);
  void coughGerms();
  void runFromBed();
  void phaseRunning();
  void capture(CMapEntity_Game *bed);
  void phaseLeaving();
  void phaseGone();
  void clearOnKill();
  void bedLight(uint32_t id, float alpha, bool pulse);
  void playKind(const char *male, const char *female, const char *child);
  CMapEntity *head() const;
  CMapEntity_Game *fadingHeadOnHead() const;
  CMapEntity_Game *bonusText(float x, float y, const std::string &text);
  void setNurse(bool working);
};

// Captions and hearts that rise, grow and fade out, then go.
class CNapisController : public CEntityController {
public:
  using CEntityController::CEntityController;
  CEntityController *clone() override { return new CNapisController(*this); }
  void onBind() override;
  void update() override;
};
