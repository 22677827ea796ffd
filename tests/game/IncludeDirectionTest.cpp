#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "game/CGameLinks.h"
#include "world/kinds/Links.h"

namespace {
namespace fs = std::filesystem;

// engine < media < world < core < the six subsystems < game < main.cpp
const std::map<std::string, int> &layers() {
  static const std::map<std::string, int> rank = {
      {"engine", 0},  {"media", 1}, {"world", 2},  {"core", 3},     {"patients", 4}, {"ward", 4},
      {"progress", 4}, {"menus", 4}, {"events", 4}, {"guidance", 4}, {"game", 5},     {"main.cpp", 6},
  };
  return rank;
}

std::string topFolder(const std::string &path) { return path.substr(0, path.find('/')); }

// Why a file under `from` may not include `to` (both relative to src/), or empty when it may.
std::string forbidden(const std::string &from, const std::string &to) {
  auto a = layers().find(topFolder(from));
  auto b = layers().find(topFolder(to));
  if (a == layers().end()) return "lies in no known folder";
  if (b == layers().end()) return "includes " + to + ", which lies in no known folder";
  if (b->second > a->second) return "includes " + to + " from a layer above it";
  if (b->second == 4 && a->second == 4 && b->first != a->first) return "includes " + to + " from another subsystem";
  return "";
}

// Every breach under src/, as "file:line: why"; the platform's headers only from the engine.
std::vector<std::string> breaches() {
  const fs::path src = fs::path(TOB_SOURCE_DIR) / "src";
  const std::regex quoted(R"re(^\s*#\s*include\s*"([^"]+)")re");
  const std::regex platform(R"(^\s*#\s*include\s*<(SDL|GL/|vorbis/|ogg/|dumb))");
  std::vector<std::string> found;
  for (const fs::directory_entry &entry : fs::recursive_directory_iterator(src)) {
    if (!entry.is_regular_file()) continue;
    const std::string file = fs::relative(entry.path(), src).generic_string();
    std::ifstream in(entry.path());
    std::string line;
    for (int row = 1; std::getline(in, line); ++row) {
      std::smatch m;
      std::string why;
      if (std::regex_search(line, m, quoted))
        why = forbidden(file, m[1]);
      else if (std::regex_search(line, platform) && topFolder(file) != "engine")
        why = "includes a platform header above the engine";
      if (!why.empty()) found.push_back(file + ":" + std::to_string(row) + ": " + why);
    }
  }
  return found;
}
} // namespace

TEST(IncludeDirection, EveryIncludeUnderSrcPointsDown) {
  for (const std::string &b : breaches()) ADD_FAILURE() << b;
}

TEST(IncludeDirection, SubsystemsStandSideBySideBetweenCoreAndGame) {
  EXPECT_EQ(forbidden("ward/CPostelController.cpp", "patients/CMapEntity_PacientClass.h"),
            "includes patients/CMapEntity_PacientClass.h from another subsystem");
  EXPECT_EQ(forbidden("guidance/CTipController.cpp", "progress/CShop.h"),
            "includes progress/CShop.h from another subsystem");
  EXPECT_EQ(forbidden("ward/CPostelController.cpp", "ward/CPostel.h"), "");
  EXPECT_EQ(forbidden("patients/CPacientController.cpp", "core/CEngine.h"), "");
  EXPECT_EQ(forbidden("patients/CPacientController.cpp", "world/kinds/EntityIds.h"), "");
  EXPECT_EQ(forbidden("core/CEngine.cpp", "menus/CMenu.h"), "includes menus/CMenu.h from a layer above it");
  EXPECT_EQ(forbidden("menus/CMenu.cpp", "game/GameMain.h"), "includes game/GameMain.h from a layer above it");
  EXPECT_EQ(forbidden("game/GameMain.cpp", "events/CGerm.h"), "");
  EXPECT_EQ(forbidden("main.cpp", "game/GameMain.h"), "");
  EXPECT_EQ(forbidden("world/CLevel.cpp", "tinyxml/tinyxml.h"), "includes tinyxml/tinyxml.h, which lies in no known folder");
}

TEST(GameLinks, StartUpEndsNamingTheLinkThatIsMissing) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  installGameLinks();
  checkGameLinks();
  TScopedLink<CDayPanelsLink> missing(nullptr);
  EXPECT_EXIT(checkGameLinks(), ::testing::ExitedWithCode(255), "Link day panels is not installed");
}
