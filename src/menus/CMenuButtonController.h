#pragma once

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A menu button's behaviour: it glows under the pointer and, on a left press, clicks and runs
// the kind's action.
class CMenuButtonController : public CCloneable<CMenuButtonController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void specificHandleMessages(KEvent *ev) override;
  void update() override;
  virtual void action() {}

protected:
  int hovered = 0;
};

#define TOB_BUTTON_BEHAVIOUR(Name)                                                                           \
  class Name : public CCloneable<Name, CMenuButtonController> {                                              \
  public:                                                                                                    \
    using CCloneable::CCloneable;                                                                            \
    void action() override;                                                                                  \
  };

TOB_BUTTON_BEHAVIOUR(CMenuButtonContinueController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonOptionsController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonProfilesController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonQuitController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonCreditsController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonMaleController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonFemaleController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonNewGameBackController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonProfileController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonResetProfileController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonAudioController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonVideoController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonAudioBackController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonVideoBackController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonQYesController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonContinueIngameController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonRestartController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonOptionsIngameController)
TOB_BUTTON_BEHAVIOUR(CMenuButtonTomainController)

#undef TOB_BUTTON_BEHAVIOUR

// On the in-game menu it reads "MAIN MENU" and always asks before leaving the day.
class CMenuButtonNewGameController : public CCloneable<CMenuButtonNewGameController, CMenuButtonController> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void action() override;
};

// No (and OK) closes its window a moment after the click, on the real clock so it works over a
// paused day too.
class CMenuButtonQNoController : public CCloneable<CMenuButtonQNoController, CMenuButtonController> {
public:
  using CCloneable::CCloneable;

  void update() override;
  void action() override;

private:
  int closing = 0;
  Timer closeTimer{100, true};
};
