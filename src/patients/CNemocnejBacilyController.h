#pragma once
#include "world/CCloneable.h"
#include "world/CEntityController.h"

class Timer;

// Drifts a germ cloud or happy notes by their steps while they fade; gone once transparent.
class CNemocnejBacilyController : public CCloneable<CNemocnejBacilyController, CEntityController> {
public:
  CNemocnejBacilyController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                            std::string bindTo);
  CNemocnejBacilyController(const CNemocnejBacilyController &other);
  ~CNemocnejBacilyController() override;

  void onBind() override;
  void update() override;

  Timer *longTimer = nullptr;
  Timer *shortTimer = nullptr;
  float startAlpha = 1.0f;
};
