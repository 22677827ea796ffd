#pragma once
#include <string>

#include "world/CEntityController.h"

// A bubble: rises at its own speed and starts again at the bottom once it has left the screen.
class CBublinaController : public CEntityController {
public:
  // Where a bubble starts again after leaving the top.
  static constexpr float kRestartY = 470.0f;

  CBublinaController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                     std::string bindTo);
  // Each copy draws its own speed, 0.50 to 0.99.
  CBublinaController(const CBublinaController &other);

  CBublinaController *clone() override;
  void onBind() override;
  void update() override;
  ~CBublinaController() override;

  float getX() const;
  float getY() const;

  float speed;
};
