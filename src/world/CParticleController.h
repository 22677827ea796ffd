#pragma once
#include <cstdint>
#include <string>

#include "world/CEntityController.h"

class Timer;

// Moves, fades and kills a particle by its kind: kind 0 rises, sways and grows; kind 2 bursts
// upwards, spins and falls under gravity while it flashes. Both fade after a second of game time.
class CParticleController : public CEntityController {
public:
  CParticleController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                      std::string bindTo);
  CParticleController(const CParticleController &other);

  CParticleController *clone() override;
  void onBind() override;
  void update() override;
  ~CParticleController() override;

  float getX() const;
  float getY() const;

  // Fastest fall, per frame before the frame factor.
  static constexpr float kMaxFall = 3.0f;

  float speedX;
  float spin;
  float speedY;
  Timer *fadeTimer;
  int32_t fading;

private:
  int32_t kind() const;
};
