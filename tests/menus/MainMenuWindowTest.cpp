#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "core/CSaveGame.h"
#include "support/GameProcess.h"
#include "world/CLevelList.h"

// One walk along the title screen's menus in the real game, with the files checked after each
// step and the panels looked for where they open. Each step waits only until the game shows it.
namespace {

using gameproc::exists;
using gameproc::readAll;
using gameproc::shell;

const std::string &kData = gameproc::dataDir();

class MainMenuWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(PrivateDisplay::ensure()) << PrivateDisplay::error();
    if (!gameproc::haveTool("xdotool") || !gameproc::haveTool("convert")) GTEST_SKIP() << "no xdotool";
    char tmpl[] = "/tmp/tob_menus_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    home = tmpl;
    game.shots = std::string(TOB_BINARY_DIR) + "/menu-shots";
    mkdir(game.shots.c_str(), 0777);
    hospital = home + "/hospital/";
    mkdir(hospital.c_str(), 0777);
    for (const char *slot : {"0", "2"}) {
      mkdir((hospital + slot).c_str(), 0777);
      std::ofstream(hospital + slot + "/video.cfg") << "FULLSCREEN 0";
    }
    std::ofstream(hospital + "2/audio.cfg") << "SOUND 1\nMUSIC 1\nSOUNDVOL 100\nMUSICVOL 53";
  }
  void TearDown() override {
    game.stop();
    if (!home.empty()) shell("rm -rf '" + home + "'");
  }

  bool start() {
    game.start(TOB_EXECUTABLE, home, home);
    return game.findWindow();
  }

  static gameproc::Pixels backdrop(int x, int y, int w, int h) {
    return gameproc::readPicture(kData + "gfx/bg_menu.jpg", x, y, w, h);
  }

  // A panel shows in that rectangle (it is far from the backdrop there), or is gone from it.
  ::testing::AssertionResult shows(const std::string &what, int x, int y, int w, int h) {
    return game.waitUntilUnlike(what, backdrop(x, y, w, h), 0.15);
  }
  ::testing::AssertionResult gone(const std::string &what, int x, int y, int w, int h) {
    return game.waitUntilLike(what + " to be gone", backdrop(x, y, w, h), 0.08);
  }
  ::testing::AssertionResult fileIs(const std::string &rel, const std::string &bytes) {
    return game.waitForFile(hospital + rel, bytes);
  }

  // Level 0 runs: the backdrop shows right of the house, the main menu panel left of it.
  ::testing::AssertionResult waitForMainMenu() {
    ::testing::AssertionResult r = game.waitUntilLike("the backdrop right of the house", backdrop(360, 0, 440, 540), 0.08,
                                                      gameproc::kStartUpCeiling);
    return r ? shows("the main menu", 20, 170, 280, 320) : r;
  }

  GameProcess game;
  std::string home, hospital;
};

} // namespace

TEST_F(MainMenuWindowTest, WalksFromProfilesThroughOptionsToTheFirstDayAndQuits) {
  const std::string defaults = "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6";
  ASSERT_TRUE(start()) << game.errors();
  ASSERT_TRUE(waitForMainMenu()) << game.errors();

  // Change player: the profiles panel opens at (340, 53); choosing slot 3 makes it active.
  ASSERT_TRUE(game.click(162, 378));
  ASSERT_TRUE(shows("a profile button at the first slot", 385, 127, 224, 46));
  ASSERT_TRUE(game.click(497, 250));
  EXPECT_TRUE(fileIs("lastprofile.txt", "player3"));
  EXPECT_EQ(readAll(hospital + "profiles.txt"), defaults);

  // An emptied name is refused with a message, as a taken one is; OK puts the panel back in use.
  const gameproc::Pixels chosen = game.look(262, 200, 80, 220);
  const gameproc::Pixels unlitName = game.look(377, 464, 240, 24);
  ASSERT_TRUE(game.click(497, 476));
  game.keys("BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace Return");
  ASSERT_TRUE(shows("a message window at (261, 200)", 281, 220, 280, 40));
  EXPECT_EQ(readAll(hospital + "profiles.txt"), defaults);
  EXPECT_EQ(readAll(hospital + "lastprofile.txt"), "player3");
  // What stands under the message window does not keep the glow it had when the window opened.
  ASSERT_TRUE(game.hover(423, 361));
  ASSERT_TRUE(game.waitUntilLike("the name box unlit under the message window", unlitName, 0.01));
  ASSERT_TRUE(game.click(423, 361));
  EXPECT_TRUE(game.waitUntilLike("the message window to be gone", chosen, 0.02));

  // A rename keeps as many characters as a profile name holds (14) and writes both files.
  ASSERT_TRUE(game.click(497, 476));
  game.keys("BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace");
  game.type("Nightingale1234");
  game.keys("Return");
  EXPECT_TRUE(fileIs("profiles.txt", "player1\nplayer2\nNightingale123\nplayer4\nplayer5\nplayer6"));
  EXPECT_TRUE(fileIs("lastprofile.txt", "Nightingale123"));

  // Back out through the close box: nothing is written.
  ASSERT_TRUE(game.click(630, 81));
  EXPECT_TRUE(gone("the profiles panel", 385, 127, 224, 46));

  // Options and straight back: the stored volume survives the slider unchanged.
  ASSERT_TRUE(game.click(162, 328));
  ASSERT_TRUE(shows("a music slider at (390, 289)", 390, 289, 220, 36));
  ASSERT_TRUE(game.click(502, 462));
  EXPECT_TRUE(fileIs("2/video.cfg", "FULLSCREEN 0\n"));
  EXPECT_EQ(readAll(hospital + "2/audio.cfg"), "SOUND 1\nMUSIC 1\nSOUNDVOL 100\nMUSICVOL 53");
  EXPECT_TRUE(gone("the options panel", 390, 289, 220, 36));

  // Options again; the music knob dragged to 30 and BACK stores it.
  ASSERT_TRUE(game.click(162, 328));
  ASSERT_TRUE(shows("the options panel again", 390, 289, 220, 36));
  ASSERT_TRUE(game.hover(510, 322));
  ASSERT_TRUE(game.button(true));
  for (int x = 505; x >= 460; x -= 5) ASSERT_TRUE(game.drag(x, 322));
  ASSERT_TRUE(game.button(false));
  ASSERT_TRUE(game.click(502, 462));
  EXPECT_TRUE(fileIs("2/audio.cfg", "SOUND 1\nMUSIC 1\nSOUNDVOL 100\nMUSICVOL 30"));
  EXPECT_FALSE(exists(hospital + "2/save.dat"));

  // New game: no saved game, so the hero choice opens at (340, 140); the male hero starts day 1,
  // which saves the game with the hero's sex.
  ASSERT_TRUE(game.click(162, 278));
  ASSERT_TRUE(shows("a hero portrait at (403, 265)", 403, 265, 53, 132));
  ASSERT_TRUE(game.click(429, 330));
  std::string save;
  EXPECT_TRUE(game.waitUntil("day 1 to save the game", [&] {
    save = readAll(hospital + "2/save.dat");
    return save.size() >= 24u;
  }));
  ASSERT_GE(save.size(), 24u);
  EXPECT_EQ(save.substr(0, 2), std::string("\0\1", 2)) << "day 1 is the current level";
  EXPECT_EQ(save.substr(20, 4), std::string("\0\0\0\1", 4)) << "the male hero";
  game.closeWindow();
  EXPECT_EQ(game.wait(gameproc::kCeiling), 0) << game.errors();

  // Next start: the saved game adds CONTINUE and moves the buttons down; QUIT, then Yes, ends
  // the game with status 0 and writes nothing.
  const std::string profilesBefore = readAll(hospital + "profiles.txt");
  ASSERT_TRUE(start()) << game.errors();
  ASSERT_TRUE(waitForMainMenu()) << game.errors();
  EXPECT_TRUE(shows("a CONTINUE button at y offset 86", 60, 226, 204, 46));
  ASSERT_TRUE(game.click(162, 449));
  ASSERT_TRUE(shows("the quit question at (261, 200)", 281, 220, 280, 40));
  ASSERT_TRUE(game.click(423, 338));
  EXPECT_EQ(game.wait(gameproc::kCeiling), 0) << game.errors();
  EXPECT_EQ(readAll(hospital + "profiles.txt"), profilesBefore);
  EXPECT_EQ(readAll(hospital + "2/save.dat"), save);

  // A game saved at the ending (its last day, three entries before, finished) goes on at the map.
  CLevelList list;
  list.load(kData + "maps/medium/levellist.xml");
  const uint16_t ending = (uint16_t)(list.getSize() - 1);
  CPlayer player;
  player.addLevelDone(ending - 3, 0);
  std::ofstream(hospital + "2/save.dat", std::ios::binary) << CSaveGame::encode(ending, ending, player);
  ASSERT_TRUE(start() && waitForMainMenu()) << game.errors();
  ASSERT_TRUE(game.click(162, 249));
  EXPECT_TRUE(game.waitUntilLike("the map's sea", gameproc::readPicture(kData + "gfx/bg_worldmap.jpg", 0, 170, 60, 100)));
}
