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
#include "support/GameWindowDay.h"
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

class PlayerWindow : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    std::srand(7);
    load("ward_player");
  }

  void TearDown() override { tearDownWindowDay(); }

  CMapEntity_Player *figure() { return dynamic_cast<CMapEntity_Player *>(first("PLAYER")); }
  void foot(int &x, int &y) {
    Rect b = figure()->looks().getCurrentFrame()->getBoundingBox();
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
  static std::string framesetOf(CMapEntity *e) { return e->looks().getSprite()->getAktivniFrameset()->getID(); }
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
  ASSERT_TRUE(bed->isMadeUp()) << "made";
  CMapEntity *linen = figure()->getContainedEntity(kRubbishID);
  ASSERT_NE(linen, nullptr);
  EXPECT_EQ(linen->carrying().getParent(), (CMapEntity *)figure()->hand(true))
      << "the first item goes to the left hand";

  // At 15 s of game time the drink machine's lamp turns green and its drink shows.
  CMapEntity_Automat *machine = dynamic_cast<CMapEntity_Automat *>(first("MEDDRINK"));
  CMapEntity *lamp = machine->getContainedEntity(CMapEntity_Automat::kLightID);
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(framesetOf(lamp), "RED");
  draw();
  std::vector<unsigned char> empty = grab();
  while (!machine->getContainedEntityClass(kComfortItemClass) && CFakeTime::instance()->ms < 10000 + 16000) playFrame();
  ASSERT_NE(machine->getContainedEntityClass(kComfortItemClass), nullptr);
  EXPECT_EQ(framesetOf(lamp), "GREEN");
  draw();
  std::vector<unsigned char> stocked = grab();
  int mx = (int)machine->getX(), my = (int)machine->getY();
  EXPECT_GT(framediff::changed(empty, stocked, mx + 10, my + 87, mx + 25, my + 102).count, 20) << "the lamp's colour";
  EXPECT_GT(framediff::changed(empty, stocked, mx + 29, my + 80, mx + 48, my + 107).count, 100) << "the drink";

  // Parents waiting in their slot in front of the machine: a press on them drags them and orders
  // nothing, not the machine behind them either; a press on the machine where they are not drawn
  // orders the machine.
  CMapEntity_Game *parents = add("RODICE1", (float)mx + 30, (float)my + 50);
  playFrame();
  int px = 0, py = 0;
  middle(parents, px, py);
  pushMotion(px, py);
  playFrame();
  pushButton(1, true, px, py);
  playFrame();
  pushMotion(px, py + 150);
  playFrame();
  playFrame();
  EXPECT_GT(parents->getY(), (float)my + 150) << "the parents were not dragged";
  pushButton(1, false, px, py + 150);
  for (int i = 0; i < 150; ++i) playFrame();
  EXPECT_EQ(figure()->getContainedEntity(kDrinkID), nullptr) << "dragging the parents sent her to the machine";
  ASSERT_LT(mx + 14, (int)parents->getX()) << "the parents hide the machine's left side";
  clickAt(mx + 14, my + 60);
  for (int i = 0; i < 300 && !figure()->getContainedEntity(kDrinkID); ++i) playFrame();
  CMapEntity *drink = figure()->getContainedEntity(kDrinkID);
  ASSERT_NE(drink, nullptr);
  EXPECT_EQ(drink->carrying().getParent(), (CMapEntity *)figure()->hand(false)) << "then the right hand";

  // Emptying the linen pays the chain bonus and says so.
  CMapEntity_Game *trolley = first("VOZIK");
  const int money = level->getMoney();
  clickAt((int)trolley->getX() + 40, (int)trolley->getY() + 50);
  ASSERT_GT(walkToWorkSpot(trolley, 300), 0);
  for (int i = 0; i < 4; ++i) playFrame();
  EXPECT_EQ(figure()->getContainedEntity(kRubbishID), nullptr);
  EXPECT_EQ(level->getMoney(), money + 25);
  CMapEntity_BonusText *cleanup = nullptr;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (CMapEntity_BonusText *b = dynamic_cast<CMapEntity_BonusText *>(e))
      if (b->text == "CLEANUP +25") cleanup = b;
  ASSERT_NE(cleanup, nullptr);
  draw();
  std::vector<unsigned char> withCaption = grab();
  cleanup->looks().setVisible(false);
  draw();
  int cx = (int)cleanup->getX(), cy = (int)cleanup->getY();
  EXPECT_GT(framediff::changed(withCaption, grab(), cx, cy, cx + 200, cy + 30).count, 50) << "the caption on screen";
  cleanup->looks().setVisible(true);
  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/ward_player.png").c_str());

  // The spray rests in the dark slot on its stand's face and covers it whole.
  CMapEntity_Game *stand = first("ANTIV");
  auto slotShown = [&] {
    int shown = 0;
    for (int y = (int)stand->getY(); y < (int)stand->getY() + 82; ++y)
      for (int x = (int)stand->getX(); x < (int)stand->getX() + 48; ++x) {
        const uint32_t c = pixel(x, y);
        shown += std::abs((int)(c >> 24) - 44) + std::abs((int)(c >> 16 & 0xFF) - 48) + std::abs((int)(c >> 8 & 0xFF) - 60) <= 6;
      }
    return shown;
  };
  CMapEntity *resting = stand->CMapEntity::getContainedEntity(kSprayID);
  resting->looks().setVisible(false);
  draw();
  EXPECT_GT(slotShown(), 50) << "no empty slot on the stand";
  resting->looks().setVisible(true);
  draw();
  EXPECT_LT(slotShown(), 10) << "the spray leaves its slot in view";
  // A press on the spray on its stand puts it into the hand the linen left, one on its empty slot back.
  // The slot on the stand's face where the spray rests, a point of the stand's picture.
  const int placeX = (int)stand->getX() + 19, placeY = (int)stand->getY() + 42;
  clickAt(placeX, placeY);
  ASSERT_GT(walkToWorkSpot(stand, 300), 0);
  for (int i = 0; i < 4; ++i) playFrame();
  CMapEntity *spray = figure()->getContainedEntity(kSprayID);
  ASSERT_NE(spray, nullptr);
  EXPECT_EQ(spray->carrying().getParent(), (CMapEntity *)figure()->hand(true));
  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/ward_player_spray.png").c_str());
  clickAt(placeX, placeY);
  for (int i = 0; i < 100 && !stand->CMapEntity::getContainedEntity(kSprayID); ++i) playFrame();
  EXPECT_NE(stand->CMapEntity::getContainedEntity(kSprayID), nullptr) << "put back on the empty place";
}

} // namespace
