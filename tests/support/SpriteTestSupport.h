#pragma once
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/FakePicture.h"
#include "support/ScratchFolder.h"
#include "engine/KMiscTools.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CSurface.h"

// Each test runs in a scratch folder with recording pictures, logging on and the game clock at a
// known time.
class MediaScratch : public ::testing::Test, public ScratchFolder {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(enterScratch("tob_sprites", true));
    CGlobals::instance()->paused = false;
    CFakeTime::instance()->ms = 10000;
    debug = 1;
  }

  void TearDown() override {
    debug = 0;
    CGlobals::instance()->paused = false;
    leaveScratch();
  }

  std::string write(const std::string &name, const std::string &text) {
    std::string path = dir + "/" + name;
    std::ofstream(path) << text;
    return path;
  }

  size_t count(const std::string &text, const std::string &part) {
    size_t n = 0;
    for (size_t p = text.find(part); p != std::string::npos; p = text.find(part, p + 1)) ++n;
    return n;
  }
};

// Death tests re-run the test binary, so a forked child never shares another thread's state.
inline void useSafeDeathTests() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }

// The process ended on its own with a failure status (the game's -1 shows as 255).
inline bool failedExit(int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 0; }
