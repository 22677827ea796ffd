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
  Frame *f = e->getCurrentFrame();
  if (!f) return TKolizniBox{0, 0, 0, 0};
  return place(e, f->getBoundingBox());
}

TKolizniBox actionBox(const CMapEntity *e) {
  Frame *f = e->getCurrentFrame();
  if (!f) return TKolizniBox{0, 0, 0, 0};
  return place(e, f->getActionBoundingBox());
}

CMapCollisionManager::CMapCollisionManager() : mapa(nullptr), collection(nullptr) {}

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
  for (size_t i = 0; i < n; ++i) {
    CMapEntity_Game *e = list[i];
    e->removeCollisions();
    e->removeActionCollisions();
    Frame *f = e->getCurrentFrame();
    bodies[i] = f ? place(e, f->getBoundingBox()) : TKolizniBox{0, 0, 0, 0};
    actions[i] = f ? place(e, f->getActionBoundingBox()) : TKolizniBox{0, 0, 0, 0};
  }
  bodyPass();
  actionPass();
  for (size_t i = 0; i < n; ++i) tilePass(list[i], bodies[i]);
}

// The list runs in drawing order, so within a layer a box starting below A's bottom ends the
// scan for A; carried entities do not keep to that order and never end it.
void CMapCollisionManager::bodyPass() {
  std::vector<CMapEntity_Game *> &list = *collection->getEntitiesPtr();
  const size_t n = list.size();
  for (size_t i = 0; i < n; ++i) {
    CMapEntity_Game *a = list[i];
    const TKolizniBox &ab = bodies[i];
    if (a->getNoCollision() != 0 || ab.empty()) continue;
    const int16_t bottom = (int16_t)(ab.y + ab.h);
    for (size_t j = i + 1; j < n; ++j) {
      CMapEntity_Game *b = list[j];
      const TKolizniBox &bb = bodies[j];
      if (b->getNoCollision() != 0 || bb.empty()) continue;
      if (bb.y > bottom) {
        if (!a->getParent() && !b->getParent()) break;
        continue;
      }
      if (rectKolize(ab, bb)) {
        a->addEntityCollision(b);
        b->addEntityCollision(a);
      }
    }
  }
}

// Entities of different no-collision words still meet here when both may take input and neither
// carries the other. Action boxes keep no drawing order, so the pairs come from a sweep over the
// boxes sorted by their first row and are then handed out in list order, each entity's partners
// in the order of the list.
void CMapCollisionManager::actionPass() {
  std::vector<CMapEntity_Game *> &list = *collection->getEntitiesPtr();
  rows.clear();
  for (size_t i = 0; i < list.size(); ++i) {
    const TKolizniBox &b = actions[i];
    if (b.empty()) continue;
    int16_t last = (int16_t)(b.y + b.h - 1);
    rows.push_back(TRows{b.y, last < b.y ? b.y : last, (uint32_t)i});
  }
  std::sort(rows.begin(), rows.end(), [](const TRows &l, const TRows &r) {
    return l.from != r.from ? l.from < r.from : l.index < r.index;
  });

  pairs.clear();
  for (size_t k = 0; k < rows.size(); ++k) {
    for (size_t m = k + 1; m < rows.size() && rows[m].from <= rows[k].to; ++m) {
      uint32_t i = rows[k].index, j = rows[m].index;
      if (j < i) std::swap(i, j);
      CMapEntity_Game *a = list[i], *b = list[j];
      int32_t wa = a->getNoCollision(), wb = b->getNoCollision();
      bool tested = (wa == 0 && wb == 0) || (wa != wb && focusedOrUnfocusable(a) && focusedOrUnfocusable(b) &&
                                              !a->carries(b) && !b->carries(a));
      if (tested && rectKolize(actions[i], actions[j])) pairs.emplace_back(i, j);
    }
  }
  std::sort(pairs.begin(), pairs.end());
  for (const std::pair<uint32_t, uint32_t> &p : pairs) {
    list[p.first]->addEntityActionCollision(list[p.second]);
    list[p.second]->addEntityActionCollision(list[p.first]);
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
      e->addTileCollision(id);
    }
  });
}
