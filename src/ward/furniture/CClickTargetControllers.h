#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CPixlaBlackController.h"

// Equipment the player chooses by clicking: a hit queues "choose" (action 1, priority 1) and
// drops the "OK" marker at the pointer, a miss queues "release" (action 2, priority 0); each
// order makes the entity active or inactive when it reaches the head of the queue. The player's
// figure then works only at the active one. These never take the click from anyone.
class CClickTargetController : public CPixlaBlackController {
public:
  using CPixlaBlackController::CPixlaBlackController;

  // Serves both orders should they stand one behind the other.
  void update() override;
};

// Laundry trolleys and the loose carriable items: also flash while the pointer is on them (not
// while in the figure's hand); a locked one ignores clicks.
class CVozikController : public CCloneable<CVozikController, CClickTargetController> {
public:
  using CCloneable::CCloneable;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
  void setStartFlash(bool on) { flash = on ? 1 : 0; }

  int32_t flash = 0;
};

// The spray stand.
class CAntiVController : public CCloneable<CAntiVController, CClickTargetController> {
public:
  using CCloneable::CCloneable;
};

// The stick stand: hit strictly inside its action box.
class CHulkaPodstavecController : public CCloneable<CHulkaPodstavecController, CClickTargetController> {
public:
  using CCloneable::CCloneable;

protected:
  bool hit(KEvent *ev) override;
};
