#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapa.h"
#include "support/LevelTestSupport.h"

// The generated levels through the game's own level loader, on the generated sprite collection.
// Prototypes whose classes the game does not have yet stand in as plain entities with the
// identity, sprite, solidity and walk penalty of tools/prototype_sprites.txt.

namespace {

const std::string kGenerated = std::string(TOB_BINARY_DIR) + "/data/";

struct Row {
  std::string name, sprite, frameset;
  unsigned id = 0, cls = 0;
  bool solid = false;
  int nearX = 0, nearY = 0, walk = 200;
};

std::vector<Row> rows() {
  std::vector<Row> out;
  std::ifstream in(std::string(TOB_SOURCE_DIR) + "/tools/prototype_sprites.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream s(line);
    Row r;
    int num = 0, solid = 0;
    s >> num >> r.name >> r.id >> r.cls >> r.sprite >> r.frameset >> solid >> r.nearX >> r.nearY >> r.walk;
    r.solid = solid != 0;
    out.push_back(r);
  }
  return out;
}

class GeneratedLevelTest : public ::testing::Test, public LevelScratch {
protected:
  void SetUp() override {
    levelDeathTests();
    setUpLevel(true);
    std::string copy = "cp -r '" + kGenerated + "maps/medium' '" + kGenerated + "maps/tiles.xml' '" + dir +
                       "/data/maps/'";
    ASSERT_EQ(std::system(copy.c_str()), 0);
    spriteFactory->nahrajXML((char *)(kGenerated + "gfx/sprites.xml").c_str());
    CMapEntitiesFactory *f = CMapEntitiesFactory::instance();
    std::set<std::string> have;
    for (CMapEntity_Game *p : f->getPrototypes()) have.insert(p->name);
    for (const Row &r : rows()) {
      if (have.count(r.name)) continue;
      CMapEntity_Game *p = new CMapEntity_Game(0, 0, r.solid);
      p->name = r.name;
      p->setEntityID(r.id);
      p->setEntityClassID(r.cls);
      p->setWalkPenalty(r.walk);
      p->looks().setSprite(r.sprite);
      p->looks().getSprite()->nastavFrameset((char *)r.frameset.c_str());
      f->addEntity(p);
    }
    // The scratch's own player figure gets the real look, which the loader turns through its
    // walking directions.
    f->returnEntityByName("PLAYER")->looks().setSprite("PLAYER1");
  }
  void TearDown() override { tearDownLevel(); }

  int countName(const std::string &name) const {
    int n = 0;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->name == name && !e->getKill()) ++n;
    return n;
  }
};

TEST_F(GeneratedLevelTest, MainMenuScreenLoadsWithItsBackdropAndCursor) {
  loadLevel("menu");
  EXPECT_EQ(level->getLevelName(), "Main menu");
  EXPECT_NE(level->getMapa()->getPozadi(), MAPA_ZADNA_SURFACE);
  ASSERT_EQ(level->getMapa()->getLayers().size(), 1u);
  EXPECT_EQ(countName("KURZOR"), 1);
  EXPECT_EQ(countID(73), 1) << "the loader adds the action queue";
  // Walls round the edge, floor inside.
  EXPECT_FALSE(level->getMapa()->isWalkable(0, 0));
  EXPECT_TRUE(level->getMapa()->isWalkable(0, 10 * 25 + 12));
}

TEST_F(GeneratedLevelTest, DemoWardPlacesBedsWithoutPatientsAndKeepsWorkSpotsReachable) {
  loadLevel("ward_demo");
  EXPECT_EQ(level->getLevelName(), "Day 1");
  EXPECT_EQ(level->getIntroText(), "Welcome to the|ward, doctor!|Take care of every|patient today.");
  EXPECT_FALSE(level->getOutroText().empty());
  EXPECT_EQ(countName("KURZOR"), 1);
  EXPECT_EQ(countID(7), 1) << "the player figure";

  std::vector<CMapEntity_Game *> beds;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (e->getEntityClassID() == 13 && !e->getKill()) beds.push_back(e);
  ASSERT_EQ(beds.size(), 5u);
  CMapa *map = level->getMapa();
  for (CMapEntity_Game *bed : beds) {
    // Each bed stands in an adder carrier, blocks the tiles of its head end, and the tile the
    // player works from stays open.
    EXPECT_NE(bed->carrying().getParent(), nullptr) << bed->name;
    int x = (int)bed->getX(), y = (int)bed->getY();
    EXPECT_FALSE(map->isWalkable(0, ((y + 30) / 32) * 25 + (x + 60) / 32)) << bed->name;
    int workX = (x + 120) / 32, workY = (y + 100) / 32;
    EXPECT_TRUE(map->isWalkable(0, workY * 25 + workX)) << bed->name << " cannot be reached";
  }
  // Patients come only through the day's arrivals: one placed off a couch would hold the day open.
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) EXPECT_NE(e->getEntityClassID(), 15u) << e->name;
}

} // namespace
