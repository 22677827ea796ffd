#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "media/CSurface.h"
#include "media/Frame.h"
#include "world/TEntityRef.h"

namespace {

int g_deleted = 0;
int g_removedThroughCarrier = 0;

// Counts its deletions and the entities it lets go of through removeEntity.
class Counted : public CMapEntity_Game {
public:
  explicit Counted(const std::string &n) : CMapEntity_Game(0, 0, false) { name = n; }
  ~Counted() override { ++g_deleted; }
  void removeEntity(CMapEntity *e) override {
    ++g_removedThroughCarrier;
    CMapEntity::removeEntity(e);
  }
};

class CollectionTest : public FrameworkTest {
protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    g_deleted = 0;
    g_removedThroughCarrier = 0;
  }

  Counted *counted(const std::string &name, bool listed = true) {
    Counted *e = new Counted(name);
    e->looks().setSprite("BOX");
    if (listed) collection->addEntity(e);
    return e;
  }

  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (CMapEntity_Game *e : *collection->getEntitiesPtr()) out.push_back(e->name);
    return out;
  }
};

TEST_F(CollectionTest, LookupsFollowTheDrawingOrder) {
  addPlainSprite("POSTEL", "bed.png", 32, 32, 1, 40);
  CMapEntity_Game *front = live("FRONT", 5, 13, 0, 300);
  CMapEntity_Game *back = live("BACK", 5, 13, 0, 100);
  CMapEntity_Game *bed = live("BED", 9, 13, 0, 270);
  bed->looks().setSprite("POSTEL");
  CMapEntity_Game *sign = live("SIGN", 6, 4, 0, 0);
  sign->setSortZ(2, false);
  EXPECT_EQ(collection->getEntityByID(5), front) << "before sorting, the first added";

  collection->sortDrawingOrder();
  EXPECT_EQ(names(), (std::vector<std::string>{"BACK", "FRONT", "BED", "SIGN"}))
      << "layer first, then y plus the frame's sort offset (270 + 40 passes 300)";
  EXPECT_EQ(collection->getEntityByID(5), back) << "the one drawn furthest back";
  EXPECT_EQ(collection->getFirstEntityByClassID(13), bed) << "the one drawn furthest in front";
  EXPECT_EQ(collection->getEntityByID(77), nullptr);
  EXPECT_TRUE(collection->containsClass(4));
  EXPECT_FALSE(collection->containsClass(3));
  EXPECT_EQ(collection->getEntityByName("POSTEL"), bed) << "by the sprite's name";
  EXPECT_EQ(collection->getEntityByName("BED"), nullptr) << "not by the entity's own";

  CGlobals::instance()->entityAdded = false;
  collection->addEntity(bed);
  EXPECT_TRUE(CGlobals::instance()->entityAdded);
  EXPECT_EQ(collection->getEntitiesPtr()->size(), 4u) << "listed once, so it is drawn and deleted once";
}

TEST_F(CollectionTest, APanelTakesTheFocusAndGivesItBack) {
  CMapEntity_Game *panel = live("PANEL");
  CMapEntity_Game *bed = live("BED");
  CMapEntity_Game *pillow = live("PILLOW");
  bed->addEntity(pillow, false, true);
  CMapEntity_Game *cursor = live("CURSOR");
  cursor->setFocusable(false);

  collection->focus(panel, nullptr);
  EXPECT_TRUE(panel->getFocus());
  EXPECT_FALSE(bed->getFocus());
  EXPECT_FALSE(pillow->getFocus()) << "through its carrier";
  EXPECT_FALSE(cursor->getFocus());
  collection->focusAdd(bed, nullptr);
  EXPECT_TRUE(pillow->getFocus());
  CMapEntity_Game stranger(0, 0, false);
  stranger.setFocus(false);
  collection->focusAdd(&stranger, nullptr);
  EXPECT_FALSE(stranger.getFocus()) << "only entities of the collection";

  collection->unfocus(nullptr);
  EXPECT_TRUE(cursor->getFocus());
  collection->defocus();
  EXPECT_FALSE(panel->getFocus());
  EXPECT_TRUE(cursor->getFocus()) << "an entity that cannot take the focus keeps it";
}

TEST_F(CollectionTest, AKilledCarrierGoesAfterWhatItCarries) {
  Counted *bed = counted("BED");
  Counted *pillow = counted("PILLOW");
  Counted *other = counted("OTHER");
  bed->addEntity(pillow, false, true);
  other->hits().addEntityCollision(pillow);
  other->hits().addEntityActionCollision(bed);

  pillow->setKill(true);
  collection->updateEntities();
  EXPECT_EQ(g_removedThroughCarrier, 1) << "a carried entity goes through its carrier";
  EXPECT_EQ(names(), (std::vector<std::string>{"BED", "OTHER"}));
  EXPECT_FALSE(other->hits().isCollisionWithEntity(pillow));
  EXPECT_FALSE(bed->carrying().hasChildren());

  Counted *blanket = counted("BLANKET");
  bed->addEntity(blanket, false, true);
  // Listed after its carrier: the first walk skips the carrier, the second deletes it.
  bed->setKill(true);
  collection->updateEntities();
  EXPECT_EQ(g_deleted, 3);
  EXPECT_EQ(names(), (std::vector<std::string>{"OTHER"}));
  EXPECT_TRUE(other->hits().getActionCollided().empty());
}

TEST_F(CollectionTest, TheKillPassEndsWhateverAKilledCarrierStillCarries) {
  // Carried outside the list: the pass never reaches it on its own.
  Counted *player = counted("PLAYER");
  Counted *hand = counted("HAND", false);
  Counted *item = counted("ITEM", false);
  player->addEntity(hand, false, true);
  hand->addEntity(item, false, true);
  // Spared by a later setKill(false), though its carrier dies.
  Counted *bed = counted("BED");
  Counted *lamp = counted("LAMP");
  bed->addEntity(lamp, false, true);
  Counted *survivor = counted("SURVIVOR");
  survivor->hits().addEntityCollision(lamp);

  player->setKill(true);
  bed->setKill(true);
  lamp->setKill(false);
  collection->updateEntities();
  EXPECT_EQ(names(), (std::vector<std::string>{"SURVIVOR"}));
  EXPECT_EQ(g_deleted, 5);
  EXPECT_FALSE(survivor->hits().isCollisionWithEntity(lamp));
}

TEST_F(CollectionTest, ARefFindsItsEntityOnlyWhileThisListHoldsIt) {
  Counted *bed = counted("BED");
  const TEntityRef<Counted> bedRef(bed);
  CMapEntitiesCollection_Game other;
  other.addEntity(bed);
  EXPECT_EQ(bedRef.in(collection), nullptr) << "it left this list: one list draws and deletes it";
  collection->addEntity(bed);
  alignas(Counted) unsigned char place[sizeof(Counted)];
  Counted *e = new (place) Counted("FIRST");
  collection->addEntity(e);
  const TEntityRef<Counted> firstRef(e);
  e->~Counted();
  EXPECT_EQ(names(), std::vector<std::string>{"BED"}) << "deleted other than by the kill pass, it left";
  e = new (place) Counted("SECOND");
  collection->addEntity(e);
  EXPECT_EQ(firstRef.in(collection), nullptr) << "one made at its address is another";
  EXPECT_EQ(TEntityRef<Counted>(e).in(collection), e);
  e->~Counted();
}

class GeneratorTest : public CollectionTest {
protected:
  void SetUp() override {
    CollectionTest::SetUp();
    for (const char *n : CMapEntitiesCollection::commonEntityNames()) proto(n, 500);
    proto("FIRST", 1);
    proto("SECOND", 2);
    proto("THIRD", 3);
  }

  // Game time (from loading) at which each entity appeared, stepping the clock by 10 ms.
  std::vector<std::pair<std::string, uint32_t>> run(uint32_t until) {
    std::vector<std::pair<std::string, uint32_t>> out;
    uint32_t loaded = CFakeTime::instance()->ms;
    while (CFakeTime::instance()->ms - loaded < until) {
      CFakeTime::instance()->ms += 10;
      size_t before = collection->getEntitiesPtr()->size();
      collection->updateGenerators();
      for (size_t i = before; i < collection->getEntitiesPtr()->size(); ++i)
        out.emplace_back((*collection->getEntitiesPtr())[i]->name, CFakeTime::instance()->ms - loaded);
    }
    return out;
  }
};

TEST_F(GeneratorTest, GeneratorsReleaseTheLastListedFirstOnGameTime) {
  collection->nahrajXML(writeFile("g_entities.xml", "<mapEntities>\n"
                                                    "  <generator x=\"100\" y=\"200\" interval=\"5000\" start=\"2000\">\n"
                                                    "    <generatorentity name=\"FIRST\"/>\n"
                                                    "    <generatorentity name=\"SECOND\"/>\n"
                                                    "    <generatorentity name=\"THIRD\"/>\n"
                                                    "  </generator>\n"
                                                    "  <generator x=\"1\" y=\"1\" interval=\"10\" start=\"10\"/>\n"
                                                    "</mapEntities>\n"));
  ASSERT_EQ(collection->getGenerators().size(), 2u);
  EXPECT_TRUE(collection->getEntitiesPtr()->empty()) << "nothing before its time";

  auto released = run(2000);
  ASSERT_EQ(released.size(), 1u);
  EXPECT_EQ(released[0], std::make_pair(std::string("THIRD"), 2000u));
  CMapEntity_Game *third = collection->getEntitiesPtr()->back();
  EXPECT_EQ(third->getX(), 100.0f);
  EXPECT_EQ(third->getY(), 200.0f);

  // Paused, the game clock stands and the timers do not fire.
  CGlobals::instance()->paused = true;
  for (int i = 0; i < 400; ++i) {
    frame(20);
    collection->updateGenerators();
  }
  CFakeTime::instance()->ms += 6000;
  collection->updateGenerators();
  EXPECT_EQ(collection->getEntitiesPtr()->size(), 1u);
  CGlobals::instance()->paused = false;
  CFakeTime::instance()->ms -= 6000;

  released = run(10000);
  ASSERT_EQ(released.size(), 2u);
  EXPECT_EQ(released[0], std::make_pair(std::string("SECOND"), 5000u));
  EXPECT_EQ(released[1], std::make_pair(std::string("FIRST"), 10000u));
  EXPECT_TRUE(run(20000).empty());
}

class EntitiesFileTest : public GeneratorTest {
protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    addPlainSprite("COMMON", "common.png", 16, 16);
    addPlainSprite("CARRIER", "carrier.png", 32, 32, 1, 4);
    addSprite("PLAYER", "player.png",
              {{"FRAMESET1", {{0, 0, 32, 64, 100, 0}}}, {"LEFT", {{32, 0, 32, 64, 100, 0}}},
               {"UP", {{64, 0, 32, 64, 100, 0}}},       {"RIGHT", {{96, 0, 32, 64, 100, 0}}},
               {"BORED1", {{128, 0, 32, 64, 100, 0}}},  {"BORED2", {{160, 0, 32, 64, 100, 0}}},
               {"VYSETRENI", {{192, 0, 32, 64, 100, 0}}}, {"DOWN", {{224, 0, 32, 64, 100, 0}}}});
    factory->returnEntityByName("BAR")->looks().setSprite("COMMON");
    proto("DEADDER", 364, 0, "CARRIER");
    proto("ADDER", 10000, 0, "CARRIER");
    proto("PLAYER", 7, 0, "PLAYER");
    proto("POSTEL1", 40, 13)->setSortZ(3, false);
    proto("KYTKA", 41, 0);
  }

  // Beds given a number show it in their class ID.
  struct NumberedBeds : CBedLink {
    bool isMadeUp(CMapEntity_Game *) override { return true; }
    void setBedNumber(CMapEntity_Game *bed, uint16_t n) override { bed->setEntityClassID(1000u + n); }
  } numberedBeds;
  TScopedLink<CBedLink> bedLink{&numberedBeds};

  // Among the pictures the collection noted for loading before play.
  bool pictureNoted(const std::string &file) const {
    for (unsigned int h : collection->getPictures())
      if (CSurfaceManager::instance()->getSurface(h)->vratNazevSouboru().find(file) != std::string::npos) return true;
    return false;
  }
};

TEST_F(EntitiesFileTest, EachElementKindPlacesItsEntitiesInAFixedOrder) {
  poradi = 5;
  collection->nahrajXML(writeFile("day_entities.xml",
                                  "<mapEntities>\n"
                                  "  <adder x=\"300\" y=\"310\" bY=\"12\">\n"
                                  "    <adderentity name=\"POSTEL1\" postelcislo=\"3\"/>\n"
                                  "    <adderentity name=\"KYTKA\" postelcislo=\"4\"/>\n"
                                  "  </adder>\n"
                                  "  <entity name=\"PLAYER\" x=\"64\" y=\"96\"/>\n"
                                  "  <entity name=\"KYTKA\" x=\"10\" y=\"20\" deadder=\"0\"/>\n"
                                  "  <deadder x=\"70000\" y=\"5\">\n"
                                  "    <deadderentity name=\"POSTEL1\"/>\n"
                                  "  </deadder>\n"
                                  "</mapEntities>\n"));
  EXPECT_EQ(names(), (std::vector<std::string>{"DEADDER", "POSTEL1", "PLAYER", "DEADDER", "KYTKA", "ADDER",
                                               "POSTEL1", "KYTKA"}))
      << "deadders, entities, generators, adders, whatever the file's order";
  std::vector<CMapEntity_Game *> &list = *collection->getEntitiesPtr();

  EXPECT_EQ(list[0]->getX(), 4464.0f) << "70000 cut to 16 bits";
  EXPECT_EQ(list[1]->carrying().getParent(), list[0]);
  EXPECT_EQ(list[1]->looks().getSortZ(), 3) << "a carried entity keeps its own layer";
  EXPECT_EQ(list[0]->looks().getCurrentFrame()->getSortY(), 4) << "no bY leaves the frame alone";

  EXPECT_STREQ(list[2]->looks().getSprite()->getAktivniFrameset()->getID(), "DOWN");
  EXPECT_EQ(list[2]->getX(), 64.0f);
  EXPECT_EQ(list[2]->getY(), 96.0f);
  EXPECT_TRUE(pictureNoted("player.png"));
  EXPECT_EQ(list[4]->carrying().getParent(), list[3]) << "the deadder attribute counts by its presence alone";
  EXPECT_EQ(list[4]->getX(), 10.0f);

  EXPECT_EQ(list[5]->looks().getCurrentFrame()->getBY(), 12);
  EXPECT_EQ(list[5]->looks().getCurrentFrame()->getSortY(), 12);
  EXPECT_EQ(list[6]->carrying().getParent(), list[5]);
  EXPECT_EQ(list[6]->getY(), 310.0f);
  EXPECT_EQ(list[6]->getEntityClassID(), 1003u) << "the bed took its number from the file";
  EXPECT_EQ(list[7]->getEntityClassID(), 0u) << "only a bed takes a number";
  EXPECT_EQ(poradi, 4) << "the arrival carrier's bed gives its number back; the deadder's does not";

  EXPECT_TRUE(pictureNoted("common.png")) << "the pictures of entities made in play";
  EXPECT_EQ(factory->getPrototypes().size(), 31u + 8u) << "and their clones are not kept";
}

TEST_F(EntitiesFileTest, AnEmptyFileStillWarmsTheCommonPicturesAndAnotherRootPlacesNothing) {
  collection->nahrajXML(writeFile("other_entities.xml", "<map><entity name=\"KYTKA\" x=\"1\" y=\"1\"/></map>"));
  EXPECT_TRUE(names().empty());
  EXPECT_FALSE(pictureNoted("common.png"));
  EXPECT_NE(logText().find("MAPENTITIES tag not found! This is probably not the map entities file.."),
            std::string::npos);

  collection->nahrajXML(writeFile("empty_entities.xml", "<mapEntities/>"));
  EXPECT_TRUE(names().empty());
  EXPECT_TRUE(pictureNoted("common.png"));
}

using EntitiesFileDeathTest = EntitiesFileTest;

TEST_F(EntitiesFileDeathTest, BrokenFilesEndTheProcessNamingFileAndRow) {
  auto load = [this](const std::string &body) { collection->nahrajXML(writeFile("bad_entities.xml", body)); };
  EXPECT_EXIT(collection->nahrajXML(dir + "/missing_entities.xml"), ::testing::ExitedWithCode(255),
              "File .*missing_entities.xml not found! \\(file .*missing_entities.xml");
  EXPECT_EXIT(load("<mapEntities>\n<entity name=\"KYTKA\" y=\"1\"/>\n</mapEntities>"), ::testing::ExitedWithCode(255),
              "X not found near ENTITY tag! \\(file .*bad_entities.xml, row 2\\)");
  EXPECT_EXIT(load("<mapEntities>\n\n<entity name=\"KYTKA2\" x=\"1\" y=\"1\"/>\n</mapEntities>"),
              ::testing::ExitedWithCode(255),
              "Entity KYTKA2 not found in global entity object! \\(file .*bad_entities.xml, row 3\\)");
  EXPECT_EXIT(load("<mapEntities><generator x=\"1\" y=\"1\" start=\"1\"/></mapEntities>"),
              ::testing::ExitedWithCode(255), "INTERVAL not found near GENERATOR tag!");
  EXPECT_EXIT(load("<mapEntities><generator x=\"1\" y=\"1\" interval=\"1\" start=\"1\"><generatorentity/>"
                   "</generator></mapEntities>"),
              ::testing::ExitedWithCode(255), "NAME not found near ENTITY\\(GENERATOR\\) tag!");
  EXPECT_EXIT(load("<mapEntities><adder x=\"1\"/></mapEntities>"), ::testing::ExitedWithCode(255),
              "Y not found near ADDER tag!");
  EXPECT_EXIT(load("<mapEntities><deadder x=\"1\" y=\"2\"><deadderentity/></deadder></mapEntities>"),
              ::testing::ExitedWithCode(255), "NAME not found near ENTITY\\(DEADDER\\) tag!");
}

} // namespace
