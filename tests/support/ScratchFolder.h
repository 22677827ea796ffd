#pragma once
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/FakePicture.h"
#include "engine/KMiscTools.h"
#include "media/CSurface.h"

// A fresh folder under /tmp that is both the working folder (for "log.txt") and the application
// folder (for "data\gfx\..."), with an empty surface registry drawing on recording pictures or,
// without fakePictures, on real ones. Leaving it goes back to the old working folder, drops the
// clock hook and deletes the folder. Call both under ASSERT_NO_FATAL_FAILURE.
class ScratchFolder {
public:
  void enterScratch(const std::string &prefix, bool fakePictures) {
    std::string tmpl = "/tmp/" + prefix + "_XXXXXX";
    ASSERT_NE(mkdtemp(&tmpl[0]), nullptr);
    dir = tmpl;
    ASSERT_NE(getcwd(oldCwd, sizeof(oldCwd)), nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
    mkdir((dir + "/data").c_str(), 0755);
    mkdir((dir + "/data/gfx").c_str(), 0755);
    KMiscTools::setApplicationFolder(dir.c_str());
    CSurfaceManager::destroyInstance();
    FakePicture::clear();
    CSurface::setPictureFactory(fakePictures ? FakePicture::make : nullptr);
  }

  void leaveScratch() {
    CSurfaceManager::destroyInstance();
    CSurface::setPictureFactory(nullptr);
    KMiscTools::setClockSource(nullptr);
    ASSERT_EQ(chdir(oldCwd), 0);
    std::string cmd = "rm -rf '" + dir + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }

  std::string logText() const {
    std::ifstream in(dir + "/log.txt");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  void clearLog() const { std::remove((dir + "/log.txt").c_str()); }

  std::string dir;

private:
  char oldCwd[1024];
};
