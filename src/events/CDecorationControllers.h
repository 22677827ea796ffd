#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class Timer;

// The butterfly: touched by the pointer while resting, it climbs until its speed reaches 2,
// sinks and lands at y 85.
class CMotylController : public CCloneable<CMotylController, CEntityController> {
public:
  static constexpr float kGround = 85.0f;

  using CCloneable::CCloneable;
  void onBind() override;
  void specificHandleMessages(KEvent *) override {}
  void update() override;

  float getSpeed() const { return speed; }

private:
  float speed = -0.3f;
  int32_t rising = 1;
};

// The periscope of the world map: pops up somewhere else in a small area every 7 s.
class CPeriskopController : public CCloneable<CPeriskopController, CEntityController> {
public:
  CPeriskopController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo);
  CPeriskopController(const CPeriskopController &other);
  ~CPeriskopController() override;
  void specificHandleMessages(KEvent *) override {}
  void update() override;

private:
  std::unique_ptr<Timer> jumpTimer;
};
