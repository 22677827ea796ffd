#pragma once
#include <string>

#include "world/CEntityController.h"

class CMapEntity_Fader;

// A comic page: a fader uncovers it, it stays until the left button is down, the fader covers it
// again and the level ends, so the level change takes over.
class CComicController : public CEntityController {
public:
  CComicController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                   std::string bindTo);
  CComicController(const CComicController &other);

  CComicController *clone() override;
  void onBind() override;
  void update() override;
  ~CComicController() override;

  float getX() const;
  float getY() const;

  // Lives in the level's collection, not owned.
  CMapEntity_Fader *fader;
};
