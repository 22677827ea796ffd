#pragma once
#include <string>

#include "guidance/CTipKit.h"
#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The invisible watchers of the care tips follow the pointer like every tip trigger.
class CCareTipTriggerController : public CEntityController {
public:
  using CEntityController::CEntityController;
  void specificHandleMessages(KEvent *ev) override;

private:
  TPointerFollow pointer;
};

// Holds the first patient at full hearts until it lies in bed, then opens the hearts tour.
class CTipSrdickaTriggerController : public CCloneable<CTipSrdickaTriggerController, CCareTipTriggerController> {
public:
  using CCloneable::CCloneable;
  void update() override;
};

// The hearts tour: 6 s after it opens, an arrow points at the first patient and six pages walk
// its hearts through 4, 2, 1, 3 and 5; the tour closes when the last page has had its time.
class CTipSrdickaController : public CCloneable<CTipSrdickaController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CTipSrdickaController &operator=(const CTipSrdickaController &) = delete;

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  int getRunState() const { return runState; }
  int getPage() const { return page; }
  static const char *pageText(int page);

private:
  TPointerFollow pointer;
  Timer startTimer{6000, false};
  int runState = 0;
  Timer pageTimer{4000, false};
  int page = 0;
};

// Opens the germ tip at the first germ loose on the ward, unless this saved game has seen it, as
// soon as no other bubble stands.
class CTipVirusTriggerController : public CCloneable<CTipVirusTriggerController, CCareTipTriggerController> {
public:
  using CCloneable::CCloneable;
  void update() override;
};

// Points at the spray stand until the player figure holds the spray.
class CTipVirusController : public CCloneable<CTipVirusController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void update() override;
};

// Opens the pressure reminder when a slow-pressure patient comes in (or once another bubble has
// gone), pointing at that patient.
class CRemindPressureTriggerController
    : public CCloneable<CRemindPressureTriggerController, CCareTipTriggerController> {
public:
  using CCloneable::CCloneable;
  void update() override;
};

// Also points at the examination corner; goes after 7.5 s of real time, paused or not.
class CRemindPressureController : public CCloneable<CRemindPressureController, CEntityController> {
public:
  CRemindPressureController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                            std::string bindTo);
  CRemindPressureController(const CRemindPressureController &other);
  CRemindPressureController &operator=(const CRemindPressureController &) = delete;
  ~CRemindPressureController() override;

  void onBind() override;
  void update() override;

private:
  TPointerFollow pointer;
  Timer *life = nullptr;
};
