#pragma once
#include <cstdint>

#include "progress/CShopButtonController.h"
#include "world/CCloneable.h"

// A shop row: follows what the player owns, shows its help bubble under the pointer, and sells a
// perk row on a click; a bought perk row fades out.
class CUpgradeFen1Controller : public CCloneable<CUpgradeFen1Controller, CShopButtonController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;
  void specificHandleMessages(KEvent *ev) override;

private:
  // Star index and BUY button from the player's copy; with `retire`, a full row also goes inactive
  // and leaves the window's basket.
  void synchronise(bool retire);
};

// A row's BUY button: sells the row's next star.
class CUpgradeOKController : public CCloneable<CUpgradeOKController, CShopButtonController> {
public:
  using CCloneable::CCloneable;

  void update() override;
  void specificHandleMessages(KEvent *ev) override;
};

// Closes whatever carries the button.
class CUpgradeCancelController : public CCloneable<CUpgradeCancelController, CShopButtonController> {
public:
  using CCloneable::CCloneable;

  void update() override;
  void specificHandleMessages(KEvent *ev) override;

private:
  bool closeRequested = false;
};
