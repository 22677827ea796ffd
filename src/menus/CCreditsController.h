#pragma once

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Runs the credits: a white flash rises, the photograph and the lines appear at its peak and
// scroll up. From the menu they end at the end of the list or by a press held (or repeated) a
// second, fading away; placed by a level they end its comic page instead.
class CCreditsController : public CCloneable<CCreditsController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;

private:
  bool flashRising = true;
  bool ending = false;
  Timer dismissTimer{1000, false};
};

// The publisher's entity does nothing.
class CPublisherLogoController : public CCloneable<CPublisherLogoController, CEntityController> {
public:
  using CCloneable::CCloneable;
};
