#pragma once
#include <vector>

#include "world/CEntityControllers_Game.h"

class CMapEntity_Game;
class CMapEntitiesCollection_Game;

// The engine's list of behaviour prototypes, with the binder that gives entities their behaviours.
class CEntityControllersVzory_Game : public CEntityControllers_Game {
public:
  // Every entity without a behaviour gets a copy of the first prototype bound to its name and
  // that copy's onBind; entities whose name no prototype bears stay without one (scenery) and
  // are tried again next time. A null entry in the list ends the process.
  void bindVzoryTo(CEntityControllers_Game *live, std::vector<CMapEntity_Game *> *entities,
                   CMapEntitiesCollection_Game *collection, bool);
};
