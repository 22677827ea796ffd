#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A shop row: follows what the player owns, shows its help bubble under the pointer, and sells a
// perk row on a click; a bought perk row fades out.
class CUpgradeFen1Controller : public CCloneable<CUpgradeFen1Controller, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;
  void specificHandleMessages(KEvent *ev) override;

private:
  // Star index and BUY button from the player's copy; with `retire`, a full row also goes inactive
  // and leaves the window's basket.
  void synchronise(bool retire);

  int32_t lastX = -1;
  int32_t lastY = 0;
  bool hovered = false;
};

// A row's BUY button: sells the row's next star.
class CUpgradeOKController : public CCloneable<CUpgradeOKController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void update() override;
  void specificHandleMessages(KEvent *ev) override;

private:
  int32_t lastX = -1;
  int32_t lastY = 0;
  bool hovered = false;
};

// Closes whatever carries the button.
class CUpgradeCancelController : public CCloneable<CUpgradeCancelController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void update() override;
  void specificHandleMessages(KEvent *ev) override;

private:
  int32_t lastX = -1;
  int32_t lastY = 0;
  bool closeRequested = false;
};
