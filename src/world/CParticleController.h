#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// Moves, fades and kills a particle by its kind: kind 0 rises, sways and grows; kind 2 bursts
// upwards, spins and falls under gravity while it flashes. Both fade after a second of game time.
class CParticleController : public CCloneable<CParticleController, CEntityController> {
public:
  using CCloneable::CCloneable;
  // Keeps the speeds; a timer of its own, not fading.
  CParticleController(const CParticleController &other);

  void onBind() override;
  void update() override;
  ~CParticleController() override;

  // Fastest fall, per frame before the frame factor.
  static constexpr float kMaxFall = 3.0f;

  float speedX = 0.0f;
  float spin = 0.0f;
  float speedY = 0.0f;
  Timer *fadeTimer = new Timer(1000, false);
  int32_t fading = 0;

private:
  int32_t kind() const;
};
