#pragma once
#include <cstdint>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"

// Drags the repairman with the mouse; dropped on a broken bed he repairs it (+10 health every
// 100 ms of game time), cheers its patient up and goes home to (550, 60).
class COpravarController : public CCloneable<COpravarController, CEntityController> {
public:
  static const int kHomeX = 550, kHomeY = 60;

  using CCloneable::CCloneable;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  int32_t mouseX = 0;
  int32_t mouseY = 0;
  Timer repair{100, false};
  TEntityRef<CMapEntity_Game> cursorRef;
  int32_t hover = 0;
  // The left button as the events tell it.
  bool buttonDown = false;

private:
  void goHome(const char *frameset);
  void finishRepair(CMapEntity_Game *mended);
  // The bed under repair while it is still on the ward; a bed on its way out is let go.
  CMapEntity_Game *liveBed();
};
