#pragma once
#include "world/CCloneable.h"
#include <string>

#include "world/CEntityController.h"

class Timer;

// The doctor crosses the ward to the right edge and back, waiting 10 to 25 s of game time off
// each side.
class CDoktorkaController : public CCloneable<CDoktorkaController, CEntityController> {
public:
  CDoktorkaController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                      std::string bindTo);
  CDoktorkaController(const CDoktorkaController &other);
  ~CDoktorkaController() override;

  void onBind() override;
  void update() override;
  std::string chooseText() const;

  enum { kWalkRight = 0, kWaitRight = 1, kWalkLeft = 2, kWaitLeft = 3 };
  Timer *wait;
  int state = kWaitLeft;
};
