#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "progress/CShopButtonController.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Fills the shop window with its rows; once a perk is chosen, fades the other perk rows after
// 1800 ms of game time. A perk chosen but not sold is forgotten when the window goes.
class CUpgradeMenuController : public CCloneable<CUpgradeMenuController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CUpgradeMenuController &operator=(const CUpgradeMenuController &) = delete;
  ~CUpgradeMenuController() override;

  void onBind() override;
  void update() override;

  // A perk row was clicked: the others fade once the timer runs out.
  void perkChosen();
  bool getPerkChosen() const { return chosen; }

private:
  bool chosen = false;
  Timer timer{1800, false};
};

// The map's cart icon: glows under the pointer, opens the shop (with the shop tip the first
// time) and closes it again.
class CUpgradeController : public CCloneable<CUpgradeController, CShopButtonController> {
public:
  using CCloneable::CCloneable;

  void update() override;
  void specificHandleMessages(KEvent *ev) override;
};
