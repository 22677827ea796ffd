#include <dirent.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/HomeFixture.h"
#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CSaveGame.h"
#include "core/CSettingsFile.h"

namespace {

class SafeFileTest : public HomeTest {
protected:
  int entriesIn(const std::string &rel) {
    int n = 0;
    DIR *d = opendir(path(rel).c_str());
    while (struct dirent *e = readdir(d))
      if (e->d_name[0] != '.') ++n;
    closedir(d);
    return n;
  }
};

TEST_F(SafeFileTest, ReplacesTheFileWhole) {
  writeFile("hospital/0/a.bin", "old contents that are longer");
  ASSERT_TRUE(CSafeFile::write(path("hospital/0/a.bin"), std::string("new\0x", 5)));
  EXPECT_EQ(readFile("hospital/0/a.bin"), std::string("new\0x", 5));
  EXPECT_EQ(entriesIn("hospital/0"), 1); // no temporary left behind
}

// A full disk, simulated by a file-size limit: the write fails part-way, the old file stays
// untouched, no temporary remains, and the failure reaches standard error and the log.
TEST_F(SafeFileTest, AFailedWriteKeepsTheOldFileAndIsReported) {
  writeFile("hospital/0/save.dat", "previous save");
  ASSERT_EQ(chdir(home.c_str()), 0);
  debug = 1;

  struct rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096; // room for the report itself, not for the save
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  testing::internal::CaptureStderr();
  bool ok = CSafeFile::write(path("hospital/0/save.dat"), std::string(100000, 'x'));
  std::string err = testing::internal::GetCapturedStderr();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  debug = 0;

  EXPECT_FALSE(ok);
  EXPECT_EQ(readFile("hospital/0/save.dat"), "previous save");
  EXPECT_EQ(entriesIn("hospital/0"), 1);
  EXPECT_NE(err.find("Can't write " + path("hospital/0/save.dat")), std::string::npos) << err;
  EXPECT_NE(readFile("log.txt").find("Can't write"), std::string::npos);
  std::remove(path("log.txt").c_str());
}

// Dies part-way through the write, by the signal a full file-size limit sends.
void writeUntilKilled(const std::string &file) {
  struct rlimit noCore = {0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  struct rlimit small;
  getrlimit(RLIMIT_FSIZE, &small);
  small.rlim_cur = 4096;
  std::signal(SIGXFSZ, SIG_DFL);
  setrlimit(RLIMIT_FSIZE, &small);
  CSafeFile::write(file, std::string(100000, 'x'));
  std::_Exit(0);
}

// A write that never finishes, as when the game is killed or crashes part-way: the old file
// stays, and the next start, as the next write of the same file, leaves no trace of the cut one.
TEST_F(SafeFileTest, AWriteCutShortLeavesNothingBehindOnceWrittenAgain) {
  writeFile("hospital/0/save.dat", "previous save");
  writeFile("hospital/0/save.dat.old", "someone else's");
  const std::string file = path("hospital/0/save.dat");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EXIT(writeUntilKilled(file), testing::KilledBySignal(SIGXFSZ), "");
  }
  ASSERT_EQ(CProfiles().load(), 0);
  EXPECT_EQ(readFile("hospital/0/save.dat"), "previous save");
  EXPECT_FALSE(exists("hospital/0/save.dat.tmp"));
  EXPECT_EXIT(writeUntilKilled(file), testing::KilledBySignal(SIGXFSZ), "");
  ASSERT_TRUE(CSafeFile::write(file, std::string("next save")));
  EXPECT_EQ(readFile("hospital/0/save.dat"), "next save");
  EXPECT_EQ(readFile("hospital/0/save.dat.old"), "someone else's");
  EXPECT_EQ(entriesIn("hospital/0"), 2);
}

// A private read-only mount, where removing a name that is not there fails with EROFS.
bool readOnlyMount(const std::string &folder) {
  return unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && mount("none", folder.c_str(), "tmpfs", MS_RDONLY, nullptr) == 0;
}

TEST_F(SafeFileTest, AReadOnlyFolderIsTheReasonGiven) {
  int status = 0;
  pid_t probe = fork();
  if (probe == 0) std::_Exit(readOnlyMount(path("hospital/0")) ? 0 : 1);
  if (waitpid(probe, &status, 0) != probe || status != 0) GTEST_SKIP() << "no private mounts here";
  EXPECT_EXIT(std::_Exit(readOnlyMount(path("hospital/0")) && !CSafeFile::write(path("hospital/0/a"), "x") ? 0 : 1),
              testing::ExitedWithCode(0), "Can't write .*/0/a: the folder cannot be written \\(Read-only");
}

// A FIFO or a link to an endless device in place of a player file is refused unread and named,
// as a damaged file is: nothing waits on it or reads it without end (the alarm ends a child that
// does). The files start-up reads are tried with the real game.
TEST_F(SafeFileTest, AFifoOrADeviceInPlaceOfAPlayerFileIsRefusedWithoutWaiting) {
  for (bool fifo : {true, false}) {
    for (const char *rel : {"hospital/0/save.dat", "hospital/0/video.cfg"})
      ASSERT_EQ(fifo ? mkfifo(path(rel).c_str(), 0666) : symlink("/dev/urandom", path(rel).c_str()), 0) << rel;
    auto refused = [&] {
      alarm(30);
      CSaveGame::Result result = CSaveGame::OK;
      unsigned short level = 0, furthest = 0;
      std::vector<TSettingLine> lines;
      const bool saveRefused = !CSaveGame("0").load(10, level, furthest, &result) && result == CSaveGame::NOT_A_FILE;
      return saveRefused && !CSettingsFile::read(path("hospital/0/video.cfg"), lines);
    };
    EXPECT_EXIT(std::_Exit(refused() ? 0 : 1), testing::ExitedWithCode(0),
        "Saved game .*/0/save.dat refused: it is not a plain file.*Settings file .*/0/video.cfg refused: it is not a "
        "plain file; the defaults are used");
    for (const char *rel : {"hospital/0/save.dat", "hospital/0/video.cfg"}) std::remove(path(rel).c_str());
  }

  // A plain file past its kind's size is refused too, before it is read whole.
  writeFile("hospital/0/save.dat", "");
  ASSERT_EQ(truncate(path("hospital/0/save.dat").c_str(), (off_t)CSaveGame::kMaxBytes + 1), 0);
  CSaveGame::Result result = CSaveGame::OK;
  unsigned short level = 0, furthest = 0;
  testing::internal::CaptureStderr();
  EXPECT_EQ(CSaveGame("0").load(10, level, furthest, &result), nullptr);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, CSaveGame::TOO_LARGE);
  EXPECT_STREQ(CSaveGame::reasonOf(result), "it is far larger than a saved game");
}

// A save that is there but cannot be opened is still one: offered, and NEW GAME asks before replacing it.
TEST_F(SafeFileTest, ASaveThatCannotBeOpenedStillCountsAsOne) {
  ASSERT_EQ(symlink("save.dat", path("hospital/0/save.dat").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", path("hospital/1/save.dat").c_str()), 0);
  EXPECT_TRUE(CSaveGame("0").exists()) << "a link loop";
  EXPECT_FALSE(CSaveGame("1").exists()) << "a link to nothing";
}

} // namespace
