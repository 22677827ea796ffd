#include "ward/cabinet/CMapEntity_Lekarna.h"

#include <algorithm>

#include "media/CFatal.h"
#include "media/Frame.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/HitBox.h"
#include "world/kinds/EntityIds.h"

namespace {
// The pharmacy counter every ward's background paints along its back wall, from its top to the
// foot of its drawers: the cabinets lay their medicines out on it.
const Rect kCounter{326, 82, 226, 42};

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

CMapEntity_LekarnaClass::CMapEntity_LekarnaClass(const CMapEntity_LekarnaClass &o)
    : CMapEntity_Game(o), medOffsetX(o.medOffsetX), medOffsetY(o.medOffsetY), productionTime(o.productionTime) {}

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

Rect CMapEntity_LekarnaClass::placeShare(int n, const Rect &bottleBox) const {
  auto box = [&](int k) {
    const TMedSlot at = placeFor(k);
    return Rect{at.x + bottleBox.x, at.y + bottleBox.y, bottleBox.w, bottleBox.h};
  };
  const Rect b = box(n);
  const int middle = b.x + b.w / 2;
  const bool onCounter = middle >= kCounter.x && middle < kCounter.x + kCounter.w && b.y < kCounter.y + kCounter.h &&
                         b.y + b.h > kCounter.y;
  int left = b.x, right = b.x + b.w, foot = b.y + b.h;
  if (n > 1) left = (box(n - 1).x + box(n - 1).w + b.x) / 2;
  else if (onCounter) left = kCounter.x;
  if (n < kPlaces) right = (b.x + b.w + box(n + 1).x) / 2;
  else if (onCounter) right = kCounter.x + kCounter.w;
  if (onCounter) foot = std::max(foot, kCounter.y + kCounter.h);
  return Rect{left, b.y, right - left, foot - b.y};
}

TCounterPress counterPressAt(CMapEntitiesCollection *ward, CMapEntity_Game *cursor) {
  TCounterPress press;
  const CMapEntity_Game *prototype = CMapEntitiesFactory::instance()->najdiEntity("LEK");
  const Frame *f = prototype ? prototype->looks().getCurrentFrame() : nullptr;
  if (!ward || !cursor || !f) return press;
  for (CMapEntity *e : cursor->hits().getActionCollided())
    if (e != cursor && e->getMouseClick()) return press;
  const float x = cursor->getX(), y = cursor->getY();
  for (CMapEntity_Game *e : *ward->getEntitiesPtr()) {
    CMapEntity_LekarnaClass *c = dynamic_cast<CMapEntity_LekarnaClass *>(e);
    if (!c || c->getKill()) continue;
    for (int n = 1; n <= CMapEntity_LekarnaClass::kPlaces && !press.place; ++n) {
      const Rect share = c->placeShare(n, f->getActionBoundingBox());
      if (hitBox((float)share.x, (float)share.y, (float)share.w, (float)share.h, x, y)) press = {c, n, nullptr};
    }
    if (press.place) break;
  }
  if (!press.place) return press;
  const TMedSlot at = press.cabinet->placeFor(press.place);
  for (CMapEntity_Game *e : *ward->getEntitiesPtr())
    if (e->getEntityID() == kMedicineID && !e->getKill() && !e->carrying().getParent() && (int)e->getX() == at.x &&
        (int)e->getY() == at.y)
      press.bottle = e;
  return press;
}

CMapEntity_LekarnaAura::~CMapEntity_LekarnaAura() {
  if (CMapEntity_Game *cabinet = dynamic_cast<CMapEntity_Game *>(carrying().getParent()))
    if (cabinet->getHighlight() == this) cabinet->setHighlight(nullptr);
}
