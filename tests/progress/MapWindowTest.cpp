#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HudDay.h"
#include "media/ZSprite.h"
#include "support/GLTestWindow.h"

// The world map loaded by name in the real window: the plane takes off, the star darkens the
// screen and ends the map; the victory screen after it.

namespace {

CLevel_Game *g_level = nullptr;

bool toLevel(KEvent *ev) {
  if (g_level) g_level->handleMessages(ev);
  return true;
}

class MapWindowTest : public GLTestWindow, public HudDay {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    ASSERT_NO_FATAL_FAILURE(setUpDay(false));
    screen = KPTK::createKGraphic();
    backbuffer = screen;
    window()->setPTKCallBack(toLevel);
  }

  void TearDown() override {
    window()->setPTKCallBack(nullptr);
    g_level = nullptr;
    tearDownDay();
    backbuffer = nullptr;
    delete screen;
    GLTestWindow::TearDown();
  }

  void load(const char *name) {
    level = new CLevel_Game(&engineObj);
    engineObj.setLevel(level);
    level->load(name);
    g_level = level;
  }

  void playFrame() {
    pumpAll();
    frame(20);
    level->update(0, true);
    window()->setWorldView(0, 0, 0, 1, true);
    level->render(0, true, screen);
  }

  // Mean brightness of the frame just drawn.
  double brightness() {
    std::vector<unsigned char> p((size_t)800 * 600 * 4);
    EXPECT_TRUE(window()->readPixels(0, 0, 800, 600, p.data()));
    double sum = 0;
    for (size_t i = 0; i < p.size(); i += 4) sum += p[i] + p[i + 1] + p[i + 2];
    return sum / (800.0 * 600.0 * 3.0);
  }

  KGraphic *screen = nullptr;
};

TEST_F(MapWindowTest, PlaneTakesOffAndTheStarFadesTheMapOutOverASecond) {
  player->addLevelDone(1, 1);
  load("map1");
  CMapEntity_Game *plane = first("MAPPLANE");
  CMapEntity_Game *star = first("MAPSTAR");
  ASSERT_NE(plane, nullptr);
  ASSERT_NE(star, nullptr);
  const float startX = plane->getX();
  int frames = 0;
  while (plane->getX() == startX && frames < 130) {
    playFrame();
    ++frames;
  }
  EXPECT_GT(plane->getX(), startX) << "the plane moves within 2.5 s";
  for (int i = 0; i < 60; ++i) playFrame();
  savePNG((std::string(TOB_BINARY_DIR) + "/map.png").c_str());
  const double lit = brightness();

  const int sx = (int)star->getX() + 20, sy = (int)star->getY() + 20;
  pushMotion(sx, sy);
  playFrame();
  playFrame();
  pushButton(1, true, sx, sy);
  playFrame();
  for (int i = 0; i < 25; ++i) playFrame();
  const double half = brightness();
  EXPECT_LT(half, lit * 0.8) << "half-way the screen is darker";
  EXPECT_GT(half, lit * 0.2) << "but not yet black";
  EXPECT_FALSE(level->getLevelOver());
  pushButton(1, false, sx, sy);
  frames = 0;
  while (!level->getLevelOver() && frames < 60) {
    playFrame();
    ++frames;
  }
  EXPECT_TRUE(level->getLevelOver()) << "the map ends about a second after the press";
  EXPECT_LT(brightness(), lit * 0.1);
}

TEST_F(MapWindowTest, VictoryScreenShowsTheHeroUnderFallingConfetti) {
  player->setPohlavi(1);
  load("victory");
  for (int i = 0; i < 40; ++i) playFrame();
  savePNG((std::string(TOB_BINARY_DIR) + "/victory.png").c_str());
  EXPECT_GT(brightness(), 30.0);
  EXPECT_STREQ(first("VICTORYPLAYER")->getSprite()->getID(), "VICTORYPLAYERM");
}

} // namespace
