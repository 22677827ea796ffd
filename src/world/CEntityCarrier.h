#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CMapEntity;

// The carrying part of an entity: the entities it carries, which it owns, and its carriers.
// The contained list holds the entity itself at index 0 and the carried entities after it;
// "recursive" operations walk it from index 1, and each carried entity passes them on, so every
// depth is reached exactly once. The draw list is the contained list in layer order.
class CEntityCarrier {
public:
  virtual bool containedFull();
  virtual void addEntity(CMapEntity *e, bool toCollection, bool syncFrames);
  virtual void removeEntity(CMapEntity *e);
  virtual CMapEntity *getContainedEntity(unsigned short id);
  virtual CMapEntity *getContainedEntityClass(unsigned short cls);
  virtual bool giveEntityTo(CMapEntity *target, unsigned short id, bool force);
  virtual bool giveEntityTo(CMapEntity *target, CMapEntity *e, bool syncFrames);
  virtual bool giveFirstEntityTo(CMapEntity *target);
  virtual CMapEntity *addEntity(std::string name);

  bool dropEntity(CMapEntity *e);
  CMapEntity *dropEntity(unsigned short id);
  CMapEntity *dropEntity(std::string name);
  CMapEntity *dropEntityByIndex(unsigned short i);
  void removeEntity(unsigned short id);
  void removeEntityClass(unsigned short cls);
  void containedCopiesUpdate();
  bool hasChildren() const { return contained.size() > 1; }
  unsigned getContainedSize() const { return (unsigned)contained.size(); }
  unsigned short getContainedLimit() const { return containedLimit; }
  void setContainedLimit(unsigned short limit) { containedLimit = limit; }
  const std::vector<CMapEntity *> &getContainedList() const { return contained; }
  const std::vector<CMapEntity *> &getDrawList() const { return drawList; }
  CMapEntity *getParent() const { return parent; }
  CMapEntity *getTopCarrier() const { return topCarrier; }
  // Whether e may become one of this entity's carried entities: not null, not this entity and
  // not one of its carriers (which would make the carrying tree a loop).
  bool canCarry(const CMapEntity *e) const;
  // Whether e is carried at any depth; compares pointers only, so e may be a deleted entity.
  bool carries(const CMapEntity *e) const;
  // Appends every entity carried at any depth, carriers before what they carry.
  void collectCarried(std::vector<CMapEntity *> &out) const;

protected:
  // Nothing carried yet: the entity puts itself at index 0 once it is whole. A copy carries
  // nothing either and has no carrier; only the limit is copied.
  CEntityCarrier();
  CEntityCarrier(const CEntityCarrier &other);
  CEntityCarrier &operator=(const CEntityCarrier &) = delete;
  virtual ~CEntityCarrier();

  // A carried entity leaves this entity's contained list; nothing else about it changes.
  bool detach(CMapEntity *e);
  void setTopCarrierTree(CMapEntity *top);
  // Takes carried entity i out for a hand-over: no carrier, offsets 0, resting frameset.
  CMapEntity *releaseAt(size_t i);
  // Deletes every carried entity whose key (its ID or class) is value.
  void removeContainedWith(uint32_t (CMapEntity::*key)() const, uint32_t value);

  std::vector<CMapEntity *> contained;
  std::vector<CMapEntity *> drawList;
  CMapEntity *parent;
  CMapEntity *topCarrier;
  uint16_t containedLimit;

private:
  // Every carrier is an entity; its parts work on the whole.
  CMapEntity *self();
  const CMapEntity *self() const;
};
