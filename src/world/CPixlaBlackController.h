#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"


// Makes a plain entity a target the player figure can be sent to through the action queue: a
// left click on it queues its activation (and shows an "OK" marker), a left click elsewhere its
// deactivation; each takes effect when it reaches the head of the queue.
class CPixlaBlackController : public CCloneable<CPixlaBlackController, CEntityController> {
public:
  static const uint16_t kActivate = 1;
  static const uint16_t kDeactivate = 2;

  using CCloneable::CCloneable;
  // A level without the action queue ends the process.
  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  int32_t mouseX = 0;
  int32_t mouseY = 0;

protected:
  // Whether a press is on the entity: the pointer's action box meets the entity's.
  virtual bool hit(KEvent *ev);
};
