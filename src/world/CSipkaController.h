#pragma once
#include <string>

#include "world/CEntityController.h"

// The pointing arrow: opaque, pulsing between zoom 1.0 and 1.2 for as long as it exists; whoever
// placed it removes it.
class CSipkaController : public CEntityController {
public:
  CSipkaController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                   std::string bindTo);
  CSipkaController(const CSipkaController &other);

  CSipkaController *clone() override;
  void onBind() override;
  void update() override;
  ~CSipkaController() override;

  float getX() const;
  float getY() const;
};
