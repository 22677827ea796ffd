#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The engine's difficulty: a factor folded from the moods of the patients who left.
struct TDifficulty {
  float factor = 0.85f;
  int32_t samples = 125;
  float sum = 106.25f;
};
// Folds one leaver in: its mood weighs 1.7, a lost patient counts four times; the factor stays
// within 0.62..0.85.
void foldLeaver(TDifficulty &d, float mood);

// The adjuster's behaviour: moves the day's pause window on and folds every patient that has
// gone (phase 4) into the engine's difficulty once.
class CObtiznostAdjusterController : public CCloneable<CObtiznostAdjusterController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void update() override;

  float referenceMood = 0.85f;
  Timer countTimer{200, false};
  int32_t flag = 1;
  int32_t counting = 1;
};
