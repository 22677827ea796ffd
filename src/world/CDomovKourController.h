#pragma once
#include <string>

#include "world/CEntityController.h"

class Timer;

// The home's chimney: puffs a grey dust cloud ("PRACH") at the emitter every 220 ms of game time.
class CDomovKourController : public CEntityController {
public:
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
