#pragma once
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "media/Timer.h"
#include "patients/CPatientArrival.h"
#include "patients/CPatientLeaving.h"
#include "patients/CPatientStay.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"

class CMapEntity;
class CMapEntity_PacientClass;

// The patient's behaviour: it drives the patient through its visit (CMapEntity_PacientClass keeps
// the state) one phase at a time: CPatientArrival from the couch through the desk and the bench
// into bed, CPatientStay the stay in bed and its treatment, CPatientLeaving the runaway and the
// way out with the payment. Each phase keeps its own timers and marks; this class holds what they
// share: the mood tick, the point the patient goes back to, the hearts' pulse and the preview of
// the patient lying in a bed while it is dragged. One prototype per species name.
class CPacientController : public CCloneable<CPacientController, CEntityController> {
public:
  CPacientController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                     std::string bindTo);
  CPacientController(const CPacientController &other);
  CPacientController &operator=(const CPacientController &) = delete;
  // The behaviour of a patient entity; null for any other entity.
  static CPacientController *of(CMapEntity_Game *patient);

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  void chooseColor();
  void sesadPacienta();
  void generujPrach();
  // The named frameset on the patient's head, pyjama hand and body as the flags say.
  void switchPacientFrameset(const std::string &name, bool head, bool hand, bool body);
  static void switchPacientFrameset(CMapEntity_PacientClass *p, const std::string &name, bool head, bool hand,
                                    bool body);
  int getPocetPacientu() const;
  // Starts an outbreak now, as the stay in bed does when its time comes.
  void startOutbreak();

  // What a guide asks of the behaviour (CPatientGuide): the outbreak's wait started again, so
  // that it does not run out; a long wait at the desk for the click the guide teaches.
  void holdOutbreakWait();
  void awaitDeskClick();

  // The cure touch: this patient's outbreak attempts are spaced from gameMs; a sleeping
  // patient's meter was lowered and its bar follows on the next update.
  void spaceOutbreaksFrom(int32_t gameMs);
  void refreshMeterSoon();

  // The mood tick's period; milliseconds since the outbreak's wait began.
  int moodTickPeriod() { return moodTimer.getSpoustec(); }
  int outbreakWaitElapsed() { return stay.outbreakWaitElapsed(); }

  // What an outbreak takes from this patient's mood (negative): at its untreated end, or as the
  // germ cloud another patient coughs.
  float outbreakCost() const;

  // Game-clock ms of the last bed activity of any patient, which paces the ward's outbreaks.
  static int32_t lastActivity() { return pace.lastActivity; }
  // The cure touch puts it ahead: no patient breaks out for want of activity before gameMs.
  static void holdWardOutbreaksUntil(int32_t gameMs) { pace.lastActivity = gameMs; }
  // A new day: nothing of the last one paces its outbreaks (a cure touch may have put the
  // activity ahead of the clock), and the beds-full bonuses start again at their full value.
  static void startDay();

private:
  friend class CPatientArrival;
  friend class CPatientStay;
  friend class CPatientLeaving;
  friend struct TPatientState;

  // Shared by every patient, as only one ward runs at a time: game-clock ms of the last bed
  // activity and of the last outbreak of any patient (differences to them are taken signed, as
  // the cure touch puts the activity ahead of the clock), and the beds-full bonuses paid in the
  // current day, each of which pays less.
  struct TWardPace {
    int32_t lastActivity = 0;
    int32_t lastOutbreak = 0;
    uint32_t bedsFull = 0;
  };
  static TWardPace pace;

  CMapEntity_PacientClass *patient() const;
  CMapEntity_Game *cursor() const;
  CMapEntity *heldByCursor() const;
  // An entity of that class the cursor's action box meets, or null.
  CMapEntity_Game *underCursor(uint32_t cls) const;
  void setHeld(CMapEntity *e);
  void queueAction(CEntityController *c, unsigned short id, int priority);
  int charismaStars() const;
  float difficulty() const;
  void play(const std::string &key);
  void playKind(const char *male, const char *female, const char *child);
  static int now();
  CMapEntity *head() const;

  void moodTick(bool flagLoss);
  bool losingSoon();
  void warnOfLoss(CMapEntity *heartsBar);
  void drag(bool benchOffset);
  void goHome(bool withHand);
  void leaveSeats(unsigned int seatClass);
  void lose(unsigned int seatClass);
  void clearOnKill();
  // Out of the bed: the blanket goes back onto it and the bed lets the patient go.
  void climbOut(CMapEntity_Game *bed);

  // The held patient shown lying in the bed under the pointer, its face as given, until it is
  // dropped there or taken away again; a preview in another bed is taken back first.
  void previewIn(CMapEntity_Game *bed, const char *face);
  bool previewing() const { return bedPreview != 0; }
  bool previewingIn(CMapEntity_Game *bed) const { return bedPreview && previewBed.is(bed); }
  // Lays the patient into the bed with its blanket over it, its head raised by yOffset.
  void layout(CMapEntity_Game *bed, float yOffset);

  // A prototype's mood tick is 3000 ms; a copy, the only kind that runs, ticks every 1500 ms.
  Timer moodTimer{3000, false};
  int16_t homeX = 0;
  int16_t homeY = 0;
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  int32_t heartsPulsing = 0;
  // The mood every half second over the last five (-1: not seen yet), and the warning's blink.
  static const int kMoodSampleMs = 500;
  Timer moodSampleTimer{kMoodSampleMs, false};
  std::array<float, 11> moodSamples = [] {
    std::array<float, 11> none;
    none.fill(-1.0f);
    return none;
  }();
  static const int kWarningBlinkMs = 250;
  static constexpr float kSteadyStep = 0.1f;
  // A steady loss is warned of this long before it takes the last heart: a second to see the
  // badge, and the doctor's walk across the ward after the work already queued.
  static const int kWarningLeadMs = 8000;
  // The mood when the warning came on (-1: off); it stays until the mood rises or stops falling.
  float warnedAt = -1.0f;
  int32_t bedPreview = 0;
  TEntityRef<CMapEntity_Game> previewBed;

  CPatientArrival arrival;
  CPatientStay stay;
  CPatientLeaving leaving;
};
