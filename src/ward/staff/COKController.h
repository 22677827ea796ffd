#pragma once
#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The "OK" click marker: removed 700 ms of game time after its first update.
class COKController : public CCloneable<COKController, CEntityController> {
public:
  using CCloneable::CCloneable;
  COKController(const COKController &other);

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  // Drops a marker beside the pointer of the click, where the pointer really is.
  static void placeMarker(CMapEntitiesCollection *collection, const KEvent *ev);

  Timer life{1000, false};
};

// The germ alarm lamp: its red light swells and shrinks while the lamp is on.
class CHlasicController : public CCloneable<CHlasicController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void update() override;
};
