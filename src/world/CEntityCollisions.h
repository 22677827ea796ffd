#pragma once
#include <cstdint>
#include <vector>

class CMapEntity;

// What one entity touched in the last collision pass (entities, the entities its action area
// reached, map tiles) and the hit tests behaviours ask of it. The collision pass fills it; the
// entity reacts to it.
class CEntityCollisions {
public:
  CEntityCollisions() = default;
  // A copy starts with empty lists and the same two settings.
  CEntityCollisions(const CEntityCollisions &other);
  CEntityCollisions &operator=(const CEntityCollisions &) = delete;

  void addEntityCollision(CMapEntity *e);
  void addEntityActionCollision(CMapEntity *e);
  void addTileCollision(unsigned short cell);
  void removeCollisions();
  void removeActionCollisions();
  bool isCollisionWithEntity(CMapEntity *e) const;
  CMapEntity *isCollisionWithEntityID(unsigned short id) const;
  CMapEntity *isCollisionWithEntityClassID(unsigned short cls) const;
  bool isActionCollisionWithEntity(CMapEntity *e) const;
  CMapEntity *isActionCollisionWithEntityID(unsigned short id) const;
  CMapEntity *isActionCollisionWithEntityClassID(unsigned short cls) const;
  bool isSomeCollidedSolid() const;
  const std::vector<CMapEntity *> &getCollided() const { return collided; }
  const std::vector<CMapEntity *> &getActionCollided() const { return actionCollided; }
  const std::vector<unsigned short> &getCollidedTiles() const { return collidedTiles; }
  bool hasTileCollisions() const { return !collidedTiles.empty(); }
  int32_t getNoCollision() const { return noCollision; }
  void setNoCollision(int32_t word) { noCollision = word; }
  bool getUseOnCollision() const { return useOnCollision; }
  void setUseOnCollision(bool u) { useOnCollision = u; }

private:
  // Forgetting an entity reaches what the entity carries too: the entity's to do.
  friend class CMapEntity;
  // Takes e out of the entity list, or out of the action list.
  void forget(CMapEntity *e);
  void forgetAction(CMapEntity *e);

  std::vector<CMapEntity *> collided;
  std::vector<CMapEntity *> actionCollided;
  std::vector<unsigned short> collidedTiles;
  bool useOnCollision = false;
  int32_t noCollision = 0;
};
