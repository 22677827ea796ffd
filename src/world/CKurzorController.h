#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The behaviours of the two cursors: follow the mouse every frame and change the look by what the
// cursor's action box touches. "KURZOR" also shows its pressed frame while the left button is down.
class CKurzorController : public CCloneable<CKurzorController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  // Moves the cursor, and what it carries, to the mouse and asks for a collision pass.
  static void followMouse(CMapEntity_Game *cursor);
  // A press on an arrow goes to what its head points at, whatever lies beneath the arrow: those
  // become the cursor's action collisions (with nothing there to take a press, it passes through
  // as before). Run after the collision pass.
  static void pressThroughArrow(CMapEntity_Game *cursor, CMapEntitiesCollection *collection);
};

class CKurzor2Controller : public CCloneable<CKurzor2Controller, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
};
