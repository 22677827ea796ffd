#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "engine/KEvent.h"
#include "world/TEntityRef.h"

namespace {

int g_released = 0;

struct Counted {
  explicit Counted(int v) : v(v) {}
  ~Counted() { ++g_released; }
  int v;
};

// A behaviour that gives the orders it was told to give on a click, and carries out its own
// order when it reaches the head: what the game's clickable behaviours do.
class Worker : public CEntityController {
public:
  explicit Worker(const std::string &bindTo) : CEntityController(nullptr, nullptr, nullptr, bindTo) {}
  Worker *clone() override { return new Worker(*this); }
  void specificHandleMessages(KEvent *) override {
    for (int priority : orders) actionQueue()->pridej(order(1, priority));
    if (victim) getEntity()->removeEntity(victim);
  }
  void update() override {
    if (!actionQueue()->muzuProvadet(this, 1)) return;
    ++done;
    actionQueue()->removeFirst(this, 1);
  }
  akce *order(unsigned short id, int priority) {
    akce *a = new akce();
    a->controller = this;
    a->id = id;
    a->priority = priority;
    return a;
  }

  std::vector<int> orders;
  CMapEntity *victim = nullptr;
  int done = 0;
};

class ActionQueueTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    g_released = 0;
    addPlainSprite("EMPTY", "empty.png", 1, 1);
    queue = new CMapEntity_FrontaAkci(0, 0, false);
    collection->addEntity(queue);
  }

  Worker *worker(const std::string &name, std::vector<int> orders) {
    Worker *w = new Worker(name);
    w->orders = std::move(orders);
    prototypes.addController(w);
    return w;
  }

  Worker *bound(const std::string &name) {
    for (CEntityController *c : behaviours.getControllers())
      if (c->getBindTo() == name) return static_cast<Worker *>(c);
    return nullptr;
  }

  // The level's handling of one event: the behaviours, then the orders join the queue.
  void click() {
    KEvent ev{};
    ev.type = K_EVENT_MOUSEDOWN;
    behaviours.handleMessages(&ev);
    queue->flushPredFronta();
  }

  std::vector<int> priorities() const {
    std::vector<int> out;
    for (akce *a : queue->getFronta()) out.push_back(a->priority);
    return out;
  }

  CMapEntity_FrontaAkci *queue = nullptr;
};

TEST_F(ActionQueueTest, TheRegisteredPrototypeIsAnInvisibleQueueOnTop) {
  CMapEntity_FrontaAkci *p = CMapEntity_FrontaAkci::makePrototype();
  EXPECT_EQ(p->name, "FRONTAAKCI");
  EXPECT_EQ(p->getEntityID(), 73u);
  EXPECT_EQ(p->getEntityClassID(), 0u);
  EXPECT_FALSE(p->looks().getVisible());
  EXPECT_EQ(p->getWalkPenalty(), 200);
  EXPECT_TRUE(p->getDrawOnTop());
  EXPECT_EQ(p->looks().getSortZ(), 5);
  EXPECT_STREQ(p->looks().getSprite()->getID(), "EMPTY");

  akce *a = new akce();
  p->pridej(a);
  p->flushPredFronta();
  p->setClear(true);
  auto *copy = static_cast<CMapEntity_FrontaAkci *>(p->clone());
  EXPECT_TRUE(copy->getClear());
  EXPECT_TRUE(copy->getFronta().empty()) << "a copy starts with empty queues";
  delete copy;
  delete p;
}

TEST_F(ActionQueueTest, OrdersOfOneEventAreSortedByPriorityBehindEarlierOnes) {
  CFakeTime::instance()->ms = 4321;
  akce *walk = new akce(), *first = new akce(), *second = new akce(), *low = new akce();
  walk->priority = 3;
  first->priority = 1;
  second->priority = 1;
  low->priority = 0;
  for (akce *a : {walk, first, low, second}) queue->pridej(a);
  EXPECT_EQ(posledniKlik, 4321u);
  EXPECT_TRUE(queue->getFronta().empty()) << "orders wait until the event has been handled";
  queue->flushPredFronta();
  EXPECT_EQ(queue->getFronta(), (std::vector<akce *>{low, first, second, walk}));
  EXPECT_TRUE(queue->getPredFronta().empty());

  akce *urgent = new akce();
  urgent->priority = -5;
  queue->pridej(urgent);
  queue->flushPredFronta();
  EXPECT_EQ(priorities(), (std::vector<int>{0, 1, 1, 3, -5})) << "the queue itself is never re-sorted";

  std::vector<akce *> many;
  for (int i = 0; i < 40; ++i) {
    many.push_back(new akce());
    many.back()->priority = i % 2;
    queue->pridej(many.back());
  }
  queue->clear();
  queue->flushPredFronta();
  EXPECT_TRUE(queue->getFronta().empty());
}

TEST_F(ActionQueueTest, OnlyTheBehaviourAtTheHeadActsAndItsRemovalLetsTheNextStart) {
  worker("BED", {2});
  worker("CABINET", {1});
  live("BED", 0, 0, 0, 300);
  live("CABINET", 0, 0, 0, 100);
  levelUpdate();
  Worker *bed = bound("BED"), *cabinet = bound("CABINET");
  ASSERT_TRUE(bed && cabinet);

  click();
  ASSERT_EQ(queue->getFronta().size(), 2u);
  EXPECT_TRUE(queue->muzuProvadet(cabinet, 1));
  EXPECT_FALSE(queue->muzuProvadet(bed, 1)) << "waiting even though its own work could start";
  EXPECT_FALSE(queue->muzuProvadet(cabinet, 2));
  EXPECT_EQ(queue->find(bed, 1), 1);
  EXPECT_EQ(queue->find(bed, 7), -1);

  // The bed, in front, updates first and finds the cabinet's order at the head.
  behaviours.update();
  EXPECT_EQ(cabinet->done, 1);
  EXPECT_EQ(bed->done, 0) << "one action at a time";
  behaviours.update();
  EXPECT_EQ(bed->done, 1);
  EXPECT_TRUE(queue->getFronta().empty());

  // Removing an order that is not at the head leaves the head alone.
  click();
  queue->removeFirst(bed, 1);
  queue->removeFirst(bed, 1);
  ASSERT_EQ(queue->getFronta().size(), 1u);
  EXPECT_TRUE(queue->muzuProvadet(cabinet, 1));
}

TEST_F(ActionQueueTest, ParametersAreReadByIndexAndOwnedOnesAreReleased) {
  akce *a = new akce();
  EXPECT_EQ(a->getParam(0), nullptr);
  a->addParam(new Counted(144), true);
  a->addParam(new Counted(208), true);
  EXPECT_EQ(static_cast<Counted *>(a->getParam(0))->v, 144);
  EXPECT_EQ(static_cast<Counted *>(a->getParam(5))->v, 208) << "past the end gives the last";
  CEntityController *who = reinterpret_cast<CEntityController *>(&g_released);
  a->controller = who;
  queue->pridej(a);
  queue->flushPredFronta();
  ASSERT_NE(queue->getParams(who, 0), nullptr);
  EXPECT_EQ(queue->getParams(who, 0)->size(), 2u);
  EXPECT_EQ(queue->returnAkce(who, 0), a);
  EXPECT_EQ(queue->getParams(who, 1), nullptr);
  queue->removeFirst(who, 0);
  EXPECT_EQ(g_released, 2);

  Counted kept(1);
  akce *b = new akce();
  b->addParam(&kept, false);
  delete b;
  EXPECT_EQ(g_released, 2) << "parameters the order does not own stay";
}

TEST_F(ActionQueueTest, ARightClickEmptiesTheQueueAndTheOrdersOfItsOwnEvent) {
  // The player's behaviour asks for the clear on a right click; the level serves it once every
  // behaviour has seen the event.
  struct Player : Worker {
    using Worker::Worker;
    Player *clone() override { return new Player(*this); }
    void specificHandleMessages(KEvent *ev) override {
      if (ev->button == 2) actionQueue()->setClear(true);
    }
  };
  prototypes.addController(new Player("PLAYER"));
  worker("BED", {1});
  live("PLAYER", 7, 0, 0, 500);
  live("BED", 0, 0, 0, 100);
  levelUpdate();
  click();
  akce *owning = new akce();
  owning->addParam(new Counted(5), true);
  queue->pridej(owning);
  queue->flushPredFronta();
  ASSERT_EQ(queue->getFronta().size(), 2u);

  KEvent ev{};
  ev.type = K_EVENT_MOUSEDOWN;
  ev.button = 2;
  behaviours.handleMessages(&ev);
  queue->flushPredFronta();
  ASSERT_TRUE(queue->getClear());
  queue->setClear(false);
  queue->clear();
  EXPECT_TRUE(queue->getFronta().empty());
  EXPECT_TRUE(queue->getPredFronta().empty()) << "the bed's order of the right click itself goes too";
  EXPECT_EQ(g_released, 1);
}

TEST_F(ActionQueueTest, AnEntityThatGoesTakesItsOrdersFromBothQueues) {
  worker("BED", {1});
  worker("PILLOW", {0});
  worker("BLANKET", {0});
  CMapEntity_Game *bed = live("BED", 0, 0, 0, 100);
  CMapEntity_Game *pillow = live("PILLOW");
  CMapEntity_Game *blanket = live("BLANKET");
  bed->addEntity(pillow, false, true);
  bed->addEntity(blanket, false, true);
  levelUpdate();
  Worker *bedWorker = bound("BED");
  Worker *blanketWorker = bound("BLANKET");

  click();
  ASSERT_EQ(queue->getFronta().size(), 3u);
  EXPECT_FALSE(queue->muzuProvadet(bedWorker, 1));
  pillow->setKill(true);
  collection->updateEntities();
  EXPECT_EQ(queue->getFronta().size(), 2u) << "the pillow's order went with it";

  // The carried parts take the event before their carrier. The blanket queues an order, then
  // the bed's behaviour deletes the blanket before the event has been handled in full.
  bedWorker->orders.clear();
  bedWorker->victim = blanket;
  const TEntityRef<CMapEntity_Game> blanketRef(blanket);
  click();
  EXPECT_EQ(blanketWorker->getEntity(), nullptr);
  EXPECT_FALSE(blanketRef.in(collection)) << "the collection does not keep a deleted entity either";
  ASSERT_EQ(queue->getFronta().size(), 1u) << "no order may name a behaviour that is about to go";
  EXPECT_TRUE(queue->muzuProvadet(bedWorker, 1));
  behaviours.update();
  EXPECT_EQ(bedWorker->done, 1);
  EXPECT_TRUE(queue->getFronta().empty());
  EXPECT_EQ(behaviours.size(), 1u);
}

TEST_F(ActionQueueTest, TheQueueWritesItselfToTheLog) {
  worker("BED", {2});
  live("BED");
  levelUpdate();
  click();
  clearLog();
  queue->log();
  EXPECT_NE(logText().find("LOGGING FRONTAAKCI-------------------\nBED 1entity: 0x"), std::string::npos);
}

} // namespace
