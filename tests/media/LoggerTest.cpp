#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/CommaFormat.h"
#include "media/makeString.h"

namespace {

// Runs each test in its own scratch folder, because the log goes to the working directory.
class LoggerTest : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tob_logger_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    ASSERT_NE(getcwd(oldCwd_, sizeof(oldCwd_)), nullptr);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    debug = 0;
  }
  void TearDown() override {
    debug = 0;
    std::remove((dir_ + "/log.txt").c_str());
    ASSERT_EQ(chdir(oldCwd_), 0);
    rmdir(dir_.c_str());
  }
  std::string logText() {
    std::ifstream in(dir_ + "/log.txt");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  bool logExists() { return access((dir_ + "/log.txt").c_str(), F_OK) == 0; }

  std::string dir_;
  char oldCwd_[1024];
};

TEST_F(LoggerTest, WritesOnlyWhileDebugIsOn) {
  CLogger::instance()->log("quiet");
  EXPECT_FALSE(logExists());

  debug = 1;
  CLogger::instance()->log("a");
  CLogger::instance()->log("b");
  EXPECT_EQ(logText(), "a\nb\n");
}

TEST_F(LoggerTest, FatalErrorLogsAndExitsWithFailureStatus) {
  // -1 stays -1 (255 to the parent); the game's 0 must not look like success.
  EXPECT_EXIT(fatalError("Cannot create ZSprite copy, ZSprite X not found!", -1),
              ::testing::ExitedWithCode(255), "Cannot create ZSprite copy, ZSprite X not found!");
  EXPECT_EXIT(fatalError("Chyba: Stav menu nenalezen!", 0), ::testing::ExitedWithCode(1),
              "Chyba: Stav menu nenalezen!");
  EXPECT_EXIT(fatalError("", 0), ::testing::ExitedWithCode(1), "Fatal error");
}

TEST_F(LoggerTest, FatalLineReachesTheLogWordForWord) {
  debug = 1;
  EXPECT_EXIT(fatalDataError("DELAY not found near FRAMEB tag!", "data/gfx/sprites.xml", 12, -1),
              ::testing::ExitedWithCode(255),
              "DELAY not found near FRAMEB tag! \\(file data/gfx/sprites.xml, row 12\\)");
  EXPECT_EQ(logText(), "DELAY not found near FRAMEB tag!\n");

  EXPECT_EXIT(fatalDataError("File data/x.xml not found!", "data/x.xml", 0, 0), ::testing::ExitedWithCode(1),
              "File data/x.xml not found! \\(file data/x.xml\\)\n");
}

TEST(MakeString, FormatsLikeADefaultStream) {
  EXPECT_EQ(makeString(-7), "-7");
  EXPECT_EQ(makeString(true), "1");
  EXPECT_EQ(makeString('A'), "A");
  EXPECT_EQ(makeString(0.1f), "0.1");
  EXPECT_EQ(makeString(1500000.0f), "1.5e+06");
  EXPECT_EQ(makeString((unsigned long)4000000000UL), "4000000000");
  EXPECT_EQ(makeString((const char *)"text"), "text");
  EXPECT_EQ(makeString((const char *)nullptr), "");
  int x = 0;
  EXPECT_EQ(makeString((void *)&x).substr(0, 2), "0x");
}

TEST(CommaFormat, SeparatesThousandsAndRounds) {
  EXPECT_EQ(CommaFormat(1000000.25, 2), "1,000,000.25");
  EXPECT_EQ(CommaFormat(-1000.0, 0), "-1,000");
  EXPECT_EQ(CommaFormat(999.0, 0), "999");
  EXPECT_EQ(CommaFormat(1000.0, 0), "1,000");
  EXPECT_EQ(CommaFormat(0.0, 0), "0");
  EXPECT_EQ(CommaFormat(-0.5, 1), "-0.5");
  EXPECT_EQ(CommaFormat(0.96, 1), "1.0");
  EXPECT_EQ(CommaFormat(1e30, 0).size(), 23u);
}

TEST(CommaFormat, StrRevReversesInPlace) {
  char abc[] = "abc";
  EXPECT_STREQ(str_rev(abc), "cba");
  char empty[] = "";
  EXPECT_STREQ(str_rev(empty), "");
  EXPECT_EQ(str_rev(nullptr), nullptr);
}

struct Counted : CSingleton<Counted> {};

TEST(Singleton, SameObjectUntilDestroyed) {
  Counted *a = Counted::instance();
  EXPECT_EQ(Counted::instance(), a);
  Counted::destroyInstance();
  EXPECT_EQ(Counted::m_instance, nullptr);
  Counted *b = Counted::instance();
  EXPECT_NE(b, nullptr);
  Counted::destroyInstance();
}

} // namespace
