#pragma once
#include <string>

#include "world/CEntityController.h"

// One puff of the plane's smoke trail: opaque at first, it grows and fades until it is killed.
class CLetadloKourController : public CEntityController {
public:
  CLetadloKourController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                         std::string bindTo);
  CLetadloKourController(const CLetadloKourController &other);

  CLetadloKourController *clone() override;
  void onBind() override;
  void update() override;
  ~CLetadloKourController() override;

  float getX() const;
  float getY() const;
};
