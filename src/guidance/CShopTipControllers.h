#pragma once
#include <cstdint>

#include "guidance/CTipKit.h"
#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"

// The shop's first-time tour: after 3 s six pages point at the money, the prices, a BUY button
// and a star; at the end the shop gets its focus back and the tour is not shown again. It holds
// the focus meanwhile: a click says so, and the bubble fades while the pointer is over it.
class CTipShopController : public CCloneable<CTipShopController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CTipShopController &operator=(const CTipShopController &) = delete;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  int getPage() const { return page; }
  int getRunState() const { return runState; }

private:
  void enterPage();
  void removeArrow(int slot);
  CMapEntity_Game *freeArrow(float x, float y, bool turned);

  TPointerFollow pointer;
  bool flashing = false;
  Timer startTimer{3000, false};
  int runState = 0;
  Timer pageTimer{4000, false};
  int page = 0;
  TEntityRef<CMapEntity_Game> arrows[5];
  // The shop window's first star of the medicine row.
  TEntityRef<CMapEntity> starDot;
};

// Reminds the player to choose a perk; fades while the pointer is over it (the shop's header and
// close box lie under it) and goes after 8 s of real time.
class CTipShopPerkController : public CCloneable<CTipShopPerkController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CTipShopPerkController &operator=(const CTipShopPerkController &) = delete;

  void onBind() override;
  void update() override;

private:
  TPointerFollow pointer;
  Timer life{8000, true};
};

// Points at the perk icons for 7 s of real time while keeping every patient happy.
class CTipPerkController : public CCloneable<CTipPerkController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CTipPerkController &operator=(const CTipPerkController &) = delete;

  void onBind() override;
  void update() override;

private:
  TPointerFollow pointer;
  Timer life{7000, true};
};

// Raises the perk tip once a run of the program, a second after the day starts.
class CTipPerkTriggerController : public CCloneable<CTipPerkTriggerController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CTipPerkTriggerController &operator=(const CTipPerkTriggerController &) = delete;

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

private:
  TPointerFollow pointer;
  Timer poll{1000, false};
};
