#pragma once
#include <cstdint>
#include <vector>

#include "world/CEntityCarrier.h"

// The collision part of an entity: what it touched in the last collision pass (entities, the
// entities its action area reached, map tiles) and the hit tests behaviours ask of it.
class CEntityCollisions : public CEntityCarrier {
public:
  void addEntityCollision(CMapEntity *e);
  void addEntityActionCollision(CMapEntity *e);
  void addTileCollision(unsigned short cell);
  void removeCollisions();
  void removeActionCollisions();
  // From this entity's lists and those of what it carries.
  void deleteFromCollisionList(CMapEntity *e);
  void deleteFromActionCollisionList(CMapEntity *e);
  bool isCollisionWithEntity(CMapEntity *e) const;
  CMapEntity *isCollisionWithEntityID(unsigned short id) const;
  CMapEntity *isCollisionWithEntityClassID(unsigned short cls) const;
  bool isActionCollisionWithEntity(CMapEntity *e) const;
  CMapEntity *isActionCollisionWithEntityID(unsigned short id) const;
  CMapEntity *isActionCollisionWithEntityClassID(unsigned short cls) const;
  bool isSomeCollidedSolid() const;
  std::vector<CMapEntity *> *getCollidedEntitiesPtr() { return &collided; }
  std::vector<CMapEntity *> *getActionCollidedEntitiesPtr() { return &actionCollided; }
  std::vector<unsigned short> *getCollidedTilesPtr() { return &collidedTiles; }
  int32_t getNoCollision() const { return noCollision; }
  void setNoCollision(int32_t word) { noCollision = word; }
  bool getUseOnCollision() const { return useOnCollision; }
  void setUseOnCollision(bool u) { useOnCollision = u; }

protected:
  // A copy starts with empty lists.
  CEntityCollisions();
  CEntityCollisions(const CEntityCollisions &other);

  std::vector<CMapEntity *> collided;
  std::vector<CMapEntity *> actionCollided;
  std::vector<unsigned short> collidedTiles;
  bool useOnCollision;
  int32_t noCollision;
};
