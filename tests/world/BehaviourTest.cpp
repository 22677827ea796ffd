#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "engine/KEvent.h"

namespace {

// What the behaviours did, in order: "bind NAME", "update NAME", "event NAME".
std::vector<std::string> &journal() {
  static std::vector<std::string> j;
  return j;
}

class Recorder : public CEntityController {
public:
  Recorder(const std::string &bindTo, const std::string &tag)
      : CEntityController(nullptr, nullptr, nullptr, bindTo), tag(tag) {}
  Recorder *clone() override { return new Recorder(*this); }
  void onBind() override { journal().push_back("bind " + who()); }
  void update() override { journal().push_back("update " + who()); }
  void specificHandleMessages(KEvent *) override { journal().push_back("event " + who()); }
  std::string who() const { return getEntity()->name + tag; }

  std::string tag;
};

class BehaviourTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    journal().clear();
  }

  std::vector<std::string> eventOrder() {
    journal().clear();
    KEvent ev{};
    ev.type = K_EVENT_MOUSEDOWN;
    behaviours.handleMessages(&ev);
    return journal();
  }
};

TEST_F(BehaviourTest, EntitiesAreBoundByNameInTheNextUpdateBeforeTheirFirstUpdate) {
  prototypes.addController(new Recorder("POSTEL1", ""));
  prototypes.addController(new Recorder("POSTEL1", " (second)"));
  CMapEntity_Game *bed = live("POSTEL1");
  CMapEntity_Game *plant = live("KYTKA");
  EXPECT_TRUE(CGlobals::instance()->entityAdded);
  EXPECT_EQ(bed->getController(), nullptr) << "nothing is bound when the entity is added";

  levelUpdate();
  EXPECT_EQ(journal(), (std::vector<std::string>{"bind POSTEL1", "update POSTEL1"}))
      << "the first prototype of that name is cloned, and onBind runs before the first update";
  ASSERT_NE(bed->getController(), nullptr);
  EXPECT_EQ(bed->getController()->getEntity(), bed);
  EXPECT_EQ(bed->getController()->getCollection(), collection);
  EXPECT_EQ(bed->getHasController(), 1);
  EXPECT_EQ(plant->getController(), nullptr) << "a name without a prototype behaviour is scenery";
  EXPECT_FALSE(CGlobals::instance()->entityAdded);

  // Added during the behaviour pass: the flag is up again, so the next update binds it.
  CMapEntity_Game *second = live("POSTEL1");
  journal().clear();
  levelUpdate();
  EXPECT_EQ(journal().front(), "bind POSTEL1");
  EXPECT_NE(second->getController(), nullptr);
  EXPECT_EQ(behaviours.size(), 2u);
}

TEST_F(BehaviourTest, InputAndUpdatesReachTheFrontMostEntityFirst) {
  for (const char *n : {"BACK", "MIDDLE", "FRONT", "TOP"}) prototypes.addController(new Recorder(n, ""));
  CMapEntity_Game *top = live("TOP", 0, 0, 0, 10);
  live("BACK", 0, 0, 0, 100);
  live("FRONT", 0, 0, 0, 300);
  live("MIDDLE", 0, 0, 0, 200);
  top->setSortZ(3, true);
  levelUpdate();
  EXPECT_EQ(eventOrder(), (std::vector<std::string>{"event TOP", "event FRONT", "event MIDDLE", "event BACK"}))
      << "higher layer first, then larger y";

  // A frame's sort offset counts with its y: MIDDLE at 200 + 150 passes FRONT at 300.
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (e->name == "MIDDLE") e->looks().changeSortY(150);
  journal().clear();
  behaviours.update();
  EXPECT_EQ(journal(), (std::vector<std::string>{"update TOP", "update FRONT", "update MIDDLE", "update BACK"}))
      << "the update that re-sorts still runs in the old order";
  EXPECT_EQ(eventOrder(), (std::vector<std::string>{"event TOP", "event MIDDLE", "event FRONT", "event BACK"}));
}

TEST_F(BehaviourTest, AnEntityWithoutTheFocusIsSkippedButKeepsItsBehaviour) {
  prototypes.addController(new Recorder("PANEL", ""));
  prototypes.addController(new Recorder("BED", ""));
  prototypes.addController(new Recorder("CURSOR", ""));
  CMapEntity_Game *panel = live("PANEL", 0, 0, 0, 10);
  CMapEntity_Game *bed = live("BED", 0, 0, 0, 20);
  CMapEntity_Game *cursor = live("CURSOR", 0, 0, 0, 30);
  cursor->setFocusable(false);
  levelUpdate();

  collection->focus(panel, nullptr);
  journal().clear();
  behaviours.update();
  EXPECT_EQ(journal(), (std::vector<std::string>{"update CURSOR", "update PANEL"}));
  EXPECT_EQ(eventOrder(), (std::vector<std::string>{"event CURSOR", "event PANEL"}))
      << "an entity that cannot take the focus is always served";
  EXPECT_EQ(behaviours.size(), 3u);
  ASSERT_NE(bed->getController(), nullptr);

  collection->unfocus(nullptr);
  EXPECT_EQ(eventOrder(), (std::vector<std::string>{"event CURSOR", "event BED", "event PANEL"}));
}

TEST_F(BehaviourTest, AKilledEntityTakesItsBehaviourWithItInTheNextUpdate) {
  prototypes.addController(new Recorder("BED", ""));
  CMapEntity_Game *bed = live("BED");
  levelUpdate();
  ASSERT_EQ(behaviours.size(), 1u);
  CEntityController *c = bed->getController();
  c->killEntity();
  EXPECT_TRUE(bed->getKill());
  collection->updateEntities();
  EXPECT_EQ(c->getEntity(), nullptr) << "the dying entity lets its behaviour know";
  EXPECT_TRUE(eventOrder().empty()) << "a behaviour without an entity takes no events";
  journal().clear();
  behaviours.update();
  EXPECT_EQ(behaviours.size(), 0u);
  EXPECT_TRUE(journal().empty());
}

TEST_F(BehaviourTest, ABehaviourDeletedBeforeItsEntityLetsTheEntityBeBoundAgain) {
  prototypes.addController(new Recorder("BED", ""));
  CMapEntity_Game *bed = live("BED");
  levelUpdate();
  behaviours.eraseControllers();
  EXPECT_EQ(bed->getController(), nullptr);
  collection->addEntity(bed);
  levelUpdate();
  EXPECT_NE(bed->getController(), nullptr);
  EXPECT_EQ(collection->getEntitiesPtr()->size(), 1u) << "adding a listed entity again only raises the flag";
}

TEST_F(BehaviourTest, HandlingAnEventClearsTheActivatedFlag) {
  CMapEntity::activated = 1;
  eventOrder();
  EXPECT_EQ(CMapEntity::activated, 0);
}

using BehaviourDeathTest = BehaviourTest;

TEST_F(BehaviourDeathTest, ANullEntityInTheListEndsTheProcess) {
  prototypes.addController(new Recorder("BED", ""));
  collection->getEntitiesPtr()->push_back(nullptr);
  EXPECT_EXIT(prototypes.bindVzoryTo(&behaviours, collection->getEntitiesPtr(), collection, true),
              ::testing::ExitedWithCode(255), "Error pri bindu!");
  collection->getEntitiesPtr()->clear();
}

} // namespace
