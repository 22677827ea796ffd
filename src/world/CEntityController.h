#pragma once
#include <string>

class CEngine;
class CWorldEngine;
class CLevel_Game;
class CMapEntity_Game;
class CMapEntity_FrontaAkci;
class CMapEntitiesCollection;
class CMapEntitiesCollection_Game;
struct KEvent;

// A behaviour: what one entity does. A prototype of each kind is built at start-up under the
// name of the entities it serves; the level clones it for every entity of that name (binding)
// and then updates it and hands it the input, front-most entity first.
class CEntityController {
public:
  CEntityController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                    std::string bindTo);
  // A copy is an unbound behaviour of the same kind; binding gives it its entity and collection.
  CEntityController(const CEntityController &other);
  CEntityController &operator=(const CEntityController &) = delete;

  virtual CEntityController *clone();
  virtual void onBind();
  virtual void specificHandleMessages(KEvent *ev);
  virtual void update();
  virtual ~CEntityController();

  CMapEntity_Game *getEntity() const { return entity; }
  const std::string &getBindTo() const { return bindTo; }
  CEngine *getEngine() const { return engine; }
  // The same engine as the world sees it, given with the engine when the prototype is made;
  // copies keep it.
  CWorldEngine *worldEngine() const { return world; }
  void setWorldEngine(CWorldEngine *e) { world = e; }
  CMapEntitiesCollection *getCollection() const { return collection; }
  // The level the engine plays now; null without an engine or a level.
  CLevel_Game *currentLevel() const;
  // The player's action queue of this behaviour's level, looked up each time it is needed; null
  // without one.
  CMapEntity_FrontaAkci *actionQueue() const;
  // The entity's position; 0 while unbound.
  float getX() const;
  float getY() const;

  // Both sides of the tie: the entity points back, so its destructor can tell this behaviour.
  void bindEntity(CMapEntity_Game *e);
  void bindEC(CMapEntitiesCollection_Game *c);
  void killEntity();
  // Input reaches specificHandleMessages only while the entity has the focus or cannot take it.
  void handleMessages(KEvent *ev);

  // Called by a dying entity: the behaviour stays, without an entity, until the list deletes it.
  void entityGone() { entity = nullptr; linked = false; }

protected:
  CMapEntitiesCollection *collection;
  std::string bindTo;
  CEngine *engine;
  CWorldEngine *world = nullptr;
  CMapEntity_Game *entity;

private:
  // True while the entity is known to point back at this behaviour (bound by bindEntity).
  bool linked;
};
