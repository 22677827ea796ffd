#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FrameDiff.h"
#include "core/CPlayer.h"
#include "media/CGlobals.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "support/GameWindowDay.h"
#include "world/CMapEntity_TextBox.h"

// The world map loaded by name in the real window: the plane takes off, the star darkens the
// screen and ends the map; the shop with its tip, a star bought, a perk chosen and used on the
// next day; the victory screen after it.

using framediff::Area;

namespace {

class MapWindowTest : public GameWindowDay {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpWindowDay()); }
  void TearDown() override { tearDownWindowDay(); }

  // Takes the plane, its smoke and the clouds out of the sky for good.
  void stillSky() {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) {
      const std::string &n = e->name;
      if (n == "MAPALETADLO" || n == "MAPPLANE" || n == "LETADLOKOUR" || n.rfind("MAPCLOUD", 0) == 0)
        e->setKill(true);
    }
    run(40);
  }

  // Game time passing without drawing, for the long waits.
  void run(int ms) {
    for (int t = 0; t < ms; t += 20) {
      pumpAll();
      frame(20);
      level->update(0, true);
    }
  }

  void clickOn(CMapEntity *e, int dx = 0, int dy = 0) {
    ZSprite *s = e->looks().getSprite();
    const int w = s && s->getAktivniFrameset() ? s->getAktivniFrameset()->getAktivniSirka() : 40;
    const int h = s && s->getAktivniFrameset() ? s->getAktivniFrameset()->getAktivniVyska() : 40;
    clickAt((int)e->getX() + (dx ? dx : w / 2), (int)e->getY() + (dy ? dy : h / 2));
  }

  std::string shot(const char *name) {
    const std::string path = std::string(TOB_BINARY_DIR) + "/" + name;
    savePNG(path.c_str());
    return path;
  }

  bool captionShows(const std::string &text) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (auto *t = dynamic_cast<CMapEntity_TextBox *>(e))
        if (t->text == text && !e->getKill()) return true;
    return false;
  }

  // Mean brightness of the frame just drawn.
  double brightness() {
    std::vector<unsigned char> p((size_t)800 * 600 * 4);
    EXPECT_TRUE(window()->readPixels(0, 0, 800, 600, p.data()));
    double sum = 0;
    for (size_t i = 0; i < p.size(); i += 4) sum += p[i] + p[i + 1] + p[i + 2];
    return sum / (800.0 * 600.0 * 3.0);
  }

};

TEST_F(MapWindowTest, PlaneTakesOffAndTheStarFadesTheMapOutOverASecond) {
  player->addLevelDone(1, 1);
  // This map offers a perk: with one bought the star leads on.
  player->setPerkBought(true);
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

TEST_F(MapWindowTest, CartOpensTheShopWithItsTipAndABuyFillsAStarAndLowersTheMoney) {
  player->addLevelDone(1, 1);
  player->setMoney(1200);
  load("map1");
  for (int i = 0; i < 5; ++i) playFrame();
  CMapEntity_Game *cart = first("UPGRADE");
  ASSERT_NE(cart, nullptr);
  clickOn(cart);
  CMapEntity_Game *shop = first("UPGRADEMENU");
  CMapEntity_Game *tip = first("TIPSHOP");
  ASSERT_NE(shop, nullptr);
  ASSERT_NE(tip, nullptr) << "the first opening brings the shop tip";
  CMapEntity *meds = shop->getContainedEntity(67);
  ASSERT_NE(meds, nullptr);
  CMapEntity *buy = meds->getContainedEntity(901);
  ASSERT_NE(buy, nullptr);

  // The tip's first page, its text on its picture and the picture on the screen.
  run(3300);
  playFrame();
  shot("shop_tip.png");
  const int tipH = (int)tip->looks().getSprite()->getAktivniFrameset()->getAktivniVyska();
  EXPECT_LE((int)tip->getY() + tipH, 600) << "the bubble ends above the screen's bottom";
  CMapEntity *text = tip->getContainedEntity(1001);
  ASSERT_NE(text, nullptr);
  Area lines = shownBy(text);
  EXPECT_GT(lines.count, 400) << lines;
  EXPECT_GT(lines.h(), 30) << lines << " two lines";
  EXPECT_TRUE(lines.inside(24, (int)tip->getY() + 20, 776, (int)tip->getY() + tipH - 12)) << lines;

  // While the tip runs it alone has the focus: BUY takes no click, and the player is told why.
  clickOn(buy, 44, 16);
  EXPECT_TRUE(captionShows("Wait for the tip to finish!"));
  run(400);
  EXPECT_EQ(player->getMoney(), 1200);

  run(3000 + 29500 - 3300);
  playFrame();
  EXPECT_EQ(first("TIPSHOP"), nullptr);
  EXPECT_EQ(player->getShopHint(), 1);
  ASSERT_FALSE(buy->getKill());
  // The plane, its smoke and the clouds drift behind the window's soft edges: still the sky so
  // that only the sale changes what is drawn.
  stillSky();
  draw();
  shot("shop.png");
  const std::vector<unsigned char> before = grab();

  CMapEntity *dot = nullptr;
  for (CMapEntity *c : meds->carrying().getContainedList())
    if (c->getEntityID() == 91 && !dot) dot = c;
  ASSERT_NE(dot, nullptr);
  clickOn(buy, 44, 16);
  EXPECT_EQ(player->getMoney(), 1000);
  EXPECT_EQ(player->starsOwned(67), 1);
  // Once the sparkle has died away the first dot is full and the money reads less.
  run(2500);
  stillSky();
  draw();
  const std::vector<unsigned char> after = grab();
  shot("shop_bought.png");
  EXPECT_STREQ(dot->looks().getSprite()->getAktivniFrameset()->getID(), "FULL");
  const int dx = (int)dot->getX(), dy = (int)dot->getY();
  const int dw = (int)dot->looks().getSprite()->getAktivniFrameset()->getAktivniSirka();
  const int dh = (int)dot->looks().getSprite()->getAktivniFrameset()->getAktivniVyska();
  Area filled = framediff::changed(before, after, dx, dy, dx + dw - 1, dy + dh - 1);
  EXPECT_GT(filled.count, dw * dh / 4) << filled << " the dot at (" << dx << "," << dy << ")";
  const int sx = (int)shop->getX(), sy = (int)shop->getY();
  Area money = framediff::changed(before, after, sx + 150, sy + 60, sx + 280, sy + 100);
  EXPECT_GT(money.count, 20) << money << " the money line";
  Area elsewhere = framediff::changed(before, after, sx, sy, sx + 359, sy + 120);
  EXPECT_LT(elsewhere.count - money.count, 10) << elsewhere << " only the money changes at the top";
}

TEST_F(MapWindowTest, APerkChosenOnTheMapShowsOnTheNextDaysBarAndSweepsGerms) {
  player->addLevelDone(1, 1);
  player->setShopHint(1);
  load("map1");
  for (int i = 0; i < 5; ++i) playFrame();
  CMapEntity_Game *star = first("MAPSTAR");
  ASSERT_NE(star, nullptr);
  clickOn(star);
  CMapEntity_Game *shop = first("UPGRADEMENU");
  ASSERT_NE(shop, nullptr) << "with a perk on offer the star opens the shop";
  EXPECT_NE(first("TIPSHOPPERK"), nullptr);
  EXPECT_FALSE(level->getLevelOver());
  // Pressed again while the shop stands open: the press says why it does not lead on.
  clickOn(star);
  EXPECT_TRUE(captionShows("Choose a perk first!"));
  EXPECT_FALSE(level->getLevelOver());
  playFrame();
  shot("shop_perks.png");
  // The four perk rows stand side by side, each showing within its own place.
  CMapEntity *virus = nullptr;
  for (unsigned id : {270u, 274u, 296u, 308u}) {
    CMapEntity *row = shop->getContainedEntity((unsigned short)id);
    ASSERT_NE(row, nullptr) << id;
    const int x = (int)row->getX(), y = (int)row->getY();
    Area a = shownBy(row);
    EXPECT_GT(a.count, 1500) << id << ": " << a;
    EXPECT_TRUE(a.inside(x, y, x + 69, y + 69)) << id << ": " << a;
    if (id == 308) virus = row;
  }
  clickOn(virus);
  EXPECT_TRUE(player->basketContains(308));
  EXPECT_TRUE(player->getPerkBought());
  run(3500);
  CMapEntity *burst = shop->getContainedEntity(274);
  EXPECT_TRUE(burst == nullptr || burst->getKill()) << "every perk row has faded out";

  CMapEntity *close = nullptr;
  for (CMapEntity *c : shop->carrying().getContainedList())
    if (c->name == "MENUCLOSE") close = c;
  ASSERT_NE(close, nullptr);
  clickOn(close);
  playFrame();
  EXPECT_EQ(first("UPGRADEMENU"), nullptr);
  EXPECT_EQ(first("TIPSHOPPERK"), nullptr) << "the reminder goes with the shop";
  clickOn(star);
  int frames = 0;
  while (!level->getLevelOver() && frames < 80) {
    playFrame();
    ++frames;
  }
  ASSERT_TRUE(level->getLevelOver()) << "with the perk bought the star leads on";

  load("ward_day2");
  for (int i = 0; i < 10; ++i) playFrame();
  if (first("HELPWINDOW")) {
    clickAt(400, 300);
    for (int i = 0; i < 5; ++i) playFrame();
  }
  ASSERT_FALSE(CGlobals::instance()->paused);
  CMapEntity_Game *bar = first("STATUSBAR");
  ASSERT_NE(bar, nullptr);
  CMapEntity *icon = bar->getContainedEntity(309);
  ASSERT_NE(icon, nullptr) << "the bought perk's icon on the bar";
  Area shown = shownBy(icon);
  const int ix = (int)icon->getX(), iy = (int)icon->getY();
  EXPECT_GT(shown.count, 300) << shown;
  EXPECT_TRUE(shown.inside(ix - 2, iy - 2, ix + 40, iy + 40)) << shown << " the icon at (" << ix << "," << iy << ")";
  EXPECT_GE(iy, 540) << "on the status bar";
  shot("day_perk.png");

  const std::vector<unsigned char> clean = grab();
  CMapEntity_Game *germ = CMapEntitiesFactory::instance()->cloneEntity("NEMOCNEJBACILY");
  germ->setXY(480, 340);
  level->getEC()->addEntity(germ);
  playFrame();
  Area g = shownBy(germ);
  EXPECT_GT(g.count, 50) << g;
  const std::vector<unsigned char> idle = grab();

  clickOn(icon);
  EXPECT_EQ(first("NEMOCNEJBACILY"), nullptr) << "the virus perk sweeps the germ away";
  draw();
  Area tinted = framediff::changed(idle, grab(), shown.x0, shown.y0, shown.x1, shown.y1);
  EXPECT_GT(tinted.count, shown.count / 3) << tinted << " the active icon is tinted";
  run(2500);
  draw();
  Area gone = framediff::changed(clean, grab(), g.x0, g.y0, g.x1, g.y1);
  EXPECT_LT(gone.count, g.count / 4) << gone << " the germ's place looks as before it came";
}

TEST_F(MapWindowTest, VictoryScreenShowsTheHeroUnderFallingConfetti) {
  player->setPohlavi(1);
  load("victory");
  for (int i = 0; i < 40; ++i) playFrame();
  savePNG((std::string(TOB_BINARY_DIR) + "/victory.png").c_str());
  EXPECT_GT(brightness(), 30.0);
  EXPECT_STREQ(first("VICTORYPLAYER")->looks().getSprite()->getID(), "VICTORYPLAYERM");
}

} // namespace
