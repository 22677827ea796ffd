#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "engine/KFont.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "game/CStartupTables.h"
#include "media/CFontSeznam.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"
#include "support/GLTestWindow.h"
#include "support/WorldTestSupport.h"
#include "ward/dispensers/CMapEntity_Automat.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CMapEntity_PlayerHands.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_PostelClass.h"

// The doctor's work on the patient-free day in a real window: clicks through the window's own
// events, the walk, the hands, the drink machine's lamp and the cleanup caption.

namespace {

const int kW = 800, kH = 600;
CLevel_Game *g_level = nullptr;

bool toLevel(KEvent *ev) {
  if (g_level) g_level->handleMessages(ev);
  bylKlik = 0;
  return true;
}

class PlayerWindow : public GLTestWindow, public WorldScratch {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    WorldScratch::setUp(false);
    debug = 0;
    std::srand(7);
    fillPalettes();
    KMiscTools::setApplicationFolder(TOB_BINARY_DIR);
    CGameOptions::instance()->nastavObtiznost(1);
    CLoadingScreen::destroyInstance();
    CMapEntitiesFactory::destroyInstance();
    spriteFactory->nahrajXML(KMiscTools::makeFilePath("data\\gfx\\sprites.xml"));
    fonts = new CFontSeznam();
    fonts->addFont("bed", KMiscTools::makeFilePath("data\\gfx\\bedfont.png"), bedFontTable);
    fonts->addFont("bonus", KMiscTools::makeFilePath("data\\gfx\\bonusFont.png"), bonusFontTable);
    fonts->addFont("small2", KMiscTools::makeFilePath("data\\gfx\\smallfont.tga"), small2FontTable);
    fonts->addFont("gamefont", KMiscTools::makeFilePath("data\\gfx\\gamefont.tga"), gameFontTable);
    small = new KText(KMiscTools::makeFilePath("data\\gfx\\font1small.png"), smallFontTable);
    engineObj.setFonts(fonts, small);
    record = new CPlayer();
    engineObj.setPlayer(record);
    engine = &engineObj;
    screen = KPTK::createKGraphic();
    backbuffer = screen;
    ASSERT_GT(registerEntityPrototypes(), 300u);
    engineObj.setControllerPrototypes(buildControllerPrototypes(&engineObj));
    level = new CLevel_Game(&engineObj);
    engineObj.setLevel(level);
    g_level = level;
    level->load("ward_player");
    window()->setPTKCallBack(toLevel);
    steadyFrames(20);
  }

  void TearDown() override {
    window()->setPTKCallBack(nullptr);
    g_level = nullptr;
    delete level;
    engineObj.setLevel(nullptr);
    delete engineObj.getCEntityControllersVzory_Game();
    engineObj.setControllerPrototypes(nullptr);
    CMapEntitiesFactory::destroyInstance();
    CLoadingScreen::destroyInstance();
    engine = nullptr;
    backbuffer = nullptr;
    delete screen;
    delete small;
    delete fonts;
    engineObj.setFonts(nullptr, nullptr);
    engineObj.setPlayer(nullptr);
    delete record;
    WorldScratch::tearDown();
    GLTestWindow::TearDown();
  }

  void playFrame() {
    pumpAll();
    frame(20);
    level->update(0, true);
    draw();
  }
  void draw() {
    window()->setWorldView(0, 0, 0, 1, true);
    level->render(0, true, screen);
  }
  std::vector<unsigned char> grab() {
    std::vector<unsigned char> p((size_t)kW * kH * 4);
    EXPECT_TRUE(window()->readPixels(0, 0, kW, kH, p.data()));
    return p;
  }
  static int changed(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b, int x0, int y0, int x1,
                     int y1) {
    int n = 0;
    for (int y = std::max(0, y0); y <= std::min(kH - 1, y1); ++y)
      for (int x = std::max(0, x0); x <= std::min(kW - 1, x1); ++x) {
        size_t i = ((size_t)y * kW + x) * 4;
        for (int c = 0; c < 3; ++c)
          if (std::abs((int)a[i + c] - (int)b[i + c]) > 3) {
            ++n;
            break;
          }
      }
    return n;
  }
  CMapEntity_Game *first(const std::string &name) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->name == name && !e->getKill()) return e;
    return nullptr;
  }
  CMapEntity_Player *figure() { return dynamic_cast<CMapEntity_Player *>(first("PLAYER")); }
  void foot(int &x, int &y) {
    Rect b = figure()->getCurrentFrame()->getBoundingBox();
    x = (int)((float)(int)figure()->getX() + (float)b.x + (float)b.w * 0.5f);
    y = (int)((float)(int)figure()->getY() + (float)b.y + (float)b.h * 0.5f);
  }
  void clickAt(int x, int y) {
    pushMotion(x, y);
    playFrame();
    playFrame();
    pushButton(1, true, x, y);
    pushButton(1, false, x, y);
    playFrame();
  }
  // Plays frames until the foot stands on the work spot's tile centre; the frames it took.
  int walkToWorkSpot(CMapEntity_Game *e, int maxFrames) {
    int tx = (int)((e->getX() + (float)e->approachX) / 32), ty = (int)((e->getY() + (float)e->approachY) / 32);
    for (int i = 1; i <= maxFrames; ++i) {
      playFrame();
      int fx, fy;
      foot(fx, fy);
      if (fx == tx * 32 + 16 && fy == ty * 32 + 16) return i;
    }
    return -1;
  }
  static std::string framesetOf(CMapEntity *e) { return e->getSprite()->getAktivniFrameset()->getID(); }

  CEngine engineObj;
  CPlayer *record = nullptr;
  CFontSeznam *fonts = nullptr;
  KText *small = nullptr;
  KGraphic *screen = nullptr;
  CLevel_Game *level = nullptr;
};

TEST_F(PlayerWindow, ClickWalkHandsDispenserLampAndCleanupCaption) {
  for (int i = 0; i < 3; ++i) playFrame();
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(first("POSTEL1"));
  ASSERT_NE(bed, nullptr);
  bed->setUklizeno(false);

  // A click on the bed: the "OK" marker at the pointer and one walk order at the queue's end.
  int fx0, fy0;
  foot(fx0, fy0);
  const int bx = (int)bed->getX() + 60, by = (int)bed->getY() + 40;
  pushMotion(bx, by);
  playFrame();
  playFrame();
  pushButton(1, true, bx, by);
  pushButton(1, false, bx, by);
  pumpAll();
  CMapEntity *ok = first("OK");
  ASSERT_NE(ok, nullptr);
  EXPECT_FLOAT_EQ(ok->getX(), (float)(bx + 9));
  EXPECT_FLOAT_EQ(ok->getY(), (float)(by + 24));
  const std::vector<akce *> &q = CMapEntity_FrontaAkci::najdi(level->getEC())->getFronta();
  ASSERT_FALSE(q.empty());
  EXPECT_EQ(q.back()->id, 0);
  EXPECT_EQ(q.back()->controller, figure()->getController());

  // 6 px a frame on each axis and a snap at each tile centre: six frames a tile, diagonals too.
  const int tiles = std::max(std::abs((bed->getX() + 120) / 32 - fx0 / 32.0f) + 0.5f,
                             std::abs((bed->getY() + 100) / 32 - fy0 / 32.0f) + 0.5f);
  int frames = walkToWorkSpot(bed, 200);
  ASSERT_GT(frames, 0);
  EXPECT_GE(frames, tiles * 5);
  EXPECT_LE(frames, tiles * 6 + 2);
  for (int i = 0; i < 4; ++i) playFrame();
  ASSERT_TRUE(bed->uklizeno) << "made";
  CMapEntity *linen = figure()->getContainedEntity(47);
  ASSERT_NE(linen, nullptr);
  EXPECT_EQ(linen->getParent(), (CMapEntity *)figure()->hand(true)) << "the first item goes to the left hand";

  // At 15 s of game time the drink machine's lamp turns green and its drink shows.
  CMapEntity_Automat *machine = dynamic_cast<CMapEntity_Automat *>(first("MEDDRINK"));
  CMapEntity *lamp = machine->getContainedEntity(210);
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(framesetOf(lamp), "RED");
  draw();
  std::vector<unsigned char> empty = grab();
  while (!machine->getContainedEntityClass(18) && CFakeTime::instance()->ms < 10000 + 16000) playFrame();
  ASSERT_NE(machine->getContainedEntityClass(18), nullptr);
  EXPECT_EQ(framesetOf(lamp), "GREEN");
  draw();
  std::vector<unsigned char> stocked = grab();
  int mx = (int)machine->getX(), my = (int)machine->getY();
  EXPECT_GT(changed(empty, stocked, mx + 10, my + 87, mx + 25, my + 102), 20) << "the lamp's colour";
  EXPECT_GT(changed(empty, stocked, mx + 29, my + 80, mx + 48, my + 107), 100) << "the drink";

  clickAt(mx + 36, my + 60);
  for (int i = 0; i < 300 && !figure()->getContainedEntity(55); ++i) playFrame();
  CMapEntity *drink = figure()->getContainedEntity(55);
  ASSERT_NE(drink, nullptr);
  EXPECT_EQ(drink->getParent(), (CMapEntity *)figure()->hand(false)) << "then the right hand";

  // Emptying the linen pays the chain bonus and says so.
  CMapEntity_Game *trolley = first("VOZIK");
  const int money = level->getMoney();
  clickAt((int)trolley->getX() + 40, (int)trolley->getY() + 50);
  ASSERT_GT(walkToWorkSpot(trolley, 300), 0);
  for (int i = 0; i < 4; ++i) playFrame();
  EXPECT_EQ(figure()->getContainedEntity(47), nullptr);
  EXPECT_EQ(level->getMoney(), money + 25);
  CMapEntity_BonusText *cleanup = nullptr;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (CMapEntity_BonusText *b = dynamic_cast<CMapEntity_BonusText *>(e))
      if (b->text == "CLEANUP +25") cleanup = b;
  ASSERT_NE(cleanup, nullptr);
  draw();
  std::vector<unsigned char> withCaption = grab();
  cleanup->setVisible(false);
  draw();
  int cx = (int)cleanup->getX(), cy = (int)cleanup->getY();
  EXPECT_GT(changed(withCaption, grab(), cx, cy, cx + 200, cy + 30), 50) << "the caption on screen";
  cleanup->setVisible(true);
  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/ward_player.png").c_str());

  // The spray goes into the hand the linen left.
  CMapEntity_Game *stand = first("ANTIV");
  clickAt((int)stand->getX() + 24, (int)stand->getY() + 45);
  ASSERT_GT(walkToWorkSpot(stand, 300), 0);
  for (int i = 0; i < 4; ++i) playFrame();
  CMapEntity *spray = figure()->getContainedEntity(70);
  ASSERT_NE(spray, nullptr);
  EXPECT_EQ(spray->getParent(), (CMapEntity *)figure()->hand(true));
  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/ward_player_spray.png").c_str());
}

} // namespace
