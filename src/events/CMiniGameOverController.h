#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The laboratory's countdown on the game clock: stands still while a completed dish set fades
// and opens the summary window when it runs out.
class CMiniGameOverController : public CCloneable<CMiniGameOverController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CMiniGameOverController &operator=(const CMiniGameOverController &) = delete;

  void onBind() override;
  void update() override;
  void specificHandleMessages(KEvent *) override {}

  bool getFrozen() const { return frozen != 0; }

private:
  Timer timer{1000, false};
  int32_t frozen = 0;
  uint32_t clockAtFreeze = 0;
  int32_t limitAtFreeze = 0;
};
