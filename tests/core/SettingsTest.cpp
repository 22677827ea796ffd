#include <string>

#include "support/HomeFixture.h"
#include "core/CProfiles.h"

namespace {

class SettingsTest : public HomeTest {
protected:
  void SetUp() override {
    HomeTest::SetUp();
    ASSERT_EQ(profiles.load(), 0);
  }
  CProfiles profiles;
};

TEST_F(SettingsTest, WritesAudioAndVideoFilesExactly) {
  CAudioOptions *a = CAudioOptions::instance();
  ASSERT_TRUE(a->uloz());
  EXPECT_EQ(readFile("hospital/0/audio.cfg"), "SOUND 1\nMUSIC 1\nSOUNDVOL 100\nMUSICVOL 100");
  a->nastavSound(false);
  a->setSoundVolume(35);
  a->setMusicVolume(7);
  ASSERT_TRUE(a->uloz());
  EXPECT_EQ(readFile("hospital/0/audio.cfg"), "SOUND 0\nMUSIC 1\nSOUNDVOL 35\nMUSICVOL 7");

  CAudioOptions::destroyInstance();
  CAudioOptions::instance()->nahraj();
  EXPECT_FALSE(CAudioOptions::instance()->vratSound());
  EXPECT_TRUE(CAudioOptions::instance()->vratMusic());
  EXPECT_EQ(CAudioOptions::instance()->getSoundVolume(), 35);
  EXPECT_EQ(CAudioOptions::instance()->getMusicVolume(), 7); // last line, no line end

  CVideoOptions *v = CVideoOptions::instance();
  v->nastavFullScreen(false);
  ASSERT_TRUE(v->uloz());
  EXPECT_EQ(readFile("hospital/0/video.cfg"), "FULLSCREEN 0\n");
}

TEST_F(SettingsTest, ReadsLinesByTheFormatsRules) {
  writeFile("hospital/0/audio.cfg",
            "SOUND 2\nMUSIC\t0\nSOUNDVOL 40\nSOUNDVOL 40\nSOUNDVOL 70\nMUSICVOL loud\nBASS 3\nMUSIC 1x\n");
  CAudioOptions *a = CAudioOptions::instance();
  a->setMusicVolume(55);
  a->nahraj();
  EXPECT_TRUE(a->vratSound());
  EXPECT_TRUE(a->vratMusic()); // the tab makes "MUSIC\t0" another key
  EXPECT_EQ(a->getSoundVolume(), 70);
  EXPECT_EQ(a->getMusicVolume(), 55); // not numbers: left as they were

  writeFile("hospital/0/audio.cfg", "SOUNDVOL 150\nMUSICVOL -5\n");
  a->nahraj();
  EXPECT_EQ(a->getSoundVolume(), 100);
  EXPECT_EQ(a->getMusicVolume(), 0);
  a->setSoundVolume(101);
  EXPECT_EQ(a->getSoundVolume(), 100);

  writeFile("hospital/0/video.cfg", "FULLSCREENX 0\n");
  CVideoOptions::instance()->nahraj();
  EXPECT_TRUE(CVideoOptions::instance()->vratFullScreen());

  // Words after the number do not hide it.
  writeFile("hospital/0/video.cfg", "FULLSCREEN 0 please\n");
  CVideoOptions::instance()->nahraj();
  EXPECT_FALSE(CVideoOptions::instance()->vratFullScreen());
  writeFile("hospital/0/audio.cfg", "SOUNDVOL 30 of 100\nMUSICVOL 20\tsoft\n");
  a->nahraj();
  EXPECT_EQ(a->getSoundVolume(), 30);
  EXPECT_EQ(a->getMusicVolume(), 20);
}

TEST_F(SettingsTest, GameSettings) {
  CGameOptions *g = CGameOptions::instance();
  CGlobals::instance()->hints = false;
  g->nahraj();
  EXPECT_EQ(g->getObtiznost(), 1);
  EXPECT_EQ(g->getObtiznostString(), "medium");
  EXPECT_TRUE(CGlobals::instance()->hints);
  EXPECT_FALSE(exists("hospital/game.cfg"));

  writeFile("hospital/game.cfg", "HINTS 0\nDIF 2\n");
  g->nahraj();
  EXPECT_EQ(g->getObtiznostString(), "hard");
  EXPECT_FALSE(CGlobals::instance()->hints);

  writeFile("hospital/game.cfg", "DIF 0\nDIF 1\nDIF 7\n");
  g->nahraj();
  EXPECT_EQ(g->getObtiznost(), 7);
  EXPECT_EQ(g->getObtiznostString(), "medium");
  g->nastavObtiznost(0);
  ASSERT_TRUE(g->uloz());
  EXPECT_EQ(readFile("hospital/game.cfg"), "DIF 0\nHINTS 0\n");
}

TEST_F(SettingsTest, ControlKeysWithAndWithoutAFile) {
  const std::string file = path("hospital/controls.cfg");
  CControlOptions *c = CControlOptions::instance();
  c->nahraj(file);
  EXPECT_EQ(c->getLeft(), 37);
  EXPECT_EQ(c->getRight(), 39);
  EXPECT_EQ(c->getUp(), 38);
  EXPECT_EQ(c->getDown(), 40);
  EXPECT_EQ(c->getShoot(), 32);
  EXPECT_FALSE(exists("hospital/controls.cfg"));
  ASSERT_TRUE(c->uloz(file));
  EXPECT_EQ(readFile("hospital/controls.cfg"), "LEFT 37\nRIGHT 39\nUP 38\nDOWN 40\nSHOOT 32");

  CControlOptions::destroyInstance();
  writeFile("hospital/controls.cfg", "SHOOT 13\n");
  c = CControlOptions::instance();
  c->nahraj(file);
  EXPECT_EQ(c->getUp(), 119);
  EXPECT_EQ(c->getDown(), 115);
  EXPECT_EQ(c->getLeft(), 97);
  EXPECT_EQ(c->getRight(), 100);
  EXPECT_EQ(c->getShoot(), 13);
}

} // namespace
