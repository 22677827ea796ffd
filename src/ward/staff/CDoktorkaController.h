#pragma once
#include <string>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The doctor crosses the ward to the right edge and back, waiting 10 to 25 s of game time off
// each side.
class CDoktorkaController : public CCloneable<CDoktorkaController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CDoktorkaController(const CDoktorkaController &other);

  void onBind() override;
  void update() override;
  std::string chooseText() const;

  enum { kWalkRight = 0, kWaitRight = 1, kWalkLeft = 2, kWaitLeft = 3 };
  Timer wait{10000, false};
  int state = kWaitLeft;
};
