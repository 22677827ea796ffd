#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_FrontaAkci;

// Equipment the player chooses by clicking: a hit queues "choose" (action 1, priority 1) and
// drops the "OK" marker at the pointer, a miss queues "release" (action 2, priority 0); each
// order makes the entity active or inactive when it reaches the head of the queue. The player's
// figure then works only at the active one. These never take the click from anyone.
class CClickTargetController : public CEntityController {
public:
  using CEntityController::CEntityController;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  CMapEntity_FrontaAkci *fronta = nullptr;
  int32_t mouseX = 0;
  int32_t mouseY = 0;

protected:
  virtual bool hit(KEvent *ev);
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
