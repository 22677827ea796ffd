#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class Timer;

// The laboratory's countdown on the game clock: stands still while a completed dish set fades
// and opens the summary window when it runs out.
class CMiniGameOverController : public CCloneable<CMiniGameOverController, CEntityController> {
public:
  CMiniGameOverController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                          std::string bindTo);
  CMiniGameOverController(const CMiniGameOverController &other);
  CMiniGameOverController &operator=(const CMiniGameOverController &) = delete;
  ~CMiniGameOverController() override;

  void onBind() override;
  void update() override;
  void specificHandleMessages(KEvent *) override {}

  bool getFrozen() const { return frozen != 0; }

private:
  Timer *timer;
  int32_t frozen = 0;
  uint32_t clockAtFreeze = 0;
  int32_t limitAtFreeze = 0;
};
