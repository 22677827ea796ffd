#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "media/CFatal.h"
#include "support/SpriteTestSupport.h"
#include "world/CMapa.h"

namespace {

std::string scratchFile(const std::string &name) { return "/tmp/tob_sprites_[A-Za-z0-9]+/" + name; }

const char *kTileDefs = "<tiledef src=\"Tiles.png\">\n"
                        "<tileSprite name=\"floor\" x=\"0\" y=\"0\"/>\n"
                        "<tileSprite name=\"wall\" x=\"32\" y=\"0\"/>\n"
                        "<tileSprite name=\"floor\" x=\"64\" y=\"96\"/>\n"
                        "<tile name=\"Floor\" id=\"1\" walkable=\"1\" special=\"0\" tileSprite=\"floor\" "
                        "atribut1=\"1.5\" atribut5=\"-2\"/>\n"
                        "<tile name=\"Wall\" id=\"2\" walkable=\"0\" special=\"3\" tileSprite=\"wall\"/>\n"
                        "<tile name=\"Odd\" id=\"3\" walkable=\"2\" special=\"0\" tileSprite=\"wall\"/>\n"
                        "<tile name=\"Wrapped\" id=\"4\" walkable=\"257\" special=\"0\" tileSprite=\"floor\"/>\n"
                        "<tile name=\"Wall2\" id=\"2\" walkable=\"0\" special=\"1\" tileSprite=\"nothing\"/>\n"
                        "</tiledef>\n";

class TileMapTest : public MediaScratch {
protected:
  void SetUp() override {
    MediaScratch::SetUp();
    useSafeDeathTests();
  }

  void loadDefs(const std::string &xml = kTileDefs) { mapa.nahrajDefiniceXML(write("tiles.xml", xml)); }
  void loadMap(const std::string &xml) { mapa.nahrajMapuXML(write("level_map.xml", xml)); }

  TMapCell &cell(unsigned layer, unsigned x, unsigned y) { return mapa.getLayers()[layer].cells[y * 25 + x]; }

  CMapa mapa;
};

TEST_F(TileMapTest, DefinitionsTakeTheirCutsFlagsAndAttributes) {
  loadDefs();
  CSurface *tiles = CSurfaceManager::instance()->getSurface(mapa.getTileSet());
  ASSERT_NE(tiles, nullptr);
  EXPECT_EQ(tiles->vratNazevSouboru(), dir + "/data/gfx/Tiles.png");
  ASSERT_EQ(mapa.getTileZSprites().size(), 3u);
  EXPECT_EQ(mapa.getTileZSprites()[1].x, 32);
  EXPECT_EQ(mapa.getTileZSprites()[1].w, 32);

  auto &d = mapa.getDefinice();
  // Two cuts named "floor": the last one counts.
  EXPECT_EQ(d[1].name, "Floor");
  EXPECT_EQ(d[1].x, 64);
  EXPECT_EQ(d[1].y, 96);
  EXPECT_EQ(d[1].w, 32);
  EXPECT_FLOAT_EQ(d[1].atribut[0], 1.5f);
  EXPECT_FLOAT_EQ(d[1].atribut[4], -2.0f);
  EXPECT_FLOAT_EQ(d[1].atribut[1], 0.0f);
  // The later definition of 2 wins; its cut names nothing, so the earlier cut stays.
  EXPECT_EQ(d[2].name, "Wall2");
  EXPECT_EQ(d[2].special, 1);
  EXPECT_EQ(d[2].tileSprite, "nothing");
  EXPECT_EQ(d[2].x, 32);
  EXPECT_EQ(d[4].walkable, 1);
  // Never defined: blocks.
  EXPECT_EQ(d[5].walkable, 0);
}

TEST_F(TileMapTest, WalkableNeedsFlagExactlyOneAndPenaltyBelow1000) {
  loadDefs();
  loadMap("<map>\n<layer bgtiles=\"1\">\n"
          "<tile id=\"2\" x=\"1\" y=\"0\"/>\n<tile id=\"3\" x=\"2\" y=\"0\"/>\n"
          "<tile id=\"4\" x=\"3\" y=\"0\"/>\n<tile id=\"7\" x=\"4\" y=\"0\"/>\n"
          "</layer>\n</map>\n");
  EXPECT_TRUE(mapa.isWalkable(0, 0));
  EXPECT_FALSE(mapa.isWalkable(0, 1));
  EXPECT_FALSE(mapa.isWalkable(0, 2)); // walkable="2"
  EXPECT_TRUE(mapa.isWalkable(0, 3));  // 257 keeps its low byte, 1
  EXPECT_FALSE(mapa.isWalkable(0, 4)); // no definition
  cell(0, 0, 0).penalty = 999;
  EXPECT_TRUE(mapa.isWalkable(0, 0));
  cell(0, 0, 0).penalty = 1000;
  EXPECT_FALSE(mapa.isWalkable(0, 0));
  EXPECT_TRUE(mapa.isWalkable(0, 474));
  EXPECT_FALSE(mapa.isWalkable(0, 475));
  EXPECT_FALSE(mapa.isWalkable(1, 0)); // no such layer
  // Layers are open to other code: an ID off the table is simply not walkable.
  cell(0, 5, 5).id = 60000;
  EXPECT_FALSE(mapa.isWalkable(0, 5 * 25 + 5));
}

TEST_F(TileMapTest, LayersFillFromBackgroundTileAndPlaceTilesByColumnAndRow) {
  loadDefs();
  loadMap("<map name=\"x\" background=\"Room.png\">\n"
          "<layer name=\"floor\" bgtiles=\"3\"/>\n"
          "<layer>\n<tile id=\"1\" x=\"24\" y=\"18\" atribut1=\"9\"/>\n<tile id=\"2\" x=\"5\" y=\"1\"/>\n</layer>\n"
          "</map>\n");
  ASSERT_EQ(mapa.getLayers().size(), 2u);
  for (const TMapCell &c : mapa.getLayers()[0].cells) {
    EXPECT_EQ(c.id, 3);
    EXPECT_EQ(c.penalty, 0);
  }
  EXPECT_EQ(cell(1, 0, 0).id, 0);
  EXPECT_EQ(cell(1, 24, 18).id, 1);
  // The cell takes the definition's attributes, not the map tile's.
  EXPECT_FLOAT_EQ(cell(1, 24, 18).atribut[0], 1.5f);
  EXPECT_EQ(cell(1, 5, 1).id, 2);
  EXPECT_EQ(CSurfaceManager::instance()->getSurface(mapa.getPozadi())->vratNazevSouboru(),
            dir + "/data/gfx/Room.png");
  std::string log = logText();
  EXPECT_EQ(count(log, "New tile\n"), 2u);
  EXPECT_EQ(count(log, "New layer\n"), 2u);
}

TEST_F(TileMapTest, BackgroundIsDrawnWholeOnlyWhenTheMapNamesOne) {
  loadMap("<map><layer/></map>");
  mapa.kresliPozadi(nullptr);
  EXPECT_TRUE(FakePicture::blits().empty());

  CMapa withPicture;
  withPicture.nahrajMapuXML(write("bg_map.xml", "<map background=\"bg.png\"/>"));
  withPicture.kresliPozadi(nullptr);
  std::vector<PictureCall> blits = FakePicture::blits();
  ASSERT_EQ(blits.size(), 1u);
  EXPECT_EQ(blits[0].op, "blitRect");
  EXPECT_EQ(blits[0].x1, 0);
  EXPECT_EQ(blits[0].y1, 0);
  EXPECT_EQ(blits[0].x2, 800);
  EXPECT_EQ(blits[0].y2, 600);
  EXPECT_EQ(blits[0].x, 0);
  EXPECT_EQ(blits[0].y, 0);
}

TEST_F(TileMapTest, FilesWithoutTheirRootElementDefineNothing) {
  loadDefs("<other src=\"x.png\"/>");
  EXPECT_EQ(mapa.getTileSet(), MAPA_ZADNA_SURFACE);
  EXPECT_EQ(mapa.getDefinice()[1].walkable, 0);
  loadMap("<layer bgtiles=\"1\"/>");
  EXPECT_TRUE(mapa.getLayers().empty());
  EXPECT_NE(logText().find("MAP tag not found! This is probably not the map file..\n"), std::string::npos);
}

TEST_F(TileMapTest, AMapHoldsAtMostSixteenLayersAndOneMoreEndsTheRunAtIt) {
  std::string layers;
  for (int i = 0; i < 16; ++i) layers += "<layer bgtiles=\"1\"/>\n";
  loadMap("<map>\n" + layers + "</map>\n");
  EXPECT_EQ(mapa.getLayers().size(), 16u);

  std::string p = write("deep_map.xml", "<map>\n" + layers + "<layer/>\n<layer/>\n</map>\n");
  CMapa deep;
  EXPECT_EXIT(deep.nahrajMapuXML(p), ::testing::ExitedWithCode(255),
              "More than 16 layers near LAYER tag! \\(file " + scratchFile("deep_map.xml") + ", row 18\\)");
}

TEST_F(TileMapTest, EveryMissingFileOrAttributeEndsTheRunNamingFileAndRow) {
  struct Case {
    bool defs;
    std::string xml;
    std::string message;
    int row;
  };
  const std::string sprite = "<tileSprite name=\"s\" x=\"0\" y=\"0\"/>\n";
  const std::vector<std::pair<std::string, std::string>> tileAttrs = {
      {"name", "NAME"}, {"id", "ID"}, {"walkable", "WALKABLE"}, {"special", "SPECIAL"}, {"tileSprite", "TILESPRITE"}};
  std::vector<Case> cases = {
      {true, "<tiledef>\n</tiledef>", "NAME not found near TILESPRITE tag!", 1},
      {true, "<tiledef src=\"t.png\">\n\n<tileSprite x=\"0\" y=\"0\"/></tiledef>", "NAME not found near TILEZSprite tag!",
       3},
      {true, "<tiledef src=\"t.png\">\n<tileSprite name=\"s\" y=\"0\"/></tiledef>", "X not found near TILEZSprite tag!", 2},
      {true, "<tiledef src=\"t.png\">\n<tileSprite name=\"s\" x=\"0\"/></tiledef>", "Y not found near TILEZSprite tag!", 2},
      {true, "<tiledef src=\"t.png\">\n" + sprite + "<tile name=\"a\" id=\"200\" walkable=\"1\" special=\"0\" "
             "tileSprite=\"s\"/></tiledef>", "ID out of range near TILE tag!", 3},
      {false, "<map>\n<layer>\n<tile x=\"0\" y=\"0\"/></layer></map>", "ID not found near TILE tag!", 3},
      {false, "<map>\n<layer>\n<tile id=\"1\" y=\"0\"/></layer></map>", "X not found near TILE tag!", 3},
      {false, "<map>\n<layer>\n<tile id=\"1\" x=\"0\"/></layer></map>", "Y not found near TILE tag!", 3},
      // Off the grid on either axis: no wrapping into the next row.
      {false, "<map>\n<layer>\n<tile id=\"1\" x=\"0\" y=\"19\"/></layer></map>", "Coordinates out of bounds!", 3},
      {false, "<map>\n<layer>\n\n<tile id=\"1\" x=\"30\" y=\"0\"/></layer></map>", "Coordinates out of bounds!", 4},
      {false, "<map>\n<layer>\n<tile id=\"1\" x=\"-1\" y=\"0\"/></layer></map>", "Coordinates out of bounds!", 3},
      {false, "<map>\n<layer>\n<tile id=\"200\" x=\"0\" y=\"0\"/></layer></map>", "ID out of range near TILE tag!", 3},
      {false, "<map>\n<layer bgtiles=\"65535\"/></map>", "BGTILES out of range near LAYER tag!", 2},
  };
  // Each tile attribute in reading order, with the ones after it present.
  for (size_t i = 0; i < tileAttrs.size(); ++i) {
    std::string e = "<tile";
    for (size_t j = 0; j < tileAttrs.size(); ++j)
      if (j != i) e += " " + tileAttrs[j].first + "=\"1\"";
    cases.push_back({true, "<tiledef src=\"t.png\">\n" + sprite + "\n" + e + "/>\n</tiledef>",
                     tileAttrs[i].second + " not found near TILE tag!", 4});
  }
  // The fatal path gives its notice (taken once) just before it ends the run, as the death tests
  // below show: thrown from there, each case is read in this process. A process of its own for
  // each took minutes on a busy machine.
  struct Ended {
    std::string text;
  };
  for (const Case &c : cases) {
    std::string name = c.defs ? "defs.xml" : "m_map.xml";
    std::string p = write(name, c.xml);
    CMapa fresh;
    setFatalNotice([](const std::string &text) { throw Ended{text}; });
    try {
      c.defs ? fresh.nahrajDefiniceXML(p) : fresh.nahrajMapuXML(p);
      ADD_FAILURE() << "read on: " << c.xml;
    } catch (const Ended &e) {
      EXPECT_TRUE(std::regex_search(e.text, std::regex(c.message + " \\(file " + scratchFile(name) + ", row " +
                                                        std::to_string(c.row) + "\\)")))
          << e.text;
    }
  }
  setFatalNotice(nullptr);
  EXPECT_EXIT(mapa.nahrajDefiniceXML(dir + "/none.xml"), ::testing::ExitedWithCode(255),
              "File " + scratchFile("none.xml") + " not found!");
  EXPECT_EXIT(mapa.nahrajMapuXML(dir + "/none_map.xml"), ::testing::ExitedWithCode(255),
              "File " + scratchFile("none_map.xml") + " not found!");
}

} // namespace
