#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "support/GameProcess.h"

// What the player meets in the real game when the files in the home folder are damaged or cannot
// be written: the game's message window where it runs, the system's message box where it must stop.
namespace {

using gameproc::exists;
using gameproc::readAll;
using gameproc::shell;

const std::string &kData = gameproc::dataDir();

void put(const char *path, const char *text) {
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return;
  if (write(fd, text, std::strlen(text)) < 0) _exit(95);
  close(fd);
}

// A user and mount namespace of the process's own, the user mapped to itself, so that it may
// mount file systems that only it sees.
bool privateMounts() {
  const std::string uid = std::to_string(getuid()), gid = std::to_string(getgid());
  if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
  put("/proc/self/setgroups", "deny");
  put("/proc/self/uid_map", (uid + " " + uid + " 1").c_str());
  put("/proc/self/gid_map", (gid + " " + gid + " 1").c_str());
  return true;
}

// A disk of one page, full once the settings file is on it.
bool fullDiskAt(const std::string &folder) {
  if (mount("none", folder.c_str(), "tmpfs", 0, "size=4k") != 0) return false;
  put((folder + "/video.cfg").c_str(), "FULLSCREEN 0");
  return true;
}

class PlayerFilesWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(PrivateDisplay::ensure()) << PrivateDisplay::error();
    for (const char *tool : {"xdotool", "convert"})
      ASSERT_TRUE(gameproc::haveTool(tool)) << tool << " is missing (tools/deps.sh lists it)";
    char tmpl[] = "/tmp/tob_files_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    home = tmpl;
    hospital = home + "/hospital/";
    mkdir(hospital.c_str(), 0777);
    mkdir((hospital + "0").c_str(), 0777);
    std::ofstream(hospital + "0/video.cfg") << "FULLSCREEN 0";
    game.shots = std::string(TOB_BINARY_DIR) + "/player-files-shots";
    mkdir(game.shots.c_str(), 0777);
  }
  void TearDown() override {
    game.stop();
    if (!home.empty()) shell("rm -rf '" + home + "'");
  }

  std::string shot(const std::string &name) const { return game.shots + "/" + name + ".png"; }

  ::testing::AssertionResult waitForTitle() {
    return game.waitUntilLike("the title screen's backdrop right of the menu",
                              gameproc::readPicture(kData + "gfx/bg_menu.jpg", 360, 0, 440, 540), 0.08,
                              gameproc::kStartUpCeiling);
  }

  static gameproc::Pixels backdrop(int x, int y, int w, int h) {
    return gameproc::readPicture(kData + "gfx/bg_menu.jpg", x, y, w, h);
  }

  // The message window at (261, 200), found by its title bar whatever it stands on.
  ::testing::AssertionResult messageWindowShows() {
    gameproc::Pixels bar = gameproc::readPicture(kData + "gfx/menuquestionwindow.png", 40, 5, 200, 25);
    bar.x += 261;
    bar.y += 200;
    return game.waitUntilLike("the message window", bar, 0.08);
  }

  // OK, then the window is gone: what stood under its title bar shows again.
  ::testing::AssertionResult answerOk(const gameproc::Pixels &under) {
    ::testing::AssertionResult r = game.click(423, 361);
    return r ? game.waitUntilLike("the message window to be gone", under, 0.08) : r;
  }

  static bool canMountPrivately() {
    pid_t probe = fork();
    if (probe == 0) std::_Exit(privateMounts() ? 0 : 1);
    int status = -1;
    return waitpid(probe, &status, 0) == probe && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  GameProcess game;
  std::string home, hospital;
};

TEST_F(PlayerFilesWindowTest, ASavedGameThatCannotBeReadSaysWhyWhenContinued) {
  std::ofstream(hospital + "0/save.dat") << "garbage";
  game.start(TOB_EXECUTABLE, home, home);
  ASSERT_TRUE(game.findWindow()) << game.errors();
  ASSERT_TRUE(waitForTitle()) << game.errors();

  ASSERT_TRUE(game.click(162, 249));
  ASSERT_TRUE(messageWindowShows()) << game.errors();
  game.screenshot(shot("unreadable-save"));
  EXPECT_NE(game.errors().find("Saved game " + hospital + "0/save.dat refused"), std::string::npos) << game.errors();
  ASSERT_TRUE(answerOk(backdrop(330, 205, 170, 25)));
  EXPECT_EQ(readAll(hospital + "0/save.dat"), "garbage");
}

TEST_F(PlayerFilesWindowTest, ASaveOnAFullDiskIsToldWhereTheGameRuns) {
  if (!canMountPrivately()) GTEST_SKIP() << "no private mounts here";
  const std::string slot = hospital + "0";
  game.inChild = [slot] {
    if (!privateMounts() || !fullDiskAt(slot)) _exit(94);
  };
  game.start(TOB_EXECUTABLE, home, home);
  ASSERT_TRUE(game.findWindow()) << game.errors();
  ASSERT_TRUE(waitForTitle()) << game.errors();

  // A new game: the hero's choice starts the first day, which saves.
  ASSERT_TRUE(game.click(162, 278));
  ASSERT_TRUE(game.waitUntilUnlike("the hero choice", backdrop(403, 265, 53, 132), 0.15));
  ASSERT_TRUE(game.click(429, 330));
  ASSERT_TRUE(messageWindowShows()) << game.errors();
  game.screenshot(shot("full-disk"));
  EXPECT_NE(game.errors().find("Can't write " + slot + "/save.dat: write failed (No space left on device)"),
            std::string::npos)
      << game.errors();
  game.closeWindow();
  EXPECT_EQ(game.wait(gameproc::kCeiling), 0) << game.errors();
}

TEST_F(PlayerFilesWindowTest, ProfileFilesDamagedByHandAreMendedAndThePlayerTold) {
  std::ofstream(hospital + "profiles.txt") << "Ann\r\nBob\r\n";
  std::ofstream(hospital + "lastprofile.txt") << "Carol";
  game.start(TOB_EXECUTABLE, home, home);
  ASSERT_TRUE(game.findWindow()) << game.errors();
  ASSERT_TRUE(messageWindowShows()) << game.errors();
  game.screenshot(shot("unknown-last-player"));
  EXPECT_EQ(readAll(hospital + "lastprofile.txt"), "Ann");
  EXPECT_EQ(readAll(hospital + "lastprofile.txt.bad"), "Carol");
  EXPECT_EQ(readAll(hospital + "profiles.txt"), "Ann\r\nBob\r\n");
  ASSERT_TRUE(answerOk(backdrop(330, 205, 170, 25)));
  game.closeWindow();
  EXPECT_EQ(game.wait(gameproc::kCeiling), 0) << game.errors();
}

TEST_F(PlayerFilesWindowTest, AFolderNamedLikeTheHighScoresStopsStartUpNamingIt) {
  mkdir((hospital + "top10.bin").c_str(), 0777);
  game.start(TOB_EXECUTABLE, home, home);
  EXPECT_TRUE(game.answerMessageBox("Tobrulant cannot go on", shot("top10-folder"))) << game.errors();
  EXPECT_EQ(game.wait(gameproc::kCeiling), 255) << game.errors();
  EXPECT_NE(game.errors().find("Can't open top 10 file " + hospital + "top10.bin: it is a folder, not a file"),
            std::string::npos)
      << game.errors();
}

// No file may grow at all: the first file the game writes fails with its reason instead of the
// signal ending the game, and no temporary file stays behind.
TEST_F(PlayerFilesWindowTest, AFileSizeLimitEndsStartUpWithAMessageAndLeavesNoTemporaryFile) {
  game.inChild = [] {
    struct rlimit none = {0, RLIM_INFINITY};
    setrlimit(RLIMIT_FSIZE, &none);
  };
  game.start(TOB_EXECUTABLE, home, home);
  EXPECT_TRUE(game.answerMessageBox("Tobrulant cannot go on", shot("file-size-limit"))) << game.errors();
  EXPECT_EQ(game.wait(gameproc::kCeiling), 1);
  std::string left;
  DIR *d = opendir(hospital.c_str());
  ASSERT_NE(d, nullptr);
  while (dirent *e = readdir(d))
    if (std::string(e->d_name).find(".tmp") != std::string::npos) left += std::string(e->d_name) + " ";
  closedir(d);
  EXPECT_EQ(left, "");
  EXPECT_FALSE(exists(hospital + "profiles.txt"));
}

} // namespace
