#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// A floating caption ("BONUSTEXT"): rises, stays opaque for a second of game time, then fades
// out and is killed.
class CBonusTextController : public CCloneable<CBonusTextController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CBonusTextController(const CBonusTextController &other);

  void onBind() override;
  void update() override;
  ~CBonusTextController() override;

  // How long a refusal stays before it fades.
  static constexpr int kWarningMs = 3000;

  float speed = 0.0f;
  Timer *fadeTimer = new Timer(500, false);
  int32_t fading = 0;
};
