#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CPlayer.h"
#include "media/CGlobals.h"
#include "support/GameWindowDay.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/CMapEntity_MapkaLogo.h"

// Screens of the campaign loaded by name in the real window: a comic page shows its panels and
// captions under the page's hint, a late map its row of finished days, a late day its full ward.

namespace {

class CampaignWindowTest : public GameWindowDay {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpWindowDay()); }
  void TearDown() override { tearDownWindowDay(); }

  void show(const char *name, int frames) {
    load(name);
    play(frames);
  }

  void play(int frames) {
    for (int i = 0; i < frames; ++i) playFrame();
  }

  void unload() {
    delete level;
    level = nullptr;
    engineObj.progression().setLevel(nullptr);
  }

  // How many distinct colours (to 1/16 per channel) a band of the frame holds.
  int colours(int y0, int y1) {
    std::vector<unsigned char> p((size_t)800 * 600 * 4);
    EXPECT_TRUE(window()->readPixels(0, 0, 800, 600, p.data()));
    std::vector<bool> seen(4096);
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = 0; x < 800; ++x) {
        const unsigned char *c = &p[((size_t)(599 - y) * 800 + x) * 4];
        const int key = (c[0] >> 4) << 8 | (c[1] >> 4) << 4 | (c[2] >> 4);
        if (!seen[key]) {
          seen[key] = true;
          ++n;
        }
      }
    return n;
  }

  int count(const char *name) {
    int n = 0;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) n += e->name == name && !e->getKill();
    return n;
  }

};

TEST_F(CampaignWindowTest, ComicPageMapAndLateDayShowWhatTheListPromises) {
  const std::string dir = std::string(TOB_BINARY_DIR) + "/";
  // The page fades in over a second; its panels and captions come from its own background.
  show("comic_ch2", 70);
  EXPECT_EQ(count("COMIC"), 1);
  EXPECT_GT(colours(20, 280), 12) << "the page shows its panels, not a bare sheet";
  savePNG((dir + "campaign_comic.png").c_str());
  unload();

  show("map18", 20);
  EXPECT_EQ(count("LEVELCOMPLETED"), 17) << "one icon per finished day the record keeps (the Tutorial is not kept)";
  auto *plaque = dynamic_cast<CMapEntity_MapkaLogo *>(first("MAPKALOGO"));
  ASSERT_NE(plaque, nullptr);
  EXPECT_EQ(plaque->caption, "Next: Day 19") << "the plaque says the next working day, past the lab before it";
  // A stop a laboratory follows has a flask of purple liquid beside it, as day 18's has.
  EXPECT_TRUE(near(pixel(230, 207) | 0xFF, rgba(160, 80, 200), 40)) << std::hex << pixel(230, 207);
  savePNG((dir + "campaign_map18.png").c_str());
  unload();

  // A late day once its notebook has been put away and the new trolley and upgrade have arrived.
  show("day17", 15);
  pushButton(1, true, 400, 300);
  play(1);
  pushButton(1, false, 400, 300);
  play(300);
  EXPECT_EQ(count("HELPWINDOW"), 0);
  EXPECT_EQ(level->getLevelName(), "Day 17");
  EXPECT_GT(colours(100, 530), 40);
  savePNG((dir + "campaign_day17.png").c_str());
  unload();
}

// A touchpad tap: press and release reach the window within one frame.
TEST_F(CampaignWindowTest, ATapWithinOneFrameTurnsTheComicPageAndPressesTheMapStar) {
  auto tapAndWaitForTheEnd = [&](int x, int y) {
    pushMotion(x, y);
    play(2);
    pushButton(1, true, x, y);
    pushButton(1, false, x, y);
    int frames = 0;
    while (!level->getLevelOver() && frames < 120) {
      playFrame(false);
      ++frames;
    }
    return level->getLevelOver();
  };
  show("comic_ch2", 70);
  EXPECT_TRUE(tapAndWaitForTheEnd(400, 300)) << "the tap did not turn the page";
  unload();

  player->addLevelDone(1, 1);
  player->setPerkBought(true);
  show("map1", 5);
  CMapEntity_Game *star = first("MAPSTAR");
  ASSERT_NE(star, nullptr);
  EXPECT_TRUE(tapAndWaitForTheEnd((int)star->getX() + 20, (int)star->getY() + 20)) << "the tap missed the star";
  unload();
}

} // namespace
