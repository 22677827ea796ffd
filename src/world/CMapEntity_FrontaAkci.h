#pragma once
#include <cstdint>
#include <type_traits>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/EntityIds.h"

class CEntityController;
class CMapEntitiesCollection;

// Game time (ms) of the last queued order; the player figure also sets it when it arrives.
extern uint32_t posledniKlik;

// One order for the player's queue: the behaviour that carries it out, what to do and with what.
struct akce {
  akce();
  akce(const akce &) = delete;
  akce &operator=(const akce &) = delete;
  // Releases the parameters when the last addParam said they are owned.
  ~akce();

  // Parameters are typed so that owned ones can be released as what they are.
  template <class T> void addParam(T *p, bool own) {
    static_assert(!std::is_void<T>::value, "an order's parameter needs its type");
    params.push_back(p);
    releasers.push_back(&releaseAs<T>);
    ownsParams = own;
  }
  // Null without parameters; past the end, the last one.
  void *getParam(unsigned short i) const;

  CEntityController *controller;
  bool ownsParams;
  uint16_t id;
  std::vector<void *> params;
  int32_t priority;

private:
  template <class T> static void releaseAs(void *p) { delete static_cast<T *>(p); }
  std::vector<void (*)(void *)> releasers;
};

// The player's orders, carried out one at a time. Behaviours add orders while an event is
// handled; after it the level sorts them by priority (lowest first) and appends them to the
// queue. Only the behaviour whose order stands at the head acts, and it removes the order when
// done. An invisible entity of the level (`kActionQueueID`), so every behaviour finds it by ID.
class CMapEntity_FrontaAkci : public CCloneable<CMapEntity_FrontaAkci, CMapEntity_Game> {
public:
  static const uint32_t kEntityID = kActionQueueID;

  CMapEntity_FrontaAkci(unsigned short x, unsigned short y, bool solid);
  // A copy keeps the entity part and the clear request and starts with empty queues.
  CMapEntity_FrontaAkci(const CMapEntity_FrontaAkci &other);
  // The registered prototype "FRONTAAKCI" with its sprite "EMPTY" (needs the sprite factory).
  static CMapEntity_FrontaAkci *makePrototype();

  void renderAdditional(KGraphic *g) override;
  ~CMapEntity_FrontaAkci() override;

  // Takes ownership; the order waits in the pending queue until flushPredFronta.
  void pridej(akce *a);
  // An order of c without parameters.
  void pridej(CEntityController *c, unsigned short id, int priority);
  // A left click's orders for c: on its entity, activation (1, priority 1) and the "OK" marker
  // where the click was, at (x + 9, y + 24); elsewhere, deactivation (2, priority 0).
  void queueClick(CEntityController *c, bool onEntity, CMapEntitiesCollection *collection, int x, int y);
  void flushPredFronta();
  bool muzuProvadet(CEntityController *c, unsigned short id) const;
  void removeFirst(CEntityController *c, unsigned short id);
  // Serves the behaviour's click orders at the head: 1 marks its entity active, 2 inactive.
  void serveActivation(CEntityController *c, CMapEntity *e);
  int16_t find(CEntityController *c, unsigned short id) const;
  akce *returnAkce(CEntityController *c, unsigned short id) const;
  std::vector<void *> *getParams(CEntityController *c, unsigned short id) const;
  // Drops every order, queued or pending, whose behaviour serves this entity.
  void removeByEntity(CMapEntity *e);
  void clear();
  void setClear(bool c) { clearFlag = c ? 1 : 0; }
  // The click being handled orders nothing after all: its pending orders are dropped at the flush.
  void refuseEvent() { refused = true; }
  // True once after refuseEvent, with the pending orders dropped.
  bool dropRefused();
  bool getClear() const { return clearFlag != 0; }
  void log() const;

  const std::vector<akce *> &getFronta() const { return fronta; }
  const std::vector<akce *> &getPredFronta() const { return predFronta; }

  // The queue of a collection (its entity of `kEntityID`), or null.
  static CMapEntity_FrontaAkci *najdi(const CMapEntitiesCollection *collection);
  // The same for a behaviour that cannot work without it: a level without one ends the process.
  static CMapEntity_FrontaAkci *require(const CMapEntitiesCollection *collection);
  // What a dying entity does through the queue of the running level's collection.
  static void removeFromQueueIn(const CMapEntitiesCollection *collection, CMapEntity *e);

private:
  std::vector<akce *> fronta;
  std::vector<akce *> predFronta;
  uint32_t clearFlag;
  bool refused = false;
};
