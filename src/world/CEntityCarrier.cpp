#include "world/CEntityCarrier.h"

#include <algorithm>

#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "world/CMapEntity.h"

namespace {

template <class... Parts> void logLine(const Parts &...parts) { CLogger::instance()->logParts(parts...); }

bool byLayer(const CMapEntity *a, const CMapEntity *b) { return a->getSortZ() < b->getSortZ(); }

} // namespace

CEntityCarrier::CEntityCarrier() : parent(nullptr), topCarrier(nullptr), containedLimit(10) {}

CEntityCarrier::CEntityCarrier(const CEntityCarrier &o)
    : parent(nullptr), topCarrier(nullptr), containedLimit(o.containedLimit) {}

CEntityCarrier::~CEntityCarrier() {}

CMapEntity *CEntityCarrier::self() { return static_cast<CMapEntity *>(this); }
const CMapEntity *CEntityCarrier::self() const { return static_cast<const CMapEntity *>(this); }

bool CEntityCarrier::canCarry(const CMapEntity *e) const {
  if (!e) return false;
  for (const CMapEntity *c = self(); c; c = c->parent)
    if (c == e) return false;
  return true;
}

bool CEntityCarrier::carries(const CMapEntity *e) const {
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i] == e || contained[i]->carries(e)) return true;
  return false;
}

void CEntityCarrier::collectCarried(std::vector<CMapEntity *> &out) const {
  for (size_t i = 1; i < contained.size(); ++i) {
    out.push_back(contained[i]);
    contained[i]->collectCarried(out);
  }
}

bool CEntityCarrier::detach(CMapEntity *e) {
  for (size_t i = 1; i < contained.size(); ++i) {
    if (contained[i] != e) continue;
    contained.erase(contained.begin() + (long)i);
    containedCopiesUpdate();
    return true;
  }
  return false;
}

void CEntityCarrier::setTopCarrierTree(CMapEntity *top) {
  for (size_t i = 1; i < contained.size(); ++i) {
    contained[i]->topCarrier = top;
    contained[i]->setTopCarrierTree(top);
  }
}

bool CEntityCarrier::containedFull() { return contained.size() > containedLimit; }

CMapEntity *CEntityCarrier::getContainedEntity(unsigned short id) {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : contained)
    if (e->getEntityID() == (uint32_t)id) found = e;
  return found;
}

CMapEntity *CEntityCarrier::getContainedEntityClass(unsigned short cls) {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : contained)
    if (e->getEntityClassID() == (uint32_t)cls) found = e;
  return found;
}

// The limit is the caller's to check. An entity has one carrier at a time: one that another
// carrier still holds leaves that carrier first, and a carrier never ends up carrying itself.
void CEntityCarrier::addEntity(CMapEntity *e, bool toCollection, bool syncFrames) {
  if (!canCarry(e)) {
    logLine("Refusing to carry ", e ? e->name.c_str() : "nothing", " in ", self()->name);
    return;
  }
  if (e->parent) e->parent->detach(e);
  CGlobals::instance()->entityAdded = true;
  logLine("Adding entity ", e->name, ", xOffset: ", e->getXOffset(), " yOffset: ", e->getYOffset(), ", x: ", e->getX(),
          " y: ", e->getY());
  e->parent = self();
  e->topCarrier = topCarrier ? topCarrier : self();
  e->setTopCarrierTree(e->topCarrier);
  e->setSortZ(self()->getSortZ() + 1, true);
  // Whatever a dying carrier takes on dies with it, so the kill pass can still empty it.
  if (self()->getKill()) e->setKill(true);
  contained.push_back(e);
  e->syncWithParentPosition();
  if (self()->getSynchronize() && e->getSynchronize() && syncFrames) {
    self()->synchronizeFramesets();
    self()->synchronizeFrames(-1);
  }
  logLine("Pozice po sync = x: ", e->getX(), " y: ", e->getY());
  if (toCollection && CMapEntity::links().addToLevel) CMapEntity::links().addToLevel(e);
  containedCopiesUpdate();
}

CMapEntity *CEntityCarrier::addEntity(std::string prototypeName) {
  CMapEntity *e = CMapEntity::links().clonePrototype ? CMapEntity::links().clonePrototype(prototypeName) : nullptr;
  if (!e) {
    logLine("Entity ", prototypeName, "not found in global entity object while cloning!");
    fatalError("Entity " + prototypeName + "not found in global entity object while cloning!", -1);
  }
  addEntity(e, true, true);
  // A carrier of its own kind may have passed the entity on; then it is no longer ours to place.
  if (e->parent != self()) return e;
  e->topCarrier = topCarrier ? topCarrier : self();
  e->setXOffset(0, false);
  e->setYOffset(0, false);
  e->setSortZ(self()->getSortZ() + 1, false);
  if (self()->getSynchronize() && e->getSynchronize()) {
    self()->synchronizeFramesets();
    self()->synchronizeFrames(-1);
  }
  return e;
}

void CEntityCarrier::removeEntity(CMapEntity *e) {
  if (!e || e == self()) return;
  if (!detach(e)) return;
  e->parent = nullptr;
  e->topCarrier = nullptr;
  delete e;
}

void CEntityCarrier::removeEntity(unsigned short id) { removeContainedWith(&CMapEntity::getEntityID, id); }

void CEntityCarrier::removeEntityClass(unsigned short cls) { removeContainedWith(&CMapEntity::getEntityClassID, cls); }

void CEntityCarrier::removeContainedWith(uint32_t (CMapEntity::*key)() const, uint32_t value) {
  for (size_t i = 1; i < contained.size();) {
    CMapEntity *e = contained[i];
    if ((e->*key)() != value) {
      ++i;
      continue;
    }
    contained.erase(contained.begin() + (long)i);
    e->parent = nullptr;
    delete e;
    containedCopiesUpdate();
  }
}

// Every way of letting go clears the entity's carrier links: a dropped entity that kept them
// would point at a carrier that may be deleted long before it.
bool CEntityCarrier::dropEntity(CMapEntity *e) {
  if (!e) return false;
  logLine("Trying to drop ", e->name);
  for (size_t i = 1; i < contained.size(); ++i) {
    if (contained[i] != e) continue;
    e->topCarrier = nullptr;
    e->parent = nullptr;
    e->setTopCarrierTree(e);
    logLine("Dropping ", e->name);
    contained.erase(contained.begin() + (long)i);
    containedCopiesUpdate();
    return true;
  }
  return false;
}

CMapEntity *CEntityCarrier::releaseAt(size_t i) {
  CMapEntity *e = contained[i];
  e->topCarrier = nullptr;
  e->parent = nullptr;
  e->setTopCarrierTree(e);
  e->setXOffset(0, false);
  e->setYOffset(0, false);
  e->changeFrameset("FRAMESET1");
  contained.erase(contained.begin() + (long)i);
  logLine("Dropping ", e->name);
  return e;
}

CMapEntity *CEntityCarrier::dropEntity(unsigned short id) {
  CMapEntity *last = nullptr;
  for (size_t i = 1; i < contained.size();) {
    if (contained[i]->getEntityID() == (uint32_t)id)
      last = releaseAt(i);
    else
      ++i;
  }
  containedCopiesUpdate();
  return last;
}

CMapEntity *CEntityCarrier::dropEntity(std::string entityName) {
  CMapEntity *last = nullptr;
  for (size_t i = 1; i < contained.size();) {
    CMapEntity *e = contained[i];
    if (e->name != entityName) {
      ++i;
      continue;
    }
    contained.erase(contained.begin() + (long)i);
    e->parent = nullptr;
    e->topCarrier = nullptr;
    e->setTopCarrierTree(e);
    last = e;
  }
  containedCopiesUpdate();
  return last;
}

// Index 0 is the entity itself and is never let go.
CMapEntity *CEntityCarrier::dropEntityByIndex(unsigned short i) {
  if (i == 0 || i >= contained.size()) return nullptr;
  CMapEntity *e = contained[i];
  contained.erase(contained.begin() + i);
  e->parent = nullptr;
  e->topCarrier = nullptr;
  e->setTopCarrierTree(e);
  containedCopiesUpdate();
  return e;
}

// Hands over the last carried entity with this ID; others with the same ID stay carried. A
// forced hand-over to a full target first takes the target's first entity in exchange, but only
// once it is sure there is something to give.
bool CEntityCarrier::giveEntityTo(CMapEntity *target, unsigned short id, bool force) {
  if (!target) return false;
  size_t at = 0;
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i]->getEntityID() == (uint32_t)id) at = i;
  if (at == 0 || !target->canCarry(contained[at])) return false;
  if (target->containedFull()) {
    if (!force) return false;
    CMapEntity *item = contained[at];
    target->giveFirstEntityTo(self());
    // The exchange appended to our list; the item itself may still have moved.
    at = 0;
    for (size_t i = 1; i < contained.size(); ++i)
      if (contained[i] == item) at = i;
    if (at == 0) return false;
  }
  CMapEntity *e = releaseAt(at);
  containedCopiesUpdate();
  target->addEntity(e, false, true);
  return true;
}

bool CEntityCarrier::giveEntityTo(CMapEntity *target, CMapEntity *e, bool syncFrames) {
  if (!target || target->containedFull()) return false;
  if (!target->canCarry(e)) return false;
  if (!dropEntity(e)) return false;
  target->addEntity(e, false, syncFrames);
  return true;
}

bool CEntityCarrier::giveFirstEntityTo(CMapEntity *target) {
  if (!target || contained.size() < 2) return false;
  if (!target->canCarry(contained[1])) return false;
  CMapEntity *e = dropEntityByIndex(1);
  target->addEntity(e, false, true);
  return true;
}

void CEntityCarrier::containedCopiesUpdate() {
  drawList.assign(contained.begin(), contained.end());
  std::sort(drawList.begin(), drawList.end(), byLayer);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->containedCopiesUpdate();
  logLine("Updating contained copies..");
}
