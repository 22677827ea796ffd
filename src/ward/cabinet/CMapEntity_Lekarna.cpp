#include "ward/cabinet/CMapEntity_Lekarna.h"

#include <algorithm>

#include "media/CFatal.h"
#include "media/Frame.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/HitBox.h"
#include "world/TVariable.h"
#include "world/kinds/EntityIds.h"

namespace {
// The left-hand cabinet lays its row out further left, clear of its own picture.
const TLekarnaVariant kVariants[] = {
    {"LEKARNA", "LEKARNAAURA", -150, -13, -8, -9, false, {}},
    {"LEKARNA2", "LEKARNA2AURA", 20, -10, -4, -14, true,
     {{342, 71}, {365, 73}, {389, 75}, {414, 75}, {439, 76}, {463, 74}, {488, 69}, {513, 62}}},
    {"LEKARNA3", "LEKARNA3AURA", 20, -10, -8, -9, true,
     {{350, 72}, {372, 72}, {392, 72}, {414, 72}, {435, 72}, {456, 72}, {477, 72}, {498, 72}}},
    {"LEKARNA4", "LEKARNA4AURA", 20, -10, -8, -9, true,
     {{350, 72}, {372, 72}, {394, 72}, {416, 72}, {438, 72}, {460, 72}, {482, 72}, {504, 72}}},
};
} // namespace

const TLekarnaVariant *lekarnaVariant(const std::string &name) {
  for (const TLekarnaVariant &v : kVariants)
    if (name == v.name) return &v;
  return nullptr;
}

void makeLekarnaPrototype(CMapEntity_Game *e) {
  CMapEntity_LekarnaClass *c = static_cast<CMapEntity_LekarnaClass *>(e);
  if (const TLekarnaVariant *v = lekarnaVariant(c->name)) {
    c->medOffsetX = v->offsetX;
    c->medOffsetY = v->offsetY;
  }
  c->productionTime = 4000;
}

CMapEntity_LekarnaClass::CMapEntity_LekarnaClass(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Game(x, y, solid) {
  exportVariable("counterleft", TVariable::INTEGER, &counterLeft);
  exportVariable("countertop", TVariable::INTEGER, &counterTop);
  exportVariable("counterright", TVariable::INTEGER, &counterRight);
  exportVariable("counterbase", TVariable::INTEGER, &counterBase);
}

CMapEntity_LekarnaClass::CMapEntity_LekarnaClass(const CMapEntity_LekarnaClass &o)
    : CMapEntity_Game(o), medOffsetX(o.medOffsetX), medOffsetY(o.medOffsetY), productionTime(o.productionTime),
      counterLeft(o.counterLeft), counterTop(o.counterTop), counterRight(o.counterRight), counterBase(o.counterBase) {}

CMapEntity_Game *CMapEntity_LekarnaClass::clone() {
  CMapEntity_LekarnaClass *copy = new CMapEntity_LekarnaClass(*this);
  const TLekarnaVariant *v = lekarnaVariant(name);
  if (!v) return copy;
  if (!links().clonePrototype) fatalError("Entity prototype " + std::string(v->aura) + " cannot be cloned", -1);
  CMapEntity *aura = links().clonePrototype(v->aura);
  copy->addEntity(aura, true, true);
  aura->setAlpha(0.0f, true);
  aura->setXOffset(v->auraX, false);
  aura->setYOffset(v->auraY, false);
  aura->syncWithParentPosition();
  copy->setHighlight(aura);
  if (v->slots) copy->medSlots.assign(v->slot, v->slot + 8);
  return copy;
}

TMedSlot CMapEntity_LekarnaClass::placeFor(int n) const {
  if (n >= 1 && (size_t)n <= medSlots.size()) return medSlots[(size_t)n - 1];
  return TMedSlot{(int32_t)x + medOffsetX + 17 * n, (int32_t)y + medOffsetY};
}

// What was taken or went is forgotten: the cabinet keeps only what still lies out.
void CMapEntity_LekarnaClass::layOut(const CMapEntitiesCollection *ward, CMapEntity_Game *medicine, int n) {
  laid.erase(std::remove_if(laid.begin(), laid.end(), [&](const TLaid &l) { return !lying(ward, l); }), laid.end());
  const TMedSlot at = placeFor(n);
  medicine->setXY((float)at.x, (float)at.y);
  if (n >= 1 && n <= kPlaces) laid.push_back({n, medicine});
}

CMapEntity_Game *CMapEntity_LekarnaClass::lying(const CMapEntitiesCollection *ward, const TLaid &l) {
  CMapEntity_Game *m = l.medicine.in(ward);
  return m && !m->getKill() && !m->carrying().getParent() ? m : nullptr;
}

Rect CMapEntity_LekarnaClass::placeShare(int n, const Rect &bottleBox) const {
  auto box = [&](int k) {
    const TMedSlot at = placeFor(k);
    return Rect{at.x + bottleBox.x, at.y + bottleBox.y, bottleBox.w, bottleBox.h};
  };
  const Rect b = box(n);
  const int middle = b.x + b.w / 2;
  const bool onCounter = middle >= counterLeft && middle < counterRight && b.y < counterBase && b.y + b.h > counterTop;
  int left = b.x, right = b.x + b.w, foot = b.y + b.h;
  if (n > 1) left = (box(n - 1).x + box(n - 1).w + b.x) / 2;
  else if (onCounter) left = counterLeft;
  if (n < kPlaces) right = (b.x + b.w + box(n + 1).x) / 2;
  else if (onCounter) right = counterRight;
  if (onCounter) foot = std::max(foot, counterBase);
  return Rect{left, b.y, right - left, foot - b.y};
}

// Of two medicines for one bed, the one laid out last lies on top.
TCounterPress CMapEntity_LekarnaClass::pressAt(const CMapEntitiesCollection *ward, float x, float y) {
  TCounterPress press;
  const CMapEntity_Game *prototype = CMapEntitiesFactory::instance()->najdiEntity("LEK");
  const Frame *f = prototype ? prototype->looks().getCurrentFrame() : nullptr;
  if (!f || getKill()) return press;
  for (int n = 1; n <= kPlaces && !press.place; ++n) {
    const Rect share = placeShare(n, f->getActionBoundingBox());
    if (hitBox((float)share.x, (float)share.y, (float)share.w, (float)share.h, x, y))
      press = {this, n, nullptr};
  }
  for (const TLaid &l : laid)
    if (CMapEntity_Game *m = l.place == press.place ? lying(ward, l) : nullptr) press.bottle = m;
  return press;
}

TCounterPress counterPressAt(CMapEntitiesCollection *ward, CMapEntity_Game *cursor) {
  if (!ward || !cursor) return {};
  for (CMapEntity *e : cursor->hits().getActionCollided())
    if (e != cursor && e->getMouseClick()) return {};
  for (CMapEntity_Game *e : *ward->getEntitiesPtr())
    if (CMapEntity_LekarnaClass *c = dynamic_cast<CMapEntity_LekarnaClass *>(e)) {
      const TCounterPress press = c->pressAt(ward, cursor->getX(), cursor->getY());
      if (press.place) return press;
    }
  return {};
}

CMapEntity_LekarnaAura::~CMapEntity_LekarnaAura() {
  if (CMapEntity_Game *cabinet = dynamic_cast<CMapEntity_Game *>(carrying().getParent()))
    if (cabinet->getHighlight() == this) cabinet->setHighlight(nullptr);
}
