#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// How many parents one pass of the generator sends on the level of that index in the list.
int32_t parentsPerRoundFor(int levelNumber);

// Sends visiting parents to patients in bed whose bed has none, into a waiting row of three.
class CRodiceGeneratorController : public CCloneable<CRodiceGeneratorController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CRodiceGeneratorController(const CRodiceGeneratorController &other);

  void onBind() override;
  void update() override;

  int32_t findFreeSlot();
  void setSlot(bool used, int place);

  Timer spawnTimer{2000, false};
  int32_t slotUsed[3] = {0, 0, 0};
};
