#include "ward/staff/CDoktorkaController.h"

#include <cstdlib>

#include "media/CRandom.h"
#include "media/Timer.h"
#include "world/CMapEntity_Game.h"

namespace {
int waitPeriod() { return CRandom::draw() % 15000 + 10000; }
} // namespace

CDoktorkaController::CDoktorkaController(const CDoktorkaController &o)
    : CCloneable(o) {
  wait.nastavSpoustec(waitPeriod());
}

void CDoktorkaController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CDoktorkaController::update() {
  if (!entity) return;
  switch (state) {
  case kWaitLeft:
    if (wait.udalost()) state = kWalkRight;
    break;
  case kWalkRight:
    if (entity->getX() >= 800.0f) {
      wait.nastavSpoustec(waitPeriod());
      wait.reset();
      state = kWaitRight;
    } else {
      entity->changeX(4.0f);
      entity->changeY(-0.52f);
    }
    break;
  case kWaitRight:
    if (wait.udalost()) {
      state = kWalkLeft;
      entity->changeFrameset("LEFT");
      entity->zapniAnimace();
    }
    break;
  case kWalkLeft:
    if (entity->getX() <= -100.0f) {
      wait.nastavSpoustec(waitPeriod());
      wait.reset();
      state = kWaitLeft;
      entity->changeFrameset("RIGHT");
    } else {
      entity->changeX(-4.0f);
      entity->changeY(0.52f);
    }
    break;
  }
}

std::string CDoktorkaController::chooseText() const {
  static const char *const kTexts[] = {"Nice work, trainee!", "Lovely weather today", "Hey, look at the patients!",
                                       "...", "Where is my patient?", "Keep on!", "Wait on me!",
                                       "Where are my glasses?", "Hi!", "How is it going?",
                                       "You don't talk, do you?"};
  return kTexts[CRandom::draw() % 11];
}
