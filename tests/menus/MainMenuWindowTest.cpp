#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/PrivateDisplay.h"

// One walk along the title screen's menus in the real game, with the files checked after each
// step and the panels looked for where they open.
namespace {

const std::string kData = std::string(TOB_BINARY_DIR) + "/data/";

std::string shell(const std::string &cmd) {
  std::string out;
  FILE *p = popen(cmd.c_str(), "r");
  if (!p) return out;
  char buf[512];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

std::string readAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool exists(const std::string &path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class MainMenuWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(PrivateDisplay::ensure()) << PrivateDisplay::error();
    if (shell("command -v xdotool").empty() || shell("command -v compare").empty()) GTEST_SKIP() << "no xdotool";
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
    stop();
    if (!home.empty()) shell("rm -rf '" + home + "'");
  }

  void start() {
    pid = fork();
    if (pid == 0) {
      setenv("HOME", home.c_str(), 1);
      setenv("SDL_AUDIODRIVER", "dummy", 0);
      setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
      if (!freopen((home + "/err.txt").c_str(), "w", stderr)) _exit(99);
      execl(TOB_EXECUTABLE, TOB_EXECUTABLE, (char *)nullptr);
      _exit(98);
    }
    auto t0 = std::chrono::steady_clock::now();
    while (window.empty() && std::chrono::steady_clock::now() - t0 < std::chrono::seconds(30)) {
      pause(200);
      window = shell("xdotool search --all --pid " + std::to_string(pid) + " --name '^Tobrulant$' | head -1");
      while (!window.empty() && (window.back() == '\n' || window.back() == ' ')) window.pop_back();
    }
  }
  int wait(int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      }
      pause(100);
    }
    return -1;
  }
  void stop() {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      pid = -1;
    }
    window.clear();
  }

  void click(int x, int y) {
    shell("xdotool mousemove --window " + window + " " + std::to_string(x) + " " + std::to_string(y));
    pause(400);
    shell("xdotool click 1");
    pause(800);
  }
  void keys(const std::string &k) {
    shell("xdotool key --delay 60 " + k);
    pause(300);
  }

  // How far a rectangle of the screen is from the same rectangle of the backdrop (0 the same).
  double offBackdrop(const std::string &name, int x, int y, int w, int h) {
    const std::string shot = shots + "/" + name + ".png";
    shell("import -window " + window + " '" + shot + "' 2>/dev/null");
    const std::string crop = std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" +
                             std::to_string(y) + " +repage";
    shell("convert '" + shot + "' -crop " + crop + " '" + shots + "/a.png'");
    shell("convert '" + kData + "gfx/bg_menu.jpg' -crop " + crop + " '" + shots + "/b.png'");
    std::string s = shell("compare -metric RMSE '" + shots + "/a.png' '" + shots + "/b.png' null: 2>&1");
    size_t open = s.find('(');
    return open == std::string::npos ? -1.0 : std::atof(s.c_str() + open + 1);
  }

  // Level 0 runs: the backdrop shows right of the house, the main menu panel left of it.
  bool waitForMainMenu() {
    for (int i = 0; i < 180; ++i) {
      if (offBackdrop("main-right", 360, 0, 440, 540) < 0.08 && offBackdrop("main", 20, 170, 280, 320) > 0.15) {
        pause(1000);
        return true;
      }
      pause(500);
    }
    return false;
  }

  pid_t pid = -1;
  std::string home, hospital, shots, window;
};

} // namespace

TEST_F(MainMenuWindowTest, WalksFromProfilesThroughOptionsToTheFirstDayAndQuits) {
  const std::string defaults = "player1\nplayer2\nplayer3\nplayer4\nplayer5\nplayer6";
  start();
  ASSERT_FALSE(window.empty()) << readAll(home + "/err.txt");
  ASSERT_TRUE(waitForMainMenu()) << readAll(home + "/err.txt");

  // Change player: the profiles panel opens at (340, 53); choosing slot 3 makes it active.
  click(162, 378);
  EXPECT_GT(offBackdrop("profiles", 385, 127, 224, 46), 0.15) << "no profile button at the first slot";
  click(497, 250);
  EXPECT_EQ(readAll(hospital + "lastprofile.txt"), "player3");
  EXPECT_EQ(readAll(hospital + "profiles.txt"), defaults);

  // An emptied name is refused with a message, as a taken one is; OK puts the panel back in use.
  click(497, 476);
  keys("BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace Return");
  EXPECT_GT(offBackdrop("refused", 281, 220, 280, 40), 0.15) << "no message window at (261, 200)";
  EXPECT_EQ(readAll(hospital + "profiles.txt"), defaults);
  EXPECT_EQ(readAll(hospital + "lastprofile.txt"), "player3");
  click(423, 361);
  pause(300);

  // A rename keeps as many characters as a profile name holds (14) and writes both files.
  click(497, 476);
  keys("BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace");
  shell("xdotool type --delay 60 Nightingale1234");
  keys("Return");
  EXPECT_EQ(readAll(hospital + "profiles.txt"), "player1\nplayer2\nNightingale123\nplayer4\nplayer5\nplayer6");
  EXPECT_EQ(readAll(hospital + "lastprofile.txt"), "Nightingale123");

  // Back out through the close box: nothing is written.
  click(630, 81);
  EXPECT_LT(offBackdrop("profiles-closed", 385, 127, 224, 46), 0.08) << "the profiles panel stayed";

  // Options and straight back: the stored volume survives the slider unchanged.
  click(162, 328);
  EXPECT_GT(offBackdrop("options", 390, 289, 220, 36), 0.15) << "no music slider at (390, 289)";
  click(502, 462);
  EXPECT_EQ(readAll(hospital + "2/audio.cfg"), "SOUND 1\nMUSIC 1\nSOUNDVOL 100\nMUSICVOL 53");
  EXPECT_EQ(readAll(hospital + "2/video.cfg"), "FULLSCREEN 0\n");

  // Options again; the music knob dragged to 30 and BACK stores it.
  click(162, 328);
  shell("xdotool mousemove --window " + window + " 510 322");
  pause(400);
  shell("xdotool mousedown 1");
  for (int x = 505; x >= 460; x -= 5) {
    shell("xdotool mousemove --window " + window + " " + std::to_string(x) + " 322");
    pause(80);
  }
  pause(300);
  shell("xdotool mouseup 1");
  pause(300);
  click(502, 462);
  EXPECT_EQ(readAll(hospital + "2/audio.cfg"), "SOUND 1\nMUSIC 1\nSOUNDVOL 100\nMUSICVOL 30");
  EXPECT_FALSE(exists(hospital + "2/save.dat"));

  // New game: no saved game, so the hero choice opens at (340, 140); the male hero starts day 1,
  // which saves the game with the hero's sex.
  click(162, 278);
  EXPECT_GT(offBackdrop("hero", 403, 265, 53, 132), 0.15) << "no hero portrait at (403, 265)";
  click(429, 330);
  for (int i = 0; i < 120 && !exists(hospital + "2/save.dat"); ++i) pause(500);
  std::string save = readAll(hospital + "2/save.dat");
  ASSERT_GE(save.size(), 24u);
  EXPECT_EQ(save.substr(0, 2), std::string("\0\1", 2)) << "day 1 is the current level";
  EXPECT_EQ(save.substr(20, 4), std::string("\0\0\0\1", 4)) << "the male hero";
  shell("python3 '" + std::string(TOB_SOURCE_DIR) + "/tests/core/close_window.py' " + window);
  EXPECT_EQ(wait(120), 0);
  window.clear();

  // Next start: the saved game adds CONTINUE and moves the buttons down; QUIT, then Yes, ends
  // the game with status 0 and writes nothing.
  const std::string profilesBefore = readAll(hospital + "profiles.txt");
  start();
  ASSERT_FALSE(window.empty());
  ASSERT_TRUE(waitForMainMenu()) << readAll(home + "/err.txt");
  EXPECT_GT(offBackdrop("continue", 60, 226, 204, 46), 0.15) << "no CONTINUE button at y offset 86";
  click(162, 449);
  EXPECT_GT(offBackdrop("quit", 281, 220, 280, 40), 0.15) << "no quit question at (261, 200)";
  click(423, 338);
  EXPECT_EQ(wait(120), 0) << readAll(home + "/err.txt");
  EXPECT_EQ(readAll(hospital + "profiles.txt"), profilesBefore);
  EXPECT_EQ(readAll(hospital + "2/save.dat"), save);
}
