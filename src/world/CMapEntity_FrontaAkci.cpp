#include "world/CMapEntity_FrontaAkci.h"

#include <initializer_list>

#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "world/CEntityController.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"

uint32_t posledniKlik = 0;

namespace {
template <class... Parts> void logLine(const Parts &...parts) { CLogger::instance()->logParts(parts...); }

bool matches(const akce *a, const CEntityController *c, unsigned short id) {
  return a->controller == c && a->id == id;
}
} // namespace

akce::akce() : controller(nullptr), ownsParams(false), id(0), priority(0) {}

akce::~akce() {
  if (!ownsParams) return;
  for (size_t i = 0; i < params.size(); ++i)
    if (params[i]) releasers[i](params[i]);
}

void *akce::getParam(unsigned short i) const {
  if (params.empty()) return nullptr;
  return i < params.size() ? params[i] : params.back();
}

CMapEntity_FrontaAkci::CMapEntity_FrontaAkci(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid), clearFlag(0) {
  name = "FRONTAAKCI";
  setEntityID(kEntityID);
  setEntityClassID(0);
  looks().setVisible(false);
  setWalkPenalty(200);
  setDrawOnTop(true);
  setSortZ(5, false);
}

CMapEntity_FrontaAkci::CMapEntity_FrontaAkci(const CMapEntity_FrontaAkci &o)
    : CCloneable(o), clearFlag(o.clearFlag) {}

CMapEntity_FrontaAkci *CMapEntity_FrontaAkci::makePrototype() {
  CMapEntity_FrontaAkci *q = new CMapEntity_FrontaAkci(0, 0, false);
  q->looks().setSprite("EMPTY");
  q->changeFrameset("FRAMESET1");
  return q;
}

CMapEntity_FrontaAkci::~CMapEntity_FrontaAkci() { clear(); }

void CMapEntity_FrontaAkci::renderAdditional(KGraphic *) {}

void CMapEntity_FrontaAkci::pridej(akce *a) {
  if (!a) return;
  predFronta.push_back(a);
  posledniKlik = CFakeTime::instance()->ms;
}

void CMapEntity_FrontaAkci::pridej(CEntityController *c, unsigned short id, int priority) {
  akce *a = new akce();
  a->controller = c;
  a->id = id;
  a->priority = priority;
  pridej(a);
}

void CMapEntity_FrontaAkci::queueClick(CEntityController *c, bool onEntity, CMapEntitiesCollection *collection, int x,
                                      int y) {
  if (!onEntity) {
    pridej(c, 2, 0);
    return;
  }
  pridej(c, 1, 1);
  CMapEntity_Game *ok = CMapEntitiesFactory::instance()->cloneEntity("OK");
  ok->setXY((float)(x + 9), (float)(y + 24));
  collection->addEntity(ok);
}

// Stable, so orders of one priority keep the order in which they were given; a click gives a
// handful, so an insertion sort in place does.
void CMapEntity_FrontaAkci::flushPredFronta() {
  for (size_t i = 1; i < predFronta.size(); ++i) {
    akce *a = predFronta[i];
    size_t j = i;
    for (; j > 0 && predFronta[j - 1]->priority > a->priority; --j) predFronta[j] = predFronta[j - 1];
    predFronta[j] = a;
  }
  fronta.insert(fronta.end(), predFronta.begin(), predFronta.end());
  predFronta.clear();
}

bool CMapEntity_FrontaAkci::dropRefused() {
  if (!refused) return false;
  refused = false;
  for (akce *a : predFronta) delete a;
  predFronta.clear();
  return true;
}

bool CMapEntity_FrontaAkci::muzuProvadet(CEntityController *c, unsigned short id) const {
  return !fronta.empty() && matches(fronta.front(), c, id);
}

void CMapEntity_FrontaAkci::removeFirst(CEntityController *c, unsigned short id) {
  for (size_t i = 0; i < fronta.size(); ++i) {
    if (!matches(fronta[i], c, id)) continue;
    akce *a = fronta[i];
    fronta.erase(fronta.begin() + (long)i);
    delete a;
    return;
  }
}

int16_t CMapEntity_FrontaAkci::find(CEntityController *c, unsigned short id) const {
  for (size_t i = 0; i < fronta.size(); ++i)
    if (matches(fronta[i], c, id)) return (int16_t)i;
  return -1;
}

akce *CMapEntity_FrontaAkci::returnAkce(CEntityController *c, unsigned short id) const {
  for (akce *a : fronta)
    if (matches(a, c, id)) return a;
  return nullptr;
}

std::vector<void *> *CMapEntity_FrontaAkci::getParams(CEntityController *c, unsigned short id) const {
  akce *a = returnAkce(c, id);
  return a ? &a->params : nullptr;
}

// The pending orders are searched too: an order given in the same event by a behaviour whose
// entity then went would otherwise reach the queue naming a behaviour that no longer exists.
void CMapEntity_FrontaAkci::removeByEntity(CMapEntity *e) {
  logLine("Trying to remove ", e ? e->name.c_str() : "", " ", (void *)e);
  if (!e) return;
  for (std::vector<akce *> *queue : {&fronta, &predFronta}) {
    for (size_t i = 0; i < queue->size();) {
      akce *a = (*queue)[i];
      if (!a->controller || a->controller->getEntity() != e) {
        ++i;
        continue;
      }
      logLine("Removing ", e->name);
      queue->erase(queue->begin() + (long)i);
      delete a;
    }
  }
}

void CMapEntity_FrontaAkci::clear() {
  std::vector<akce *> old;
  old.swap(fronta);
  old.insert(old.end(), predFronta.begin(), predFronta.end());
  predFronta.clear();
  for (akce *a : old) delete a;
}

void CMapEntity_FrontaAkci::log() const {
  logLine("LOGGING FRONTAAKCI-------------------");
  for (const akce *a : fronta) {
    CMapEntity *e = a->controller ? a->controller->getEntity() : nullptr;
    if (!e) continue;
    logLine(e->name, " ", a->id, "entity: ", (void *)e);
  }
}

CMapEntity_FrontaAkci *CMapEntity_FrontaAkci::najdi(const CMapEntitiesCollection *collection) {
  if (!collection) return nullptr;
  return dynamic_cast<CMapEntity_FrontaAkci *>(collection->getEntityByID(kEntityID));
}

CMapEntity_FrontaAkci *CMapEntity_FrontaAkci::require(const CMapEntitiesCollection *collection) {
  CMapEntity_FrontaAkci *q = najdi(collection);
  if (!q) fatalError("Entita nemuze pracovat bez FRONTAAKCI, exit", -1);
  return q;
}

void CMapEntity_FrontaAkci::removeFromQueueIn(const CMapEntitiesCollection *collection, CMapEntity *e) {
  CMapEntity_FrontaAkci *q = najdi(collection);
  if (q && q != e) q->removeByEntity(e);
}

void CMapEntity_FrontaAkci::serveActivation(CEntityController *c, CMapEntity *e) {
  if (!e) return;
  if (muzuProvadet(c, 1)) {
    e->setAktivni(true);
    removeFirst(c, 1);
  }
  if (muzuProvadet(c, 2)) {
    e->setAktivni(false);
    removeFirst(c, 2);
  }
}
