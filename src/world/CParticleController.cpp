#include "world/CParticleController.h"

#include <cmath>
#include <cstdlib>

#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/ZSprite.h"
#include "world/CMapEntity_Particle.h"

namespace {

float draw(int range, int offset, float scale) { return (float)(CRandom::draw() % range + offset) / scale; }

} // namespace

CParticleController::CParticleController(const CParticleController &o)
    : CCloneable(o), speedX(o.speedX), spin(o.spin), speedY(o.speedY) {}

CParticleController::~CParticleController() { delete fadeTimer; }

int32_t CParticleController::kind() const {
  CMapEntity_Particle *p = dynamic_cast<CMapEntity_Particle *>(entity);
  return p ? p->typ : CMapEntity_Particle::kRising;
}

void CParticleController::onBind() {
  if (!entity) return;
  if (kind() == CMapEntity_Particle::kBurst) {
    speedY = -draw(10, 9, 10.0f) - 1.0f;
    speedX = draw(10, 5, 10.0f);
    spin = draw(5, 5, 10.0f);
    if (CRandom::draw() % 2 == 0) speedX = -speedX;
    fadeTimer->nastavSpoustec(1000);
    entity->resetFlash();
    entity->setZoom(draw(7, 4, 10.0f));
    return;
  }
  speedY = draw(10, 5, 10.0f);
  speedY = draw(10, 5, 10.0f);
  fadeTimer->nastavSpoustec(1000);
}

void CParticleController::update() {
  if (!entity) return;
  const float levelSpeed = CGlobals::instance()->speedFactor;
  if (fadeTimer->udalost()) fading = 1;
  if (kind() == CMapEntity_Particle::kBurst) {
    entity->effectFlash(0.04f, 1.0f, true);
    entity->changeY(speedY);
    entity->changeX(speedX);
    if (ZSprite *s = entity->looks().getSprite()) s->changeAngle(speedX >= 0.0f ? -spin : spin);
    speedY += 0.08f * levelSpeed;
    if (speedY > kMaxFall) speedY = kMaxFall;
    if (fading) entity->setAlpha(entity->looks().getAlpha() - 0.012f * levelSpeed, true);
  } else {
    entity->changeY(-speedY);
    // The sway follows the height, so a spark weaves round its rise line every 90 pixels.
    const float y = entity->getY();
    entity->setXY(entity->getX() + std::sin(y * 3.14159265f / 180.0f * 4.0f), y);
    if (fading) entity->setAlpha(entity->looks().getAlpha() - 0.02f * levelSpeed, true);
    entity->setZoom(entity->looks().getZoom() + 0.02f * levelSpeed);
  }
  if (entity->looks().getAlpha() <= 0.0f) killEntity();
}
