#pragma once
#include <vector>

#include "ward/player/CPlayerController.h"

class CMapEntity;
class CMapEntity_Game;

// The ward half of the figure's work: the linen trolley, making beds, the spray and its stand, and
// the dispensers' items.
class CPlayerWardWork {
public:
  explicit CPlayerWardWork(CPlayerController &controller) : ctl(controller) {}

  // What the things she touches offer; an unmade bed she was sent to takes the walk's arrival, the
  // spray goes onto or off its stand at once, and by germs a due burst of spray goes off.
  void answer(const std::vector<CMapEntity *> &near, CPlayerController::TReach &reach);
  void work();

private:
  void swapSpray(CMapEntity_Game *stand);
  void spray();
  void takeFromDispenser();
  void makeBed();
  void emptyLinen();

  CPlayerController &ctl;
};
