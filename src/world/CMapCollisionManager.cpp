#include "world/CMapCollisionManager.h"

#include <algorithm>
#include <vector>

#include "media/Frame.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Game.h"
#include "world/CMapa.h"

namespace {
// The entity's float position as the pass sees it: truncated toward zero, then its low 16 bits.
int16_t screenCoordinate(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0f) return (int16_t)-1;
  if (v <= -2147483648.0f) return 0;
  return (int16_t)(uint16_t)(uint32_t)(int32_t)v;
}

TKolizniBox place(const CMapEntity *e, const Rect &r) {
  TKolizniBox b;
  b.x = (int16_t)(screenCoordinate(e->getX()) + (int16_t)r.x);
  b.y = (int16_t)(screenCoordinate(e->getY()) + (int16_t)r.y);
  b.w = (int16_t)r.w;
  b.h = (int16_t)r.h;
  return b;
}

bool inRange(int16_t v, int16_t from, int16_t length) {
  int16_t last = (int16_t)(from + length - 1);
  return from <= v && v <= last;
}

bool focusedOrUnfocusable(const CMapEntity *e) { return e->getFocus() || !e->getFocusable(); }

int16_t reachEnd(int16_t from, int16_t length) {
  int16_t last = (int16_t)(from + length - 1);
  return last < from ? from : last;
}
} // namespace

bool rectKolize(const TKolizniBox &a, const TKolizniBox &b) {
  bool xs = inRange(b.x, a.x, a.w) || inRange(a.x, b.x, b.w);
  bool ys = inRange(b.y, a.y, a.h) || inRange(a.y, b.y, b.h);
  return xs && ys;
}

bool rectKolize(const Rect &a, const Rect &b) {
  TKolizniBox ta{(int16_t)a.x, (int16_t)a.y, (int16_t)a.w, (int16_t)a.h};
  TKolizniBox tb{(int16_t)b.x, (int16_t)b.y, (int16_t)b.w, (int16_t)b.h};
  return rectKolize(ta, tb);
}

TKolizniBox bodyBox(const CMapEntity *e) {
  Frame *f = e->looks().getCurrentFrame();
  if (!f) return TKolizniBox{0, 0, 0, 0};
  return place(e, f->getBoundingBox());
}

TKolizniBox actionBox(const CMapEntity *e) {
  Frame *f = e->looks().getCurrentFrame();
  if (!f) return TKolizniBox{0, 0, 0, 0};
  return place(e, f->getActionBoundingBox());
}

CMapCollisionManager::CMapCollisionManager() : mapa(nullptr), collection(nullptr) {}

CMapCollisionManager::TReach CMapCollisionManager::reach(const TKolizniBox &b, size_t index) {
  return TReach{b, reachEnd(b.x, b.w), reachEnd(b.y, b.h), (uint32_t)index};
}

// Without short cuts: the answer is hard to guess, and a wrong guess costs more than the compares.
bool CMapCollisionManager::reachesOverlap(const TReach &a, const TReach &b) {
  return (a.box.x <= b.right) & (b.box.x <= a.right) & (a.box.y <= b.bottom) & (b.box.y <= a.bottom);
}

void CMapCollisionManager::bindMapaEC(CMapa *m, CMapEntitiesCollection *c) {
  mapa = m;
  collection = c;
}

void CMapCollisionManager::reactToCollisions() {}

void CMapCollisionManager::checkCollisions() {
  if (!collection) return;
  std::vector<CMapEntity_Game *> &list = *collection->getEntitiesPtr();
  const size_t n = list.size();
  bodies.resize(n);
  actions.resize(n);
  words.resize(n);
  for (size_t i = 0; i < n; ++i) {
    CMapEntity_Game *e = list[i];
    e->hits().removeCollisions();
    e->hits().removeActionCollisions();
    words[i] = e->hits().getNoCollision();
    Frame *f = e->looks().getCurrentFrame();
    bodies[i] = reach(f ? place(e, f->getBoundingBox()) : TKolizniBox{0, 0, 0, 0}, i);
    actions[i] = reach(f ? place(e, f->getActionBoundingBox()) : TKolizniBox{0, 0, 0, 0}, i);
  }
  bodyPass();
  actionPass();
  for (size_t i = 0; i < n; ++i) tilePass(list[i], bodies[i].box);
}

// The list runs in drawing order, so within a layer a box starting below A's bottom ends the
// scan for A; carried entities do not keep to that order and never end it.
void CMapCollisionManager::bodyPass() {
  std::vector<CMapEntity_Game *> &list = *collection->getEntitiesPtr();
  const size_t n = list.size();
  for (size_t i = 0; i < n; ++i) {
    const TReach &ar = bodies[i];
    if (words[i] != 0 || ar.box.empty()) continue;
    CMapEntity_Game *a = list[i];
    const int16_t bottom = (int16_t)(ar.box.y + ar.box.h);
    for (size_t j = i + 1; j < n; ++j) {
      const TReach &br = bodies[j];
      if (words[j] != 0 || br.box.empty()) continue;
      if (br.box.y > bottom) {
        if (!a->carrying().getParent() && !list[j]->carrying().getParent()) break;
        continue;
      }
      if (reachesOverlap(ar, br) && rectKolize(ar.box, br.box)) {
        a->hits().addEntityCollision(list[j]);
        list[j]->hits().addEntityCollision(a);
      }
    }
  }
}

// Entities of different no-collision words still meet here when both may take input and neither
// carries the other. Action boxes keep no drawing order, so the pairs come from a sweep over the
// boxes sorted by their first row and are then handed out in list order, each entity's partners
// in the order of the list, as a pass over every pair would.
void CMapCollisionManager::actionPass() {
  std::vector<CMapEntity_Game *> &list = *collection->getEntitiesPtr();
  sweep.clear();
  for (const TReach &r : actions)
    if (!r.box.empty()) sweep.push_back(r);
  std::sort(sweep.begin(), sweep.end(), [](const TReach &l, const TReach &r) {
    return l.box.y != r.box.y ? l.box.y < r.box.y : l.index < r.index;
  });

  pairs.clear();
  for (size_t k = 0; k < sweep.size(); ++k) {
    const TReach &first = sweep[k];
    for (size_t m = k + 1; m < sweep.size() && sweep[m].box.y <= first.bottom; ++m) {
      const TReach &second = sweep[m];
      if (!reachesOverlap(first, second) || !rectKolize(first.box, second.box)) continue;
      uint32_t i = first.index, j = second.index;
      if (j < i) std::swap(i, j);
      int32_t wa = words[i], wb = words[j];
      if (wa != 0 || wb != 0) {
        CMapEntity_Game *a = list[i], *b = list[j];
        if (wa == wb || !focusedOrUnfocusable(a) || !focusedOrUnfocusable(b) || a->carrying().carries(b) ||
            b->carrying().carries(a))
          continue;
      }
      pairs.emplace_back(i, j);
    }
  }

  // In list order: the pairs bucketed by their first entity, each bucket in the order of the second.
  const size_t n = list.size();
  starts.assign(n + 1, 0);
  for (const std::pair<uint32_t, uint32_t> &p : pairs) ++starts[p.first + 1];
  for (size_t i = 0; i < n; ++i) starts[i + 1] += starts[i];
  partners.resize(pairs.size());
  for (const std::pair<uint32_t, uint32_t> &p : pairs) partners[starts[p.first]++] = p.second;
  // starts[i] now ends bucket i.
  for (size_t i = 0, from = 0; i < n; from = starts[i++]) {
    std::sort(partners.begin() + (std::ptrdiff_t)from, partners.begin() + (std::ptrdiff_t)starts[i]);
    for (size_t k = from; k < starts[i]; ++k) {
      list[i]->hits().addEntityActionCollision(list[partners[k]]);
      list[partners[k]]->hits().addEntityActionCollision(list[i]);
    }
  }
}

// Blocking tiles of the first two layers under the entity's body box.
void CMapCollisionManager::tilePass(CMapEntity *e, const TKolizniBox &body) {
  if (!mapa) return;
  std::vector<TLayer> &layers = mapa->getLayers();
  size_t layerCount = layers.size() < 2 ? layers.size() : 2;
  if (layerCount == 0) return;
  std::array<TTileDefinice, MAPA_DEFINIC> &defs = mapa->getDefinice();
  forEachCoveredCell(body, [&](int, int, int index) {
    for (size_t l = 0; l < layerCount; ++l) {
      uint16_t id = layers[l].cells[index].id;
      if (id == 0) continue;
      if (id < MAPA_DEFINIC && defs[id].walkable == 1) continue;
      e->hits().addTileCollision(id);
    }
  });
}
