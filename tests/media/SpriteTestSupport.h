#pragma once
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "FakePicture.h"
#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CSurface.h"

// Each test runs in a scratch folder that is both the working folder (for "log.txt") and the
// application folder (for "data\gfx\..."), with a fresh surface registry, recording pictures,
// logging on and the game clock at a known time.
class MediaScratch : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tob_sprites_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
    ASSERT_NE(getcwd(oldCwd, sizeof(oldCwd)), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    mkdir((dir + "/data").c_str(), 0755);
    mkdir((dir + "/data/gfx").c_str(), 0755);
    KMiscTools::setApplicationFolder(dir.c_str());
    CSurfaceManager::destroyInstance();
    FakePicture::clear();
    CSurface::setPictureFactory(FakePicture::make);
    CGlobals::instance()->paused = false;
    CFakeTime::instance()->ms = 10000;
    debug = 1;
  }

  void TearDown() override {
    debug = 0;
    CSurfaceManager::destroyInstance();
    CSurface::setPictureFactory(nullptr);
    KMiscTools::setClockSource(nullptr);
    CGlobals::instance()->paused = false;
    ASSERT_EQ(chdir(oldCwd), 0);
    std::string cmd = "rm -rf '" + dir + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }

  std::string write(const std::string &name, const std::string &text) {
    std::string path = dir + "/" + name;
    std::ofstream(path) << text;
    return path;
  }

  std::string logText() {
    std::ifstream in(dir + "/log.txt");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  void clearLog() { std::remove((dir + "/log.txt").c_str()); }

  size_t count(const std::string &text, const std::string &part) {
    size_t n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
  }

  std::string dir;
  char oldCwd[1024];
};

// Death tests re-run the test binary, so a forked child never shares another thread's state.
inline void useSafeDeathTests() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

// The process ended on its own with a failure status (the game's -1 shows as 255).
inline bool failedExit(int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 0; }
