#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CMapEntity;

// What one entity carries and what carries it: the entities it carries, which it owns, its
// carrier and the top of its carrying tree. The contained list holds the entity itself at index
// 0 and the carried entities after it; the draw list is the contained list in layer order.
// Taking and letting go change only these links, here and in the carriers of the entities
// involved; what carrying means for the entity (layer, kill, frames, position) is the entity's.
class CEntityCarrier {
public:
  // Carries nothing and has no carrier; the draw list stays empty until the first change.
  explicit CEntityCarrier(CMapEntity *holder);
  // A copy's: carries nothing and has no carrier; only the limit is the original's.
  CEntityCarrier(CMapEntity *holder, const CEntityCarrier &other);
  CEntityCarrier(const CEntityCarrier &) = delete;
  CEntityCarrier &operator=(const CEntityCarrier &) = delete;

  CMapEntity *getHolder() const { return contained[0]; }
  bool full() const { return contained.size() > containedLimit; }
  // The last entity in the contained list (the holder included) with this ID, or class.
  CMapEntity *find(unsigned short id) const;
  CMapEntity *findClass(unsigned short cls) const;
  // Whether e may become a carried entity: not null, not the holder and not one of its
  // carriers (which would make the carrying tree a loop).
  bool canCarry(const CMapEntity *e) const;
  // Whether e is carried at any depth; compares pointers only, so e may be a deleted entity.
  bool carries(const CMapEntity *e) const;
  // Appends every entity carried at any depth, carriers before what they carry.
  void collectCarried(std::vector<CMapEntity *> &out) const;

  // Takes e, which canCarry allows, at the end of the list: e leaves its carrier first, and
  // everything e carries gets the holder's top carrier. The draw list is the caller's to renew.
  void attach(CMapEntity *e);
  // Lets go of carried e and deletes it; false when e is not carried here.
  bool remove(CMapEntity *e);
  // Deletes every carried entity whose key (its ID or class) is value.
  void removeWith(uint32_t (CMapEntity::*key)() const, uint32_t value);
  // Every way of letting go clears the entity's carrier links.
  bool drop(CMapEntity *e);
  CMapEntity *drop(unsigned short id);
  CMapEntity *drop(const std::string &name);
  CMapEntity *dropByIndex(unsigned short i);
  // Hand-overs to target through target's own taking.
  bool give(CMapEntity *target, unsigned short id, bool force);
  bool give(CMapEntity *target, CMapEntity *e, bool syncFrames);
  bool giveFirst(CMapEntity *target);
  // Renews the draw list here and in every carried entity.
  void refreshDrawList();
  // The holder leaves its carrier, and what it carries is deleted.
  void dissolve();

  bool hasChildren() const { return contained.size() > 1; }
  unsigned getContainedSize() const { return (unsigned)contained.size(); }
  unsigned short getContainedLimit() const { return containedLimit; }
  void setContainedLimit(unsigned short limit) { containedLimit = limit; }
  const std::vector<CMapEntity *> &getContainedList() const { return contained; }
  const std::vector<CMapEntity *> &getDrawList() const { return drawList; }
  CMapEntity *getParent() const { return parent; }
  CMapEntity *getTopCarrier() const { return topCarrier; }

private:
  // The carrier of another entity, whose links taking and letting go change: all a carrier
  // reaches of an entity beyond its public interface. The entity grants it by naming of().
  static CEntityCarrier &of(CMapEntity *e);
  friend class CMapEntity;

  // A carried entity leaves the contained list; nothing else about it changes.
  bool detach(CMapEntity *e);
  void setTopCarrierTree(CMapEntity *top);
  // No carrier, and everything it carries has it as top.
  static void unlink(CMapEntity *e);
  // Takes carried entity i out for a hand-over: no carrier, offsets 0, resting frameset.
  CMapEntity *releaseAt(size_t i);

  std::vector<CMapEntity *> contained;
  std::vector<CMapEntity *> drawList;
  CMapEntity *parent = nullptr;
  CMapEntity *topCarrier = nullptr;
  uint16_t containedLimit = 10;
};
