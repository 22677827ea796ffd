#pragma once
#include <string>

#include "world/CEntityController.h"

class Timer;

// The home's chimney: puffs a grey dust cloud ("PRACH") at the emitter every 220 ms of game time.
class CDomovKourController : public CEntityController {
public:
  // The dust puff's class lies above this layer; its registration installs how a puff is given
  // its drift. Without it a puff keeps the drift of its prototype.
  struct Hooks {
    void (*setDrift)(CMapEntity_Game *puff, float driftX, float driftY) = nullptr;
  };
  static Hooks &hooks();

  CDomovKourController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                       std::string bindTo);
  CDomovKourController(const CDomovKourController &other);

  CDomovKourController *clone() override;
  void update() override;
  ~CDomovKourController() override;

  float getX() const;
  float getY() const;

  Timer *puffTimer;
};
