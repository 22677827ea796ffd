#include <gtest/gtest.h>

#include <string>

#include "support/SpriteTestSupport.h"
#include "world/CLevelList.h"

namespace {

// Death tests re-run in a fresh scratch folder, so paths are matched inside any of them.
std::string scratchFile(const std::string &name) { return "/tmp/tob_sprites_[A-Za-z0-9]+/" + name; }

class LevelListTest : public MediaScratch {
protected:
  void SetUp() override {
    MediaScratch::SetUp();
    useSafeDeathTests();
  }
};

TEST_F(LevelListTest, TopLevelNamesInFileOrderDuplicatesKeptNestedOnesNotSeen) {
  std::string p = write("levellist.xml", "<?xml version=\"1.0\"?>\n"
                                         "<level name=\"Menu\"/>\n"
                                         "<comment name=\"Skip\"/>\n"
                                         "<level name=\"Map\" extra=\"1\"/>\n"
                                         "<group><level name=\"Hidden\"/></group>\n"
                                         "<level name=\"Map\"/>\n"
                                         "<level name=\"LAB 1\"/>\n");
  CLevelList list;
  list.load(p);
  ASSERT_EQ(list.getSize(), 4u);
  EXPECT_EQ(list.getLevel(0), "Menu");
  EXPECT_EQ(list.getLevel(1), "Map");
  EXPECT_EQ(list.getLevel(2), "Map");
  EXPECT_EQ(list.getLevel(3), "LAB 1");
  // Past the end there is no name rather than a read outside the list.
  EXPECT_EQ(list.getLevel(4), "");
  EXPECT_EQ(list.getLevel(65535), "");
}

TEST_F(LevelListTest, LoadingAppendsAndAFileWithoutLevelsChangesNothing) {
  CLevelList list;
  list.load(write("a.xml", "<level name=\"A\"/>"));
  list.load(write("none.xml", "<other name=\"X\"/>"));
  EXPECT_EQ(list.getSize(), 1u);
  list.load(write("b.xml", "<level name=\"B\"/><level name=\"C\"/>"));
  ASSERT_EQ(list.getSize(), 3u);
  EXPECT_EQ(list.getLevel(2), "C");
  EXPECT_EQ(logText(), "");
}

TEST_F(LevelListTest, BrokenFilesEndTheRunNamingFileAndRow) {
  CLevelList list;
  EXPECT_EXIT(list.load(dir + "/missing.xml"), ::testing::ExitedWithCode(255),
              "File " + scratchFile("missing.xml") + " not found! \\(file " + scratchFile("missing.xml") + ": no such file\\)");

  std::string p = write("broken.xml", "<level name=\"A\"/>\n<level name=\"B\"\n");
  EXPECT_EXIT(list.load(p), ::testing::ExitedWithCode(255), "broken.xml is not well-formed XML! \\(file .*broken.xml, row 2: Error[^)]*\\)");

  // The nameless first entry stops the run even though the rest is good.
  p = write("noname.xml", "<level/>\n<level name=\"B\"/>\n");
  EXPECT_EXIT(list.load(p), ::testing::ExitedWithCode(255),
              "NAME not found near LEVEL tag! \\(file " + scratchFile("noname.xml") + ", row 1\\)");
  p = write("noname2.xml", "<level name=\"A\"/>\n\n<level nam=\"B\"/>\n");
  EXPECT_EXIT(list.load(p), ::testing::ExitedWithCode(255), "NAME not found near LEVEL tag! \\(file .*, row 3\\)");
  // An empty name would read as a list with nothing in it.
  p = write("emptyname.xml", "<level name=\"A\"/>\n<level name=\"\"/>\n");
  EXPECT_EXIT(list.load(p), ::testing::ExitedWithCode(255), "Empty NAME near LEVEL tag! \\(file .*, row 2\\)");
}

} // namespace
