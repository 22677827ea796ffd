#pragma once
#include <cstdint>
#include <vector>

#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity.h"

class CMapEntity_Game;

// An entity kept from one frame to the next, known by its serial rather than its address: once it
// is freed, an entity made where it lay has another serial and is never taken for it. It is found
// again only through the level's list, so a ref to an entity that left the level finds nothing;
// the list finds it by its serial in constant time.
template <class T> class TEntityRef {
public:
  TEntityRef() = default;
  // From an entity met this frame (null for none).
  TEntityRef(const T *e) : serial(e ? e->getSerial() : 0) {} // NOLINT: kept as a pointer is assigned

  // The entity while the list holds it, null once it has gone.
  T *in(const CMapEntitiesCollection *c) const {
    CMapEntity_Game *e = serial && c ? c->bySerial(serial) : nullptr;
    return e ? dynamic_cast<T *>(e) : nullptr;
  }
  // The entity while the list of what a carrier carries holds it: for one kept as carried.
  T *among(const std::vector<CMapEntity *> &carried) const {
    for (CMapEntity *e : carried)
      if (is(e)) return dynamic_cast<T *>(e);
    return nullptr;
  }
  // Whether an entity met this frame is the one kept.
  bool is(const CMapEntity *e) const { return serial && e && e->getSerial() == serial; }
  bool empty() const { return serial == 0; }
  void clear() { serial = 0; }
  bool operator==(const TEntityRef &o) const { return serial == o.serial; }
  bool operator!=(const TEntityRef &o) const { return serial != o.serial; }

private:
  uint64_t serial = 0;
};

// Game entities keep refs themselves; users of a ref get the entity class with it.
#include "world/CMapEntity_Game.h"
