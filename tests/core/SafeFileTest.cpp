#include <dirent.h>
#include <poll.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
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
// stays, and the next write of the same file leaves no trace of the cut one.
TEST_F(SafeFileTest, AWriteCutShortLeavesNothingBehindOnceWrittenAgain) {
  writeFile("hospital/0/save.dat", "previous save");
  writeFile("hospital/0/save.dat.old", "someone else's");
  const std::string file = path("hospital/0/save.dat");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EXIT(writeUntilKilled(file), testing::KilledBySignal(SIGXFSZ), "");
  }
  EXPECT_EQ(readFile("hospital/0/save.dat"), "previous save");
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

// Runs `probe` in a child process and gives back what it returned, or says that it had not ended
// after `seconds` (the child is then ended): a read that blocks or never finishes shows so here.
std::string endsWithin(double seconds, const std::function<std::string()> &probe) {
  int out[2];
  if (pipe(out) != 0) return "no pipe";
  pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    const std::string said = probe();
    if (write(out[1], said.data(), said.size()) < 0) std::_Exit(2);
    std::_Exit(0);
  }
  close(out[1]);
  std::string said;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds((long)(seconds * 1000));
  for (;;) {
    const long left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
    struct pollfd wait = {out[0], POLLIN, 0};
    if (left <= 0 || poll(&wait, 1, (int)left) <= 0) {
      said = "still reading after " + std::to_string(seconds) + " s";
      break;
    }
    char buf[512];
    const ssize_t n = read(out[0], buf, sizeof buf);
    if (n <= 0) break;
    said.append(buf, (size_t)n);
  }
  close(out[0]);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return said;
}

// A FIFO or a link to an endless device in place of a player file is refused unread, named,
// with the same kind of message as a damaged file; nothing waits on it or reads it to its end.
TEST_F(SafeFileTest, AFifoOrADeviceInPlaceOfAPlayerFileIsRefusedWithoutWaiting) {
  for (const char *kind : {"fifo", "device"}) {
    for (const char *rel : {"hospital/0/save.dat", "hospital/0/video.cfg", "hospital/top10.bin", "hospital/profiles.txt"})
      ASSERT_EQ(std::string(kind) == "fifo" ? mkfifo(path(rel).c_str(), 0666) : symlink("/dev/urandom", path(rel).c_str()),
                0)
          << rel;
    const std::string said = endsWithin(30, [&] {
      CSaveGame::Result result = CSaveGame::OK;
      unsigned short level = 0, furthest = 0;
      testing::internal::CaptureStderr();
      const bool saveRefused = !CSaveGame("0").load(10, level, furthest, &result) && result == CSaveGame::NOT_A_FILE;
      std::vector<TSettingLine> lines;
      const bool settingsRefused = !CSettingsFile::read(path("hospital/0/video.cfg"), lines);
      std::string bytes, why;
      const bool tableRefused = !CSafeFile::readOrCreate(path("hospital/top10.bin"), "table", bytes, why);
      CProfiles profiles;
      const bool profilesRefused = profiles.load() == -1;
      return std::string(saveRefused ? "" : "save.dat taken\n") + (settingsRefused ? "" : "video.cfg taken\n") +
             (tableRefused ? "" : "top10.bin taken\n") + (profilesRefused ? "" : "profiles.txt taken\n") +
             "top10.bin: " + why + "\n" + testing::internal::GetCapturedStderr();
    });
    EXPECT_EQ(said.find("taken"), std::string::npos) << kind << ": " << said;
    for (const std::string &line : {"Saved game " + path("hospital/0/save.dat") + " refused: it is not a plain file",
                                   "Settings file " + path("hospital/0/video.cfg") + " refused: it is not a plain file",
                                   std::string("top10.bin: it is not a plain file"),
                                   "Profile file " + path("hospital/profiles.txt") + " cannot be used: it is not a plain file"})
      EXPECT_NE(said.find(line), std::string::npos) << kind << ": " << said;
    for (const char *rel : {"hospital/0/save.dat", "hospital/0/video.cfg", "hospital/top10.bin", "hospital/profiles.txt"})
      std::remove(path(rel).c_str());
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

} // namespace
