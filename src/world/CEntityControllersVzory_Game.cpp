#include "world/CEntityControllersVzory_Game.h"

#include "media/CFatal.h"
#include "media/CLogger.h"
#include "world/CEntityController.h"
#include "world/CMapEntity_Game.h"

void CEntityControllersVzory_Game::bindVzoryTo(CEntityControllers_Game *live, std::vector<CMapEntity_Game *> *entities,
                                               CMapEntitiesCollection_Game *collection, bool) {
  CLogger *log = CLogger::instance();
  log->logParts("Entering binding method");
  if (!live || !entities) return;
  // By index against the current size: an onBind may add entities, and they are bound here too.
  for (size_t i = 0; i < entities->size(); ++i) {
    CMapEntity_Game *e = (*entities)[i];
    if (!e) fatalError("Error pri bindu!", -1);
    if (e->getController()) continue;
    CEntityController *c = cloneController(e->name);
    if (!c) continue;
    log->logParts("Binding from vzory controller ", e->name, " [", i, "]", e->name, " to entity ", e->name);
    c->bindEntity(e);
    e->setController(c);
    c->bindEC(collection);
    c->onBind();
    live->addController(c);
  }
}
