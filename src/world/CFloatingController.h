#pragma once
#include <string>

#include "world/CEntityController.h"

// Fades of the menu panels: the in-game menu fades in when it opens, and it and the in-game
// options menu fade out and are killed once their closing word is set. The other panels it is
// bound to stay as they are.
class CFloatingController : public CEntityController {
public:
  static const unsigned int kIngameMenu = 263;
  static const unsigned int kOptionsIngameMenu = 265;

  CFloatingController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                      std::string bindTo);
  CFloatingController(const CFloatingController &other);

  CFloatingController *clone() override;
  void onBind() override;
  void update() override;
  ~CFloatingController() override;

  float getX() const;
  float getY() const;

private:
  void fadeOut(float step);
};
