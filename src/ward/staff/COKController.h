#pragma once
#include "world/CCloneable.h"
#include <string>

#include "world/CEntityController.h"

class Timer;

// The "OK" click marker: removed 700 ms of game time after its first update.
class COKController : public CCloneable<COKController, CEntityController> {
public:
  COKController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine, std::string bindTo);
  COKController(const COKController &other);
  ~COKController() override;

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  // Drops a marker beside the pointer of the click, where the pointer really is.
  static void placeMarker(CMapEntitiesCollection *collection, const KEvent *ev);

  Timer *life;
};

// The "CLOSED" sign: fades in once placed.
class CClosedController : public CCloneable<CClosedController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void onBind() override;
  void update() override;
};

// The germ alarm lamp: its red light swells and shrinks while the lamp is on.
class CHlasicController : public CCloneable<CHlasicController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void update() override;
  virtual void action() {}
};
