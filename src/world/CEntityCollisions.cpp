#include "world/CEntityCollisions.h"

#include <algorithm>

#include "world/CMapEntity.h"

namespace {

template <class T> void addOnce(std::vector<T> &list, T value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

CMapEntity *lastWithID(const std::vector<CMapEntity *> &list, unsigned short id) {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : list)
    if (e->getEntityID() == (uint32_t)id) found = e;
  return found;
}

CMapEntity *lastWithClass(const std::vector<CMapEntity *> &list, unsigned short cls) {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : list)
    if (e->getEntityClassID() == (uint32_t)cls) found = e;
  return found;
}

void eraseAll(std::vector<CMapEntity *> &list, CMapEntity *e) {
  list.erase(std::remove(list.begin(), list.end(), e), list.end());
}

} // namespace

CEntityCollisions::CEntityCollisions(const CEntityCollisions &o)
    : useOnCollision(o.useOnCollision), noCollision(o.noCollision) {}

void CEntityCollisions::addEntityCollision(CMapEntity *e) { addOnce(collided, e); }
void CEntityCollisions::addEntityActionCollision(CMapEntity *e) { addOnce(actionCollided, e); }
void CEntityCollisions::addTileCollision(unsigned short cell) { addOnce(collidedTiles, cell); }

void CEntityCollisions::removeCollisions() {
  collided.clear();
  collidedTiles.clear();
}

void CEntityCollisions::removeActionCollisions() { actionCollided.clear(); }

void CEntityCollisions::forget(CMapEntity *e) { eraseAll(collided, e); }
void CEntityCollisions::forgetAction(CMapEntity *e) { eraseAll(actionCollided, e); }

bool CEntityCollisions::isCollisionWithEntity(CMapEntity *e) const {
  return std::find(collided.begin(), collided.end(), e) != collided.end();
}

CMapEntity *CEntityCollisions::isCollisionWithEntityID(unsigned short id) const { return lastWithID(collided, id); }

CMapEntity *CEntityCollisions::isCollisionWithEntityClassID(unsigned short cls) const {
  return lastWithClass(collided, cls);
}

bool CEntityCollisions::isActionCollisionWithEntity(CMapEntity *e) const {
  return std::find(actionCollided.begin(), actionCollided.end(), e) != actionCollided.end();
}

CMapEntity *CEntityCollisions::isActionCollisionWithEntityID(unsigned short id) const {
  return lastWithID(actionCollided, id);
}

CMapEntity *CEntityCollisions::isActionCollisionWithEntityClassID(unsigned short cls) const {
  return lastWithClass(actionCollided, cls);
}

bool CEntityCollisions::isSomeCollidedSolid() const {
  for (CMapEntity *e : collided)
    if (e->getSolid()) return true;
  return false;
}
