#pragma once
#include <cstdint>
#include <string>

#include "world/CEntityController.h"

class CMapEntity_FrontaAkci;

// Makes a plain entity a target the player figure can be sent to through the action queue: a
// left click on it queues its activation (and shows an "OK" marker), a left click elsewhere its
// deactivation; each takes effect when it reaches the head of the queue.
class CPixlaBlackController : public CEntityController {
public:
  static const uint16_t kActivate = 1;
  static const uint16_t kDeactivate = 2;

  CPixlaBlackController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                        std::string bindTo);
  CPixlaBlackController(const CPixlaBlackController &other);

  CPixlaBlackController *clone() override;
  // A level without the action queue ends the process.
  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
  ~CPixlaBlackController() override;

  float getX() const;
  float getY() const;

  CMapEntity_FrontaAkci *fronta;
  int32_t mouseX;
  int32_t mouseY;

private:
  void queue(uint16_t id, int32_t priority);
};
