#include "world/CEntityControllers_Game.h"

#include <algorithm>

#include "world/CEntityController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity.h"
#include "world/CMapEntity_Game.h"

CEntityControllers_Game::CEntityControllers_Game() {}

CEntityControllers_Game::~CEntityControllers_Game() { eraseControllers(); }

void CEntityControllers_Game::addController(CEntityController *c) { controllers.push_back(c); }

CEntityController *CEntityControllers_Game::getControllerByBindName(const std::string &name) const {
  for (CEntityController *c : controllers)
    if (c && c->getBindTo() == name) return c;
  return nullptr;
}

// Asked for every entity without a behaviour whenever entities come or go: the prototypes are
// looked up by name rather than compared one by one.
CEntityController *CEntityControllers_Game::cloneController(const std::string &name) const {
  if (indexed != controllers.size() || byName.empty()) {
    byName.clear();
    for (CEntityController *c : controllers)
      if (c) byName.emplace(c->getBindTo(), c);
    indexed = controllers.size();
  }
  auto it = byName.find(name);
  return it == byName.end() ? nullptr : it->second->clone();
}

void CEntityControllers_Game::update() {
  // By index and re-checked at every step: a behaviour's work may destroy other entities, and
  // with them the entities of behaviours further down the list.
  for (size_t i = 0; i < controllers.size();) {
    CEntityController *c = controllers[i];
    if (!c) {
      controllers.erase(controllers.begin() + (long)i);
      continue;
    }
    CMapEntity_Game *e = c->getEntity();
    if (!e) {
      controllers.erase(controllers.begin() + (long)i);
      delete c;
      continue;
    }
    ++i;
    if (!e->getFocus() && e->getFocusable()) continue;
    c->update();
  }
  eraseUnbound();
  sortFrontFirst();
}

void CEntityControllers_Game::handleMessages(KEvent *ev) {
  for (size_t i = 0; i < controllers.size(); ++i) {
    CEntityController *c = controllers[i];
    if (c && c->getEntity()) c->handleMessages(ev);
  }
  CMapEntity::activated = 0;
}

void CEntityControllers_Game::eraseControllers() {
  byName.clear();
  std::vector<CEntityController *> old;
  old.swap(controllers);
  for (CEntityController *c : old) delete c;
}

void CEntityControllers_Game::eraseUnbound() {
  for (size_t i = 0; i < controllers.size();) {
    CEntityController *c = controllers[i];
    if (c && c->getEntity()) {
      ++i;
      continue;
    }
    controllers.erase(controllers.begin() + (long)i);
    delete c;
  }
}

// The exact reverse of the drawing order: higher layer first, then larger y plus sort offset.
void CEntityControllers_Game::sortFrontFirst() {
  std::sort(controllers.begin(), controllers.end(), [](CEntityController *a, CEntityController *b) {
    const CMapEntity *ea = a->getEntity();
    const CMapEntity *eb = b->getEntity();
    if (ea->looks().getSortZ() != eb->looks().getSortZ()) return ea->looks().getSortZ() > eb->looks().getSortZ();
    return CMapEntitiesCollection::drawKeyY(ea) > CMapEntitiesCollection::drawKeyY(eb);
  });
}
