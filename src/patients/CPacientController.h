#pragma once
#include <cstdint>
#include <cstdlib>
#include <string>

#include "media/CRandom.h"
#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity;
class CMapEntity_PacientClass;
class CMapEntity_FrontaAkci;

// The patient's behaviour: it drives the patient through its visit (CMapEntity_PacientClass keeps
// the state) one phase at a time: CPatientArrival from the couch through the desk and the bench
// into bed, CPatientStay the stay in bed and its treatment, CPatientLeaving the runaway and the
// way out with the payment. This class holds what they share. One prototype per species name.
class CPacientController : public CCloneable<CPacientController, CEntityController> {
public:
  CPacientController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                     std::string bindTo);
  CPacientController(const CPacientController &other);

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  void chooseColor();
  void sesadPacienta();
  void generujPrach();
  // The behaviour of a patient entity; null for any other entity.
  static CPacientController *of(CMapEntity_Game *patient);

  // The named frameset on the patient's head, pyjama hand and body as the flags say.
  void switchPacientFrameset(const std::string &name, bool head, bool hand, bool body);
  static void switchPacientFrameset(CMapEntity_PacientClass *p, const std::string &name, bool head, bool hand,
                                    bool body);
  int getPocetPacientu() const;
  Timer *getPrevlekaciTimer() { return &prevlekaciTimer; }
  Timer *getCekaniTimer() { return &cekaniTimer; }
  // Starts an outbreak now, as the stay in bed does when its time comes.
  void startOutbreak();

  // Game-clock ms of the last bed activity and of the last outbreak of any patient; differences
  // to them are taken signed, as the cure touch puts the activity ahead of the clock. Shared by
  // every patient, as only one ward runs at a time; they pace the outbreaks across the ward.
  static int32_t posledniAktivita;
  static int32_t posledniOutbreak;
  // Beds-full bonuses paid in the current day: each one pays less. The day's customer generator
  // sets it back to 0.
  static uint32_t bedsFull;

  // A prototype's mood and wear ticks are 3000 ms; a copy, the only kind that runs, ticks every
  // 1500 ms.
  Timer moodTimer{3000, false};
  Timer bedWearTimer{3000, false};
  Timer prevlekaciTimer{2500, false};
  Timer cekaniTimer{5000, false};
  Timer payTimer{2000, false};
  Timer bedTimer{3000, false};
  Timer snoreTimer{800, false};
  Timer randomTimer{2000 + CRandom::draw() % 5500, false};
  Timer likeTimer{2000, false};
  Timer drinkTimer{3000, false};
  int16_t homeX = 0;
  int16_t homeY = 0;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  int32_t heartsPulsing = 0;
  int32_t pressureMaxPlayed = 0;
  int32_t cuffClickedNoSeat = 0;
  int32_t bedPreview = 0;
  CMapEntity_Game *previewBed = nullptr;
  int32_t headFlash = 0;
  float headFlashLevel = 0.0f;
  int32_t medicineTaken = 0;
  int32_t outbreakMark = 0;
  int32_t pauseSeen = 0;
  // Set by the cure touch on a sleeping patient: the meter's bar follows on the next update.
  int32_t refreshMeter = 0;
  // The ill face over the head while the patient drinks; carried by the head.
  CMapEntity *fadingHead = nullptr;

private:
  friend class CPatientArrival;
  friend class CPatientStay;
  friend class CPatientLeaving;

  CMapEntity_PacientClass *patient() const;
  CMapEntity_FrontaAkci *queue() const;
  CMapEntity_Game *cursor() const;
  CMapEntity *heldByCursor() const;
  void setHeld(CMapEntity *e);
  void queueAction(CEntityController *c, unsigned short id, int priority);
  int charismaStars() const;
  float difficulty() const;
  void play(const std::string &key);
  void playKind(const char *male, const char *female, const char *child);
  int now() const;
  CMapEntity_Game *bonusText(float x, float y, const std::string &text);
  static void tintCaption(CMapEntity_Game *caption);
  CMapEntity *head() const;

  void moodTick(bool flagLoss);
  void drag(bool benchOffset);
  void goHome(bool withHand);
  void leaveSeats(unsigned int seatClass);
  void lose(unsigned int seatClass);
  void clearOnKill();
  // Out of the bed: the blanket goes back onto it and the bed lets the patient go.
  void climbOut(CMapEntity_Game *bed);
};
