#pragma once
#include <cstdint>
#include <string>

#include "world/CEntityController.h"

class Timer;

// A floating caption ("BONUSTEXT"): rises, stays opaque for a second of game time, then fades
// out and is killed.
class CBonusTextController : public CEntityController {
public:
  CBonusTextController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                       std::string bindTo);
  CBonusTextController(const CBonusTextController &other);

  CBonusTextController *clone() override;
  void onBind() override;
  void update() override;
  ~CBonusTextController() override;

  float getX() const;
  float getY() const;

  float speed;
  Timer *fadeTimer;
  int32_t fading;
};
