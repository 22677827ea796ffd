#include "world/CEntityGenerator.h"

#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_Game.h"

CEntityGenerator::CEntityGenerator(int32_t x_, int32_t y_, int intervalMs, int startMs)
    : x(x_), y(y_), first(1), interval(new Timer(intervalMs, false)), start(new Timer(startMs, false)) {
  start->reset();
}

CEntityGenerator::~CEntityGenerator() {
  for (CMapEntity_Game *e : waiting) delete e;
  waiting.clear();
  delete interval;
  delete start;
}

bool CEntityGenerator::update(CMapEntitiesCollection *collection) {
  if (interval->udalost() && !waiting.empty() && first == 0) {
    release(collection);
    return true;
  }
  if (start->udalost() && first == 1 && !waiting.empty()) {
    release(collection);
    return true;
  }
  return false;
}

void CEntityGenerator::release(CMapEntitiesCollection *collection) {
  first = 0;
  CMapEntity_Game *e = waiting.back();
  waiting.pop_back();
  if (e) e->setXY((float)x, (float)y);
  interval->reset();
  if (!e) return;
  if (collection)
    collection->addEntity(e);
  else
    delete e;
}
