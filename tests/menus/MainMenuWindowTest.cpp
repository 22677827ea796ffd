#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/GameProcess.h"

// One walk along the title screen's menus in the real game, with the files checked after each
// step and the panels looked for where they open. Each step waits only until the game shows it.
namespace {

using gameproc::eventually;
using gameproc::readAll;
using gameproc::shell;

const std::string kData = std::string(TOB_BINARY_DIR) + "/data/";

bool exists(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

class MainMenuWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(PrivateDisplay::ensure()) << PrivateDisplay::error();
    if (!gameproc::haveTool("xdotool") || !gameproc::haveTool("compare")) GTEST_SKIP() << "no xdotool";
    char tmpl[] = "/tmp/tob_menus_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    home = tmpl;
    shots = std::string(TOB_BINARY_DIR) + "/menu-shots";
    mkdir(shots.c_str(), 0777);
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
    return game.findWindow(30);
  }

  // How far a rectangle of the screen is from the same rectangle of the backdrop (0 the same).
  double offBackdrop(const std::string &name, int x, int y, int w, int h) {
    const std::string shot = shots + "/" + name + ".png";
    game.screenshot(shot);
    const std::string crop = std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" +
                             std::to_string(y) + " +repage";
    shell("convert '" + shot + "' -crop " + crop + " '" + shots + "/a.png'");
    shell("convert '" + kData + "gfx/bg_menu.jpg' -crop " + crop + " '" + shots + "/b.png'");
    return gameproc::difference(shots + "/a.png", shots + "/b.png");
  }

  // A panel shows (or is gone) in that rectangle within a few seconds.
  bool shows(const std::string &name, int x, int y, int w, int h) {
    return eventually([&] { return offBackdrop(name, x, y, w, h) > 0.15; }, 10, 0);
  }
  bool gone(const std::string &name, int x, int y, int w, int h) {
    return eventually([&] { double d = offBackdrop(name, x, y, w, h); return d >= 0 && d < 0.08; }, 10, 0);
  }
  // The rectangle looks again as the earlier screenshot `before` did.
  bool backTo(const std::string &before, int x, int y, int w, int h) {
    const std::string crop = std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" +
                             std::to_string(y) + " +repage";
    shell("convert '" + shots + "/" + before + ".png' -crop " + crop + " '" + shots + "/c.png'");
    return eventually(
        [&] {
          game.screenshot(shots + "/now.png");
          shell("convert '" + shots + "/now.png' -crop " + crop + " '" + shots + "/a.png'");
          double d = gameproc::difference(shots + "/a.png", shots + "/c.png");
          return d >= 0 && d < 0.02;
        },
        10, 0);
  }
  bool fileIs(const std::string &rel, const std::string &bytes, double seconds = 10) {
    return eventually([&] { return readAll(hospital + rel) == bytes; }, seconds);
  }

  // Level 0 runs: the backdrop shows right of the house, the main menu panel left of it.
  bool waitForMainMenu() {
    return eventually(
        [&] { return offBackdrop("main-right", 360, 0, 440, 540) < 0.08 && offBackdrop("main", 20, 170, 280, 320) > 0.15; },
        90, 200);
  }

  GameProcess game;
  std::string home, hospital, shots;
};

} // namespace

TEST_F(MainMenuWindowTest, WalksFromProfilesThroughOptionsToTheFirstDayAndQuits) {
  const std::string defaults = "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6";
  ASSERT_TRUE(start()) << game.errors();
  ASSERT_TRUE(waitForMainMenu()) << game.errors();

  // Change player: the profiles panel opens at (340, 53); choosing slot 3 makes it active.
  game.click(162, 378);
  EXPECT_TRUE(shows("profiles", 385, 127, 224, 46)) << "no profile button at the first slot";
  game.click(497, 250);
  EXPECT_TRUE(fileIs("lastprofile.txt", "player3"));
  EXPECT_EQ(readAll(hospital + "profiles.txt"), defaults);

  // An emptied name is refused with a message, as a taken one is; OK puts the panel back in use.
  game.screenshot(shots + "/chosen.png");
  game.click(497, 476);
  game.keys("BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace Return");
  EXPECT_TRUE(shows("refused", 281, 220, 280, 40)) << "no message window at (261, 200)";
  EXPECT_EQ(readAll(hospital + "profiles.txt"), defaults);
  EXPECT_EQ(readAll(hospital + "lastprofile.txt"), "player3");
  game.click(423, 361);
  EXPECT_TRUE(backTo("chosen", 262, 200, 80, 220)) << "the message window stayed";

  // A rename keeps as many characters as a profile name holds (14) and writes both files.
  game.click(497, 476);
  game.keys("BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace");
  game.type("Nightingale1234");
  game.keys("Return");
  EXPECT_TRUE(fileIs("profiles.txt", "player1\nplayer2\nNightingale123\nplayer4\nplayer5\nplayer6"));
  EXPECT_TRUE(fileIs("lastprofile.txt", "Nightingale123"));

  // Back out through the close box: nothing is written.
  game.click(630, 81);
  EXPECT_TRUE(gone("profiles-closed", 385, 127, 224, 46)) << "the profiles panel stayed";

  // Options and straight back: the stored volume survives the slider unchanged.
  game.click(162, 328);
  EXPECT_TRUE(shows("options", 390, 289, 220, 36)) << "no music slider at (390, 289)";
  game.click(502, 462);
  EXPECT_TRUE(fileIs("2/video.cfg", "FULLSCREEN 0\n"));
  EXPECT_EQ(readAll(hospital + "2/audio.cfg"), "SOUND 1\nMUSIC 1\nSOUNDVOL 100\nMUSICVOL 53");
  EXPECT_TRUE(gone("options-closed", 390, 289, 220, 36));

  // Options again; the music knob dragged to 30 and BACK stores it.
  game.click(162, 328);
  EXPECT_TRUE(shows("options-again", 390, 289, 220, 36));
  game.point(510, 322);
  game.button(true);
  for (int x = 505; x >= 460; x -= 5) {
    shell("xdotool mousemove --window " + game.window + " " + std::to_string(x) + " 322");
    gameproc::sleepMs(60);
  }
  gameproc::sleepMs(150);
  game.button(false);
  game.click(502, 462);
  EXPECT_TRUE(fileIs("2/audio.cfg", "SOUND 1\nMUSIC 1\nSOUNDVOL 100\nMUSICVOL 30"));
  EXPECT_FALSE(exists(hospital + "2/save.dat"));

  // New game: no saved game, so the hero choice opens at (340, 140); the male hero starts day 1,
  // which saves the game with the hero's sex.
  game.click(162, 278);
  EXPECT_TRUE(shows("hero", 403, 265, 53, 132)) << "no hero portrait at (403, 265)";
  game.click(429, 330);
  std::string save;
  EXPECT_TRUE(eventually([&] { save = readAll(hospital + "2/save.dat"); return save.size() >= 24u; }, 60));
  ASSERT_GE(save.size(), 24u);
  EXPECT_EQ(save.substr(0, 2), std::string("\0\1", 2)) << "day 1 is the current level";
  EXPECT_EQ(save.substr(20, 4), std::string("\0\0\0\1", 4)) << "the male hero";
  game.closeWindow();
  EXPECT_EQ(game.wait(120), 0);

  // Next start: the saved game adds CONTINUE and moves the buttons down; QUIT, then Yes, ends
  // the game with status 0 and writes nothing.
  const std::string profilesBefore = readAll(hospital + "profiles.txt");
  ASSERT_TRUE(start()) << game.errors();
  ASSERT_TRUE(waitForMainMenu()) << game.errors();
  EXPECT_GT(offBackdrop("continue", 60, 226, 204, 46), 0.15) << "no CONTINUE button at y offset 86";
  game.click(162, 449);
  EXPECT_TRUE(shows("quit", 281, 220, 280, 40)) << "no quit question at (261, 200)";
  game.click(423, 338);
  EXPECT_EQ(game.wait(120), 0) << game.errors();
  EXPECT_EQ(readAll(hospital + "profiles.txt"), profilesBefore);
  EXPECT_EQ(readAll(hospital + "2/save.dat"), save);
}
