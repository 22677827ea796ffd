#pragma once
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/CAudioOptions.h"
#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "core/CProfiles.h"
#include "core/CVideoOptions.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "game/CStartupTables.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "support/GameDay.h"

// The title screen headless: the game's own prototypes, behaviours and "menu" level over a
// scratch home folder, run frame by frame with the pointer, button and keys fed in as the
// platform would.
class MenuTest : public ::testing::Test, public GameDayScratch {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(WorldScratch::setUp(true));
    debug = 0;
    const char *old = std::getenv("HOME");
    if (old) oldHome = old;
    setenv("HOME", dir.c_str(), 1);
    hospital = dir + "/hospital/";
    mkdir(hospital.c_str(), 0777);
    for (int i = 0; i < 6; ++i) mkdir((hospital + std::to_string(i)).c_str(), 0777);
    write("0/video.cfg", "FULLSCREEN 0");
    write("0/audio.cfg", "SOUND 1\nMUSIC 1\nSOUNDVOL 37\nMUSICVOL 53");
    freshSettings();
    ASSERT_NO_FATAL_FAILURE(loadGameTables());
  }

  void TearDown() override {
    delete level;
    level = nullptr;
    engineObj.progression().setLevel(nullptr);
    engineObj.built().setProfiles(nullptr);
    delete profiles;
    profiles = nullptr;
    freshSettings();
    if (oldHome.empty()) unsetenv("HOME");
    else setenv("HOME", oldHome.c_str(), 1);
    tearDownGame();
  }

  static void freshSettings() {
    CAudioOptions::destroyInstance();
    CVideoOptions::destroyInstance();
  }

  // Reads the profile files (writing the defaults) and shows the title screen.
  void start() {
    profiles = new CProfiles();
    ASSERT_EQ(profiles->load(), 0);
    engineObj.built().setProfiles(profiles);
    CAudioOptions::instance()->nahraj();
    CVideoOptions::instance()->nahraj();
    load("menu");
    run(5);
    ASSERT_NE(panel(218), nullptr) << "no main menu";
  }

  void run(int frames, int ms = 20) {
    for (int i = 0; i < frames; ++i) {
      frame(ms);
      level->update(0, true);
    }
  }

  CMapEntitiesCollection *ec() const { return level->getEC(); }

  // The live top-level entity of that ID.
  CMapEntity_Game *panel(unsigned id) const {
    for (CMapEntity_Game *e : *ec()->getEntitiesPtr())
      if (e->getEntityID() == id && !e->getKill() && !e->carrying().getParent()) return e;
    return nullptr;
  }

  int countAlive(unsigned id) const {
    int n = 0;
    for (CMapEntity_Game *e : *ec()->getEntitiesPtr())
      if (e->getEntityID() == id && !e->getKill()) ++n;
    return n;
  }

  // The live entity of that ID carried by the carrier (first, or the n-th of several).
  static CMapEntity *carried(CMapEntity *carrier, unsigned id, size_t n = 0) {
    if (!carrier) return nullptr;
    const std::vector<CMapEntity *> &list = carrier->carrying().getContainedList();
    for (size_t i = 1; i < list.size(); ++i)
      if (list[i]->getEntityID() == id && !list[i]->getKill() && n-- == 0) return list[i];
    return nullptr;
  }

  void pointAt(float x, float y) {
    KInput::notePointer((int)x, (int)y);
    run(2);
  }

  void send(uint32_t type, unsigned char character = 0, uint32_t key = 0) {
    KEvent ev{};
    ev.type = type;
    ev.button = 1;
    ev.character = character;
    ev.ptkKey = key;
    ev.mouseX = KInput::getMouseX();
    ev.mouseY = KInput::getMouseY();
    level->handleMessages(&ev);
  }

  // A left press and release over the middle of the widget's picture, then a few frames.
  void click(CMapEntity *widget, int frames = 3) {
    ASSERT_NE(widget, nullptr);
    pointAt(widget->getX() + 20, widget->getY() + 15);
    KInput::noteButton(1, true);
    send(K_EVENT_MOUSEDOWN);
    run(1);
    KInput::noteButton(1, false);
    send(K_EVENT_MOUSEUP);
    run(frames);
  }

  void type(const std::string &text) {
    for (char c : text) {
      send(K_EVENT_KEYDOWN_FIRST, (unsigned char)c, 100);
      send(K_EVENT_KEYDOWN, (unsigned char)c, 100);
    }
  }

  void press(uint32_t key) {
    send(K_EVENT_KEYDOWN_FIRST, 0, key);
    send(K_EVENT_KEYDOWN, 0, key);
    run(2);
  }

  void write(const std::string &rel, const std::string &bytes) const {
    std::ofstream(hospital + rel, std::ios::binary) << bytes;
  }

  std::string read(const std::string &rel) const {
    std::ifstream in(hospital + rel, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  // Every file under the hospital folder with its bytes, to show that nothing was written.
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> out;
    std::vector<std::string> folders = {""};
    for (int i = 0; i < 6; ++i) folders.push_back(std::to_string(i) + "/");
    for (const std::string &f : folders) {
      DIR *d = opendir((hospital + f).c_str());
      if (!d) continue;
      while (dirent *e = readdir(d))
        if (e->d_type == DT_REG) out[f + e->d_name] = read(f + e->d_name);
      closedir(d);
    }
    return out;
  }

  CProfiles *profiles = nullptr;
  std::string hospital, oldHome;
};
