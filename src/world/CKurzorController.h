#pragma once
#include <string>

#include "world/CEntityController.h"

// The behaviours of the two cursors: follow the mouse every frame and change the look by what the
// cursor's action box touches. "KURZOR" also shows its pressed frame while the left button is down.
class CKurzorController : public CEntityController {
public:
  CKurzorController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                    std::string bindTo);
  CKurzorController(const CKurzorController &other);

  CKurzorController *clone() override;
  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
  ~CKurzorController() override;

  float getX() const;
  float getY() const;

  // Moves the cursor, and what it carries, to the mouse and asks for a collision pass.
  static void followMouse(CMapEntity_Game *cursor);
};

class CKurzor2Controller : public CEntityController {
public:
  CKurzor2Controller(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                     std::string bindTo);
  CKurzor2Controller(const CKurzor2Controller &other);

  CKurzor2Controller *clone() override;
  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
  ~CKurzor2Controller() override;

  float getX() const;
  float getY() const;
};
