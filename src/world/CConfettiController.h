#pragma once
#include <string>

#include "world/CEntityController.h"

// The victory screen's confetti sheet: falls with a cheer and starts again above the screen.
class CConfettiController : public CEntityController {
public:
  CConfettiController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                      std::string bindTo);
  CConfettiController(const CConfettiController &other);

  CConfettiController *clone() override;
  void onBind() override;
  void update() override;
  ~CConfettiController() override;

  float getX() const;
  float getY() const;
};
