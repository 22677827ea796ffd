#include "engine/KMiscTools.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {
uint32_t g_now = 0;
uint32_t g_step = 0; // added after every reading
uint32_t fakeClock() {
  uint32_t v = g_now;
  g_now += g_step;
  return v;
}

int g_pumped = 0;
void countingPump() { ++g_pumped; }

std::string g_boxDetail, g_boxHeadline;
void recordBox(const char *detail, const char *headline) {
  g_boxDetail = detail;
  g_boxHeadline = headline;
}

std::string makeTempFolder() {
  char tmpl[] = "/tmp/kmisctoolsXXXXXX";
  char *made = mkdtemp(tmpl);
  return made ? std::string(made) : std::string();
}
} // namespace

class KMiscToolsTest : public ::testing::Test {
protected:
  void SetUp() override {
    savedFile = KMiscTools::currentFilePath;
    savedApp = KMiscTools::currentAppPath;
    savedPump = KMiscTools::getEventPump();
    char *cwd = getcwd(savedCwd, sizeof(savedCwd));
    if (!cwd) savedCwd[0] = 0;
    g_now = 1000;
    g_step = 0;
    KMiscTools::setClockSource(fakeClock);
    KMiscTools::initMilliseconds();
  }
  void TearDown() override {
    KMiscTools::setClockSource(nullptr);
    KMiscTools::setFileSource(false);
    KMiscTools::setEventPump(savedPump);
    KMiscTools::setMessageBoxHandler(nullptr);
    KMiscTools::currentFilePath = savedFile;
    KMiscTools::currentAppPath = savedApp;
    if (savedCwd[0] && chdir(savedCwd) != 0) ADD_FAILURE() << "cannot return to " << savedCwd;
  }
  std::string savedFile;
  std::string savedApp;
  char savedCwd[1024];
  KMiscTools::EventPump savedPump = nullptr;
};

TEST_F(KMiscToolsTest, ClockCountsStepsOfTheSource) {
  EXPECT_EQ(KMiscTools::getMilliseconds(), 0u);
  g_now += 16;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 16u);
  EXPECT_EQ(KMiscTools::getMilliseconds(), 16u) << "same millisecond, same time";
  EXPECT_EQ(KMiscTools::_delta, 16u);
  g_now += 4;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 20u);
  EXPECT_EQ(kggetMilliseconds(), g_now) << "the raw source, without the engine counter";

  KMiscTools::setMilliseconds(5000);
  g_now += 7;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 5007u);

  KMiscTools::initMilliseconds();
  EXPECT_EQ(KMiscTools::getMilliseconds(), 0u);
}

TEST_F(KMiscToolsTest, ClockDoesNotJumpWhenTheSourceWraps) {
  g_now = 0xFFFFFFF0u;
  KMiscTools::initMilliseconds();
  g_now += 8;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 8u);
  g_now = 0x00000010u; // 32 ms after 0xFFFFFFF0, past the wrap
  EXPECT_EQ(KMiscTools::getMilliseconds(), 32u);
  g_now += 1;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 33u);
}

TEST_F(KMiscToolsTest, FreezeTimerDropsTheTimeSinceTheLastReading) {
  g_now += 10;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 10u);
  g_now += 5000; // the game waited in the background
  KMiscTools::freezeTimer();
  EXPECT_EQ(KMiscTools::getMilliseconds(), 10u);
  g_now += 3;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 13u);
}

TEST_F(KMiscToolsTest, PauseWaitsOnTheEngineClockAndPumpsOnlyWhenAsked) {
  g_step = 1;
  g_pumped = 0;
  KMiscTools::setEventPump(countingPump);
  unsigned long before = KMiscTools::getMilliseconds();
  KMiscTools::pause(100, false);
  EXPECT_GE(KMiscTools::getMilliseconds() - before, 100u);
  EXPECT_EQ(g_pumped, 0);

  before = KMiscTools::getMilliseconds();
  KMiscTools::pause(20, true);
  EXPECT_GE(KMiscTools::getMilliseconds() - before, 20u);
  EXPECT_GT(g_pumped, 0);
}

TEST_F(KMiscToolsTest, TicksAreSixtiethsOfTheSource) {
  g_now = 2000;
  EXPECT_EQ(KMiscTools::getTheTicks(), 120u);
}

TEST_F(KMiscToolsTest, MakeFilePathJoinsGamePathsToTheApplicationFolder) {
  KMiscTools::setApplicationFolder("/games");
  EXPECT_STREQ(KMiscTools::makeFilePath("data\\gfx\\sprites.xml"), "/games/data/gfx/sprites.xml");
  EXPECT_STREQ(KMiscTools::makeFilePath("\\data\\gfx\\sprites.xml"), "/games/data/gfx/sprites.xml");
  EXPECT_STREQ(KMiscTools::makeFilePath(""), "/games/");
  EXPECT_STREQ(KMiscTools::makeFilePath(nullptr), "/games/");

  // Absolute paths stay where they are, only with slashes.
  EXPECT_STREQ(KMiscTools::makeFilePath("/tmp/a\\b"), "/tmp/a/b");
  EXPECT_STREQ(KMiscTools::makeFilePath("\\/home/u\\hospital\\game.cfg"), "/home/u/hospital/game.cfg");

  char mine[] = "\\data\\levels\\a.xml";
  KMiscTools::makeFilePath(mine);
  EXPECT_STREQ(mine, "\\data\\levels\\a.xml") << "the caller's text is never changed";

  // An earlier result handed back in is the same buffer; the path must come out whole.
  const char *first = KMiscTools::makeFilePath("data\\x.png");
  EXPECT_STREQ(KMiscTools::makeFilePath(first), "/games/data/x.png");

  KMiscTools::setFileSource(true);
  EXPECT_STREQ(KMiscTools::makeFilePath("data\\x.png"), "/games/tobrulant/Contents/Resources/data/x.png");
  EXPECT_STREQ(KMiscTools::getCurrentPath(), "/games/tobrulant/Contents/Resources");
  KMiscTools::setFileSource(false);
  EXPECT_STREQ(KMiscTools::getCurrentPath(), "/games");

  const std::string deep = "/" + std::string(400, 'd');
  KMiscTools::setApplicationFolder(deep.c_str());
  EXPECT_EQ(KMiscTools::makeFilePath("data\\x.png"), deep + "/data/x.png") << "cut, it would name another file";
}

TEST_F(KMiscToolsTest, GetCurrentPathLeavesTheClockRunning) {
  g_now += 50;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 50u);
  KMiscTools::getCurrentPath();
  g_now += 1;
  EXPECT_EQ(KMiscTools::getMilliseconds(), 51u);
}

TEST_F(KMiscToolsTest, CleanPathTurnsSeparatorsIntoSlashes) {
  char p[] = "a:b\\c";
  EXPECT_EQ(KMiscTools::cleanPath(p), 5);
  EXPECT_STREQ(p, "a/b/c");
  char empty[] = "";
  EXPECT_EQ(KMiscTools::cleanPath(empty), 0);
  EXPECT_EQ(KMiscTools::cleanPath(nullptr), 0);
}

TEST_F(KMiscToolsTest, FlipsReverseTheBytes) {
  EXPECT_EQ(KMiscTools::flipUnsignedLong(0x11223344ul), 0x44332211ul);
  EXPECT_EQ(KMiscTools::flipLong(0x11223344l), 0x44332211l);
  EXPECT_EQ(KMiscTools::flipLong(0x000000FFl), (long)(int32_t)0xFF000000u) << "keeps the sign of 32 bits";
  EXPECT_EQ(KMiscTools::flipShort(0x1234), 0x3412);
  EXPECT_EQ(KMiscTools::flipUnsignedShort(0xABCD), 0xCDAB);

  float f = 1.5f;
  uint32_t fb, rb;
  std::memcpy(&fb, &f, 4);
  float r = KMiscTools::flipFloat(f);
  std::memcpy(&rb, &r, 4);
  EXPECT_EQ(rb, (uint32_t)KMiscTools::flipUnsignedLong(fb));
  EXPECT_EQ(KMiscTools::flipFloat(r), f);

  double d = -1234.25;
  unsigned char db[8], rd[8];
  double flipped = KMiscTools::flipDouble(d);
  std::memcpy(db, &d, 8);
  std::memcpy(rd, &flipped, 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(rd[i], db[7 - i]);
  EXPECT_EQ(KMiscTools::flipDouble(flipped), d);
}

TEST_F(KMiscToolsTest, CreateDirectoryMakesOrAcceptsAFolder) {
  std::string root = makeTempFolder();
  ASSERT_FALSE(root.empty());
  KMiscTools::setApplicationFolder(root.c_str());
  std::string dir = root + "/hospital";
  EXPECT_TRUE(KMiscTools::createDirectory(dir.c_str()));
  struct stat st;
  ASSERT_EQ(stat(dir.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_TRUE(KMiscTools::createDirectory(dir.c_str())) << "an existing folder is what was asked for";
  char cwd[1024];
  ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
  EXPECT_EQ(std::string(cwd), root) << "the working folder becomes the application's";

  EXPECT_FALSE(KMiscTools::createDirectory(""));
  EXPECT_FALSE(KMiscTools::createDirectory("a"));
  EXPECT_FALSE(KMiscTools::createDirectory(nullptr));
  std::string file = root + "/plain";
  FILE *f = std::fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_FALSE(KMiscTools::createDirectory(file.c_str())) << "a file of that name is no folder";
  EXPECT_FALSE(KMiscTools::createDirectory((file + "/sub").c_str()));

  EXPECT_TRUE(KMiscTools::fileExists(file.c_str()));
  EXPECT_TRUE(KMiscTools::fileExists(dir.c_str()));
  EXPECT_FALSE(KMiscTools::fileExists((root + "/none").c_str()));
  EXPECT_FALSE(KMiscTools::fileExists(nullptr));
  std::remove(file.c_str());
  rmdir(dir.c_str());
  rmdir(root.c_str());
}

namespace {
std::map<std::string, bool> g_listed;
int g_calls = 0;
bool collect(char *name, bool isFolder, void *data) {
  g_listed[name] = isFolder;
  ++g_calls;
  return data == nullptr; // a non-null marker asks to stop after the first entry
}
} // namespace

TEST_F(KMiscToolsTest, EnumerateFolderListsEntriesAndStopsOnRequest) {
  std::string root = makeTempFolder();
  ASSERT_FALSE(root.empty());
  std::string file = root + "/a.txt", sub = root + "/sub";
  FILE *f = std::fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  ASSERT_EQ(mkdir(sub.c_str(), 0777), 0);

  std::string pattern = root + "/*.*";
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back(0);
  g_listed.clear();
  KMiscTools::enumerateFolder(path.data(), collect, nullptr);
  EXPECT_EQ(g_listed.size(), 3u);
  EXPECT_EQ(g_listed.count("."), 0u);
  ASSERT_EQ(g_listed.count(".."), 1u);
  EXPECT_TRUE(g_listed[".."]);
  ASSERT_EQ(g_listed.count("a.txt"), 1u);
  EXPECT_FALSE(g_listed["a.txt"]);
  ASSERT_EQ(g_listed.count("sub"), 1u);
  EXPECT_TRUE(g_listed["sub"]);

  int marker = 1;
  g_calls = 0;
  KMiscTools::enumerateFolder(path.data(), collect, &marker);
  EXPECT_EQ(g_calls, 1);

  g_calls = 0;
  char missing[] = "/nonexistent-folder-for-test/";
  KMiscTools::enumerateFolder(missing, collect, nullptr);
  KMiscTools::enumerateFolder(nullptr, collect, nullptr);
  KMiscTools::enumerateFolder(path.data(), nullptr, nullptr);
  EXPECT_EQ(g_calls, 0);

  std::remove(file.c_str());
  rmdir(sub.c_str());
  rmdir(root.c_str());
}

TEST_F(KMiscToolsTest, MessageBoxGoesToTheInstalledHandler) {
  KMiscTools::setMessageBoxHandler(recordBox);
  KMiscTools::messageBox("export ok", nullptr);
  EXPECT_EQ(g_boxDetail, "export ok");
  EXPECT_EQ(g_boxHeadline, "");
  KMiscTools::messageBox(nullptr, "openGL error");
  EXPECT_EQ(g_boxDetail, "");
  EXPECT_EQ(g_boxHeadline, "openGL error");
}

TEST_F(KMiscToolsTest, UserFolderLocaleAndYearFromTheEnvironment) {
  const char *oldHome = std::getenv("HOME");
  std::string savedHome = oldHome ? oldHome : "";
  const char *oldLang = std::getenv("LANG");
  std::string savedLang = oldLang ? oldLang : "";

  setenv("HOME", "/home/nurse", 1);
  EXPECT_STREQ(KMiscTools::getUserFolder(), "/home/nurse");
  EXPECT_STREQ(KMiscTools::getPreferencesFolder(), "/home/nurse/.config");
  setenv("LANG", "cs_CZ.UTF-8", 1);
  EXPECT_STREQ(KMiscTools::getLocale(), "cs_CZ");
  unsetenv("LANG");
  EXPECT_STREQ(KMiscTools::getLocale(), "C");
  EXPECT_GE(KMiscTools::getYear(), 2024);

  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
  else unsetenv("HOME");
  if (oldLang) setenv("LANG", savedLang.c_str(), 1);
}
