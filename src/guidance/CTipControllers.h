#pragma once
#include <memory>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "guidance/CTipKit.h"

class CMapEntity_PacientClass;

// A game-clock timer a behaviour owns; a copied behaviour gets a fresh one of the same period.
class TTipTimer {
public:
  explicit TTipTimer(int period) : period(period), timer(new Timer(period, false)) {}
  TTipTimer(const TTipTimer &o) : period(o.period), timer(new Timer(o.period, false)) {}
  TTipTimer &operator=(const TTipTimer &) = delete;
  bool udalost() { return timer->udalost(); }

private:
  int period;
  std::unique_ptr<Timer> timer;
};

// What every tip behaviour shares: the pointer it follows and the first day's patient it watches.
class CTipBehaviour : public CEntityController {
public:
  using CEntityController::CEntityController;

protected:
  // The newest patient on the ward, or null.
  CMapEntity_PacientClass *patient() const;
  // Whether the player figure is on the ward and examining a patient; false when no figure is found.
  bool figureKnown(bool &examining) const;
  // Opens the named bubble or trigger at (x, y) and removes this tip: the chain's hand-over.
  void handOver(const char *next, float x, float y);

  TPointerFollow pointer;
};

// A trigger's entity follows the pointer; nothing of it is seen.
class CTipTriggerBehaviour : public CTipBehaviour {
public:
  using CTipBehaviour::CTipBehaviour;
  void specificHandleMessages(KEvent *ev) override;
};

// Opens the registration tip once the first patient sits at an examination chair.
class CTip1TriggerController : public CCloneable<CTip1TriggerController, CTipTriggerBehaviour> {
public:
  using CCloneable::CCloneable;
  void update() override;
};

// Watches the first patient in bed: keeps it happy, sets its bed stay up once, holds its first
// outbreak until the figure examines it, and opens the outbreak tip when it drinks its medicine.
class CTipOutbreakTriggerController : public CCloneable<CTipOutbreakTriggerController, CTipTriggerBehaviour> {
public:
  CTipOutbreakTriggerController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                                std::string bindTo);
  // A copy starts with neither flag.
  CTipOutbreakTriggerController(const CTipOutbreakTriggerController &other);
  void update() override;

  bool bedSeen = false;
  bool holdOutbreak = false;
};

// Opens the jester tip on his first visit of the profile, as he comes or while he waits.
class CTipClownTriggerController : public CCloneable<CTipClownTriggerController, CTipTriggerBehaviour> {
public:
  using CCloneable::CCloneable;
  void update() override;
};

// Opens the announcer lamp tip 5 s of game time into the day, or once another bubble has gone.
class CTipHlasicTriggerController : public CCloneable<CTipHlasicTriggerController, CTipTriggerBehaviour> {
public:
  using CCloneable::CCloneable;
  void update() override;

private:
  TTipTimer delay{5000};
  bool due = false;
};

// Registration: points at the desk and keeps the patient at four hearts until the gauge is done.
class CTip1Controller : public CCloneable<CTip1Controller, CTipBehaviour> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void update() override;
};

// Waits for the patient to leave the chair, then watches it in bed.
class CTip2Controller : public CCloneable<CTip2Controller, CTipBehaviour> {
public:
  using CCloneable::CCloneable;
  void update() override;
};

// After 8 s of game time puts the patient, still in bed, into a second outbreak.
class CTipOutbreakController : public CCloneable<CTipOutbreakController, CTipBehaviour> {
public:
  using CCloneable::CCloneable;
  void specificHandleMessages(KEvent *ev) override { pointer.follow(ev); }
  void update() override;

  bool outbreakDue = false;

private:
  TTipTimer delay{8000};
};

// Holds the second outbreak until the figure has examined the coughing patient, then hands over
// to the hearts tip.
class CTipOutbreak2Controller : public CCloneable<CTipOutbreak2Controller, CTipBehaviour> {
public:
  using CCloneable::CCloneable;
  void specificHandleMessages(KEvent *ev) override { pointer.follow(ev); }
  void update() override;
};

// Points at the jester until he walks out.
class CTipClownController : public CCloneable<CTipClownController, CTipBehaviour> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void update() override;
};

// Points at the announcer lamp for 6 s of game time.
class CTipHlasicController : public CCloneable<CTipHlasicController, CTipBehaviour> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void update() override;

private:
  TTipTimer life{6000};
};
