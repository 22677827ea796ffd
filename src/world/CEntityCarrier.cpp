#include "world/CEntityCarrier.h"

#include <algorithm>

#include "media/CLogger.h"
#include "world/CMapEntity.h"

namespace {

template <class... Parts> void logLine(const Parts &...parts) { CLogger::instance()->logParts(parts...); }

bool byLayer(const CMapEntity *a, const CMapEntity *b) { return a->looks().getSortZ() < b->looks().getSortZ(); }

} // namespace

CEntityCarrier::CEntityCarrier(CMapEntity *holder) : contained{holder} {}

CEntityCarrier::CEntityCarrier(CMapEntity *holder, const CEntityCarrier &o)
    : contained{holder}, containedLimit(o.containedLimit) {}

CEntityCarrier &CEntityCarrier::of(CMapEntity *e) { return e->carrier; }

CMapEntity *CEntityCarrier::find(unsigned short id) const {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : contained)
    if (e->getEntityID() == (uint32_t)id) found = e;
  return found;
}

CMapEntity *CEntityCarrier::findClass(unsigned short cls) const {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : contained)
    if (e->getEntityClassID() == (uint32_t)cls) found = e;
  return found;
}

bool CEntityCarrier::canCarry(const CMapEntity *e) const {
  if (!e || e == getHolder()) return false;
  for (const CMapEntity *c = parent; c; c = c->carrying().getParent())
    if (c == e) return false;
  return true;
}

bool CEntityCarrier::carries(const CMapEntity *e) const {
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i] == e || contained[i]->carrying().carries(e)) return true;
  return false;
}

void CEntityCarrier::collectCarried(std::vector<CMapEntity *> &out) const {
  for (size_t i = 1; i < contained.size(); ++i) {
    out.push_back(contained[i]);
    contained[i]->carrying().collectCarried(out);
  }
}

bool CEntityCarrier::detach(CMapEntity *e) {
  for (size_t i = 1; i < contained.size(); ++i) {
    if (contained[i] != e) continue;
    contained.erase(contained.begin() + (long)i);
    refreshDrawList();
    return true;
  }
  return false;
}

void CEntityCarrier::setTopCarrierTree(CMapEntity *top) {
  for (size_t i = 1; i < contained.size(); ++i) {
    CEntityCarrier &c = of(contained[i]);
    c.topCarrier = top;
    c.setTopCarrierTree(top);
  }
}

void CEntityCarrier::unlink(CMapEntity *e) {
  CEntityCarrier &c = of(e);
  c.topCarrier = nullptr;
  c.parent = nullptr;
  c.setTopCarrierTree(e);
}

// An entity has one carrier at a time: one that another carrier still holds leaves that
// carrier first.
void CEntityCarrier::attach(CMapEntity *e) {
  CEntityCarrier &c = of(e);
  if (c.parent) of(c.parent).detach(e);
  c.parent = getHolder();
  c.topCarrier = topCarrier ? topCarrier : getHolder();
  c.setTopCarrierTree(c.topCarrier);
  contained.push_back(e);
}

bool CEntityCarrier::remove(CMapEntity *e) {
  if (!e || e == getHolder()) return false;
  if (!detach(e)) return false;
  CEntityCarrier &c = of(e);
  c.parent = nullptr;
  c.topCarrier = nullptr;
  delete e;
  return true;
}

void CEntityCarrier::removeWith(uint32_t (CMapEntity::*key)() const, uint32_t value) {
  for (size_t i = 1; i < contained.size();) {
    CMapEntity *e = contained[i];
    if ((e->*key)() != value) {
      ++i;
      continue;
    }
    contained.erase(contained.begin() + (long)i);
    of(e).parent = nullptr;
    delete e;
    refreshDrawList();
  }
}

// A dropped entity that kept its links would point at a carrier that may be deleted long
// before it.
bool CEntityCarrier::drop(CMapEntity *e) {
  if (!e) return false;
  logLine("Trying to drop ", e->name);
  for (size_t i = 1; i < contained.size(); ++i) {
    if (contained[i] != e) continue;
    unlink(e);
    logLine("Dropping ", e->name);
    contained.erase(contained.begin() + (long)i);
    refreshDrawList();
    return true;
  }
  return false;
}

CMapEntity *CEntityCarrier::releaseAt(size_t i) {
  CMapEntity *e = contained[i];
  unlink(e);
  e->setXOffset(0, false);
  e->setYOffset(0, false);
  e->changeFrameset("FRAMESET1");
  contained.erase(contained.begin() + (long)i);
  logLine("Dropping ", e->name);
  return e;
}

CMapEntity *CEntityCarrier::drop(unsigned short id) {
  CMapEntity *last = nullptr;
  for (size_t i = 1; i < contained.size();) {
    if (contained[i]->getEntityID() == (uint32_t)id)
      last = releaseAt(i);
    else
      ++i;
  }
  refreshDrawList();
  return last;
}

CMapEntity *CEntityCarrier::drop(const std::string &entityName) {
  CMapEntity *last = nullptr;
  for (size_t i = 1; i < contained.size();) {
    CMapEntity *e = contained[i];
    if (e->name != entityName) {
      ++i;
      continue;
    }
    contained.erase(contained.begin() + (long)i);
    unlink(e);
    last = e;
  }
  refreshDrawList();
  return last;
}

// Index 0 is the holder and is never let go.
CMapEntity *CEntityCarrier::dropByIndex(unsigned short i) {
  if (i == 0 || i >= contained.size()) return nullptr;
  CMapEntity *e = contained[i];
  contained.erase(contained.begin() + i);
  unlink(e);
  refreshDrawList();
  return e;
}

// Hands over the last carried entity with this ID; others with the same ID stay carried. A
// forced hand-over to a full target first takes the target's first entity in exchange, but only
// once it is sure there is something to give.
bool CEntityCarrier::give(CMapEntity *target, unsigned short id, bool force) {
  if (!target) return false;
  size_t at = 0;
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i]->getEntityID() == (uint32_t)id) at = i;
  if (at == 0 || !target->carrying().canCarry(contained[at])) return false;
  if (target->containedFull()) {
    if (!force) return false;
    CMapEntity *item = contained[at];
    target->giveFirstEntityTo(getHolder());
    // The exchange appended to our list; the item itself may still have moved.
    at = 0;
    for (size_t i = 1; i < contained.size(); ++i)
      if (contained[i] == item) at = i;
    if (at == 0) return false;
  }
  CMapEntity *e = releaseAt(at);
  refreshDrawList();
  target->addEntity(e, false, true);
  return true;
}

bool CEntityCarrier::give(CMapEntity *target, CMapEntity *e, bool syncFrames) {
  if (!target || target->containedFull()) return false;
  if (!target->carrying().canCarry(e)) return false;
  if (!drop(e)) return false;
  target->addEntity(e, false, syncFrames);
  return true;
}

bool CEntityCarrier::giveFirst(CMapEntity *target) {
  if (!target || contained.size() < 2) return false;
  if (!target->carrying().canCarry(contained[1])) return false;
  CMapEntity *e = dropByIndex(1);
  target->addEntity(e, false, true);
  return true;
}

void CEntityCarrier::refreshDrawList() {
  drawList.assign(contained.begin(), contained.end());
  std::sort(drawList.begin(), drawList.end(), byLayer);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->containedCopiesUpdate();
  logLine("Updating contained copies..");
}

// Deleted directly while still carried, the holder must not stay in its carrier's list.
void CEntityCarrier::dissolve() {
  if (parent) of(parent).detach(getHolder());
  std::vector<CMapEntity *> carried(contained.begin() + 1, contained.end());
  contained.resize(1);
  drawList.clear();
  for (CMapEntity *e : carried) {
    of(e).parent = nullptr;
    delete e;
  }
}
