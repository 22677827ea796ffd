#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A question window's behaviour: what Yes does, one kind per question. No and the close box only
// dismiss the window.
class CMenuQuestionWindowController : public CCloneable<CMenuQuestionWindowController, CEntityController> {
public:
  using CCloneable::CCloneable;
  virtual void action() {}
};

// On the title screen Yes opens the hero choice; during a day (with the in-game menu) it asks
// about returning to the title screen.
class CMenuQuestionWindowNewGameController
    : public CCloneable<CMenuQuestionWindowNewGameController, CMenuQuestionWindowController> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void action() override;
};

// Yes ends the game; nothing is saved.
class CMenuQuestionWindowQuitController
    : public CCloneable<CMenuQuestionWindowQuitController, CMenuQuestionWindowController> {
public:
  using CCloneable::CCloneable;
  void action() override;
};

// Yes resets the slot whose name box is on the profiles panel and rebuilds the panels.
class CMenuQuestionWindowRemProfileController
    : public CCloneable<CMenuQuestionWindowRemProfileController, CMenuQuestionWindowController> {
public:
  using CCloneable::CCloneable;
  void action() override;
};

// Yes builds the day again from its start, whatever it has earned, and saves it as a replay.
class CMenuQuestionWindowRestartController
    : public CCloneable<CMenuQuestionWindowRestartController, CMenuQuestionWindowController> {
public:
  using CCloneable::CCloneable;
  void action() override;
};

// Yes leaves the world map although something could still be bought: the play button runs the
// fade this starts.
class CMenuQuestionWindowBuyUpgradesController
    : public CCloneable<CMenuQuestionWindowBuyUpgradesController, CMenuQuestionWindowController> {
public:
  using CCloneable::CCloneable;
  void action() override;
};
