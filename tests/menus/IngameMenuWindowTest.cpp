#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "core/CProfiles.h"
#include "media/CGlobals.h"
#include "support/GameWindowDay.h"
#include "world/CLevelList.h"

// The second working day of the data set in the real window, driven by key presses and clicks:
// the menu pauses it, restart replays it with its goal met, main menu goes back to the title.
namespace {

std::string readAll(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class IngameMenuWindowTest : public GameWindowDay {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tob_ingame_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    home = tmpl;
    const char *old = std::getenv("HOME");
    if (old) oldHome = old;
    setenv("HOME", home.c_str(), 1);
    mkdir((home + "/hospital").c_str(), 0777);
    for (int i = 0; i < 6; ++i) mkdir((home + "/hospital/" + std::to_string(i)).c_str(), 0777);
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    engineObj.built().setProfiles(new CProfiles());
    ASSERT_EQ(engineObj.built().getProfiles()->load(), 0);
    engineObj.setSkipToLevel(CEngine::kNoSkip);
    engineObj.progression().setRunning(true);
    engineObj.restartGame();
  }

  void TearDown() override {
    level = engineObj.getLevel();
    delete engineObj.progression().getLevelList();
    engineObj.progression().setLevelList(nullptr);
    delete engineObj.built().getProfiles();
    engineObj.built().setProfiles(nullptr);
    tearDownWindowDay();
    if (!oldHome.empty()) setenv("HOME", oldHome.c_str(), 1);
    if (!home.empty()) std::system(("rm -rf '" + home + "'").c_str());
  }

  // One frame as the play state runs it.
  void playFrame(int n = 1) {
    for (int i = 0; i < n; ++i) {
      pumpAll();
      frame(20);
      CLevel_Game *l = engineObj.getLevel();
      l->update(engineObj.getSoucasnyLevel(), true);
      window()->setWorldView(0, 0, 0, 1, true);
      l->render(engineObj.getSoucasnyLevel(), true, screen);
      engineObj.checkNextLevel();
      engineObj.trySkipLevel();
    }
  }
  void press(SDL_Scancode sc) {
    pushKey(sc, true);
    pushKey(sc, false);
    playFrame();
  }
  void click(int x, int y) {
    pushMotion(x, y);
    playFrame(3);
    pushButton(1, true, x, y);
    pushButton(1, false, x, y);
    playFrame(2);
  }
  CMapEntity_Game *live(unsigned int id) {
    CMapEntity_Game *e = engineObj.getLevel()->getEC()->getEntityByID(id);
    return e && !e->getKill() ? e : nullptr;
  }
  std::string save() { return readAll(home + "/hospital/0/save.dat"); }
  static int u16(const std::string &s) { return s.size() < 2 ? -1 : ((unsigned char)s[0] << 8) | (unsigned char)s[1]; }
  static int brightness(uint32_t p) { return (int)((p >> 24) & 0xFF) + (int)((p >> 16) & 0xFF) + (int)((p >> 8) & 0xFF); }

  std::string home, oldHome;
};

TEST_F(IngameMenuWindowTest, EscapePausesTheDayRestartReplaysItAndMainMenuLeavesTheSaveAlone) {
  // The second working day, the first to open with its notebook (the guided first day has none).
  const int dayIndex = 4;
  ASSERT_EQ(engineObj.progression().getLevelList()->getLevel(dayIndex), "ward_day2");
  engineObj.progression().requestLevel(dayIndex, true);
  playFrame();
  ASSERT_EQ(engineObj.getSoucasnyLevel(), dayIndex);
  ASSERT_EQ(u16(save()), dayIndex);
  // The day's notebook first: it opens, stands, and a click puts it away.
  playFrame(12);
  click(400, 300);
  playFrame(5);
  ASSERT_EQ(live(1002), nullptr);
  ASSERT_FALSE(CGlobals::instance()->paused);

  const int floorBefore = brightness(pixel(120, 450));
  press(SDL_SCANCODE_ESCAPE);
  ASSERT_NE(live(263), nullptr);
  const uint32_t clock = CFakeTime::instance()->ms;
  const float dayLeft = engineObj.getLevel()->getTimeLeftPercent();
  playFrame(20);
  EXPECT_EQ(CFakeTime::instance()->ms, clock) << "the game clock stands";
  EXPECT_EQ(engineObj.getLevel()->getTimeLeftPercent(), dayLeft);
  EXPECT_LT(brightness(pixel(120, 450)), floorBefore * 3 / 4) << "the ward lies behind the dark screen";
  mkdir((std::string(TOB_BINARY_DIR) + "/menu-shots").c_str(), 0777);
  savePNG((std::string(TOB_BINARY_DIR) + "/menu-shots/paused-day.png").c_str());

  press(SDL_SCANCODE_ESCAPE);
  playFrame(3);
  EXPECT_EQ(live(263), nullptr);
  EXPECT_GT(CFakeTime::instance()->ms, clock) << "the day runs again";
  EXPECT_GT(brightness(pixel(120, 450)), floorBefore * 3 / 4);

  // Reopened; the day's goal met; RESTART DAY and Yes build the same day again, saved as a replay.
  press(SDL_SCANCODE_ESCAPE);
  playFrame(20);
  ASSERT_NE(live(263), nullptr);
  CLevel_Game *day = engineObj.getLevel();
  day->changeMoney(day->getMoneyLimit());
  std::remove((home + "/hospital/0/save.dat").c_str());
  click(260 + 50 + 100, 100 + 139 + 18);
  ASSERT_NE(live(398), nullptr) << "the restart question";
  click(261 + 50 + 100, 200 + 115 + 18);
  playFrame();
  EXPECT_TRUE(engineObj.progression().isRunning());
  EXPECT_EQ(engineObj.getSoucasnyLevel(), dayIndex);
  EXPECT_EQ(engineObj.getLevel()->getLevelName(), "Day 2");
  EXPECT_EQ(engineObj.getLevel()->getMoney(), 0);
  EXPECT_EQ(u16(save()), dayIndex) << "save.dat names the same day";
  EXPECT_FALSE(CGlobals::instance()->paused);

  // Main menu, asked about: level 0, and save.dat as it was.
  playFrame(12);
  click(400, 300);
  playFrame(5);
  const std::string saved = save();
  engineObj.getLevel()->changeMoney(engineObj.getLevel()->getMoneyLimit());
  press(SDL_SCANCODE_ESCAPE);
  playFrame(20);
  click(260 + 50 + 100, 100 + 189 + 18);
  ASSERT_NE(live(258), nullptr) << "the main-menu question";
  click(261 + 50 + 100, 200 + 115 + 18);
  playFrame();
  EXPECT_EQ(engineObj.getSoucasnyLevel(), 0);
  EXPECT_EQ(engineObj.progression().getLevelList()->getLevel(0), "menu");
  EXPECT_EQ(save(), saved);
  EXPECT_FALSE(CGlobals::instance()->paused);
}

} // namespace
