#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The ways into and out of the in-game menu during a working day. An open menu pauses the day
// and holds the input together with the status bar's menu button and the keys entity, so that
// each of them can close it again; whenever both in-game panels are gone the pause is over.
class CIngameMenuController : public CCloneable<CIngameMenuController, CEntityController> {
public:
  static constexpr unsigned int kKeysID = 259;
  static constexpr unsigned int kHelpWindowID = 1002;

  using CCloneable::CCloneable;
  void update() override;

  // True while this menu set the pause and has not yet given it back.
  static bool holdsPause();

protected:
  enum class Path { Keys, StatusBar, Deactivated };
  // Either in-game panel is open and not on its way out.
  bool panelOpen() const;
  void open(Path path);
  // Ends the pause, gives every entity its input back.
  void resume();
};

// Space or Escape, on the invisible "KEYSINGAME": open the menu, or remove it (and the options
// panel) at once; a question over the menu holds the input until it is answered. Also opens the menu, silently, when the game window
// loses the focus during a day.
class CKeysIngameController : public CCloneable<CKeysIngameController, CIngameMenuController> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
};

// The status bar's menu button: opens the menu, or fades out whichever in-game panel is open.
class CStatusMenuController : public CCloneable<CStatusMenuController, CIngameMenuController> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

private:
  int hovered = 0;
};
