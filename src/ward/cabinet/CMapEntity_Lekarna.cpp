#include "ward/cabinet/CMapEntity_Lekarna.h"

#include "media/CFatal.h"

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

CMapEntity_LekarnaAura::~CMapEntity_LekarnaAura() {
  if (CMapEntity_Game *cabinet = dynamic_cast<CMapEntity_Game *>(carrying().getParent()))
    if (cabinet->getHighlight() == this) cabinet->setHighlight(nullptr);
}
