#pragma once
#include <gtest/gtest.h>

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/CAudioOptions.h"
#include "core/CControlOptions.h"
#include "core/CGameOptions.h"
#include "core/CVideoOptions.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"

// Every test gets its own scratch home folder with "hospital/0".."hospital/5", so nothing touches
// the real user folder; the settings singletons start fresh.
class HomeTest : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tob_core_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    home = tmpl;
    const char *old = std::getenv("HOME");
    hadHome = old != nullptr;
    if (old) oldHome = old;
    setenv("HOME", home.c_str(), 1);
    mkdir((home + "/hospital").c_str(), 0777);
    for (int i = 0; i < 6; ++i) mkdir((home + "/hospital/" + std::to_string(i)).c_str(), 0777);
    ASSERT_NE(getcwd(oldCwd, sizeof(oldCwd)), nullptr);
    freshSingletons();
  }

  void TearDown() override {
    freshSingletons();
    debug = 0;
    if (chdir(oldCwd) != 0) ADD_FAILURE() << "cannot return to " << oldCwd;
    if (hadHome) setenv("HOME", oldHome.c_str(), 1);
    else unsetenv("HOME");
    nftw(home.c_str(), [](const char *p, const struct stat *, int, struct FTW *) { return std::remove(p); }, 16,
         FTW_DEPTH | FTW_PHYS);
  }

  static void freshSingletons() {
    CAudioOptions::destroyInstance();
    CVideoOptions::destroyInstance();
    CGameOptions::destroyInstance();
    CControlOptions::destroyInstance();
  }

  std::string path(const std::string &rel) const { return home + "/" + rel; }

  bool exists(const std::string &rel) const { return access(path(rel).c_str(), F_OK) == 0; }

  std::string readFile(const std::string &rel) const {
    std::ifstream in(path(rel), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  void writeFile(const std::string &rel, const std::string &bytes) const {
    std::ofstream out(path(rel), std::ios::binary | std::ios::trunc);
    out << bytes;
  }

  std::string home;
  std::string oldHome;
  bool hadHome = false;
  char oldCwd[1024];
};
