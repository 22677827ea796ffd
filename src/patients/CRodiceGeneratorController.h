#pragma once
#include "world/CCloneable.h"
#include <cstdint>

#include "world/CEntityController.h"

class Timer;

// How many parents one pass of the generator sends on the level of that index in the list.
int32_t parentsPerRoundFor(int levelNumber);

// Sends visiting parents to patients in bed whose bed has none, into a waiting row of three.
class CRodiceGeneratorController : public CCloneable<CRodiceGeneratorController, CEntityController> {
public:
  CRodiceGeneratorController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                             std::string bindTo);
  CRodiceGeneratorController(const CRodiceGeneratorController &other);
  ~CRodiceGeneratorController() override;

  void onBind() override;
  void update() override;

  int32_t findFreeSlot();
  void setSlot(bool used, int place);

  Timer *spawnTimer = nullptr;
  int32_t slotUsed[3] = {0, 0, 0};
};
