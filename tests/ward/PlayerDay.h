#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KFont.h"
#include "engine/KInput.h"
#include "engine/KText.h"
#include "game/CStartupTables.h"
#include "media/CFontSeznam.h"
#include "media/CRandom.h"
#include "media/GameGlobals.h"
#include "media/Frame.h"
#include "support/GameDay.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerController.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"

// The generated patient-free day "ward_player" through the game's loader, tables and sprites.
class PlayerDay : public GameDayScratch {
public:
  // Chance runs from the same seed in every test, so none depends on the tests run before it.
  void setUpDay(bool fakePictures, const char *levelName = "ward_player") {
    CRandom::fixSeed(1);
    setUpGame(fakePictures);
    load(levelName);
    step();
  }

  void tearDownDay() {
    tearDownGame();
    CRandom::unfixSeed();
  }

  void step() { update(); }

  void send(uint32_t type, uint32_t button, int x, int y) {
    KEvent ev{};
    ev.type = type;
    ev.button = button;
    ev.mouseX = x;
    ev.mouseY = y;
    level->handleMessages(&ev);
    // As the play state does after every event.
    bylKlik = 0;
  }
  // A frame after whatever came before, moves the pointer there and presses in the same frame, as
  // a quick hand does: the press must still act on what is under the pointer.
  void click(int x, int y, uint32_t button = 1) {
    step();
    press(x, y, button);
  }
  // The same click between frames, on what the last frame left.
  void press(int x, int y, uint32_t button = 1) {
    EXPECT_FALSE(level->getSummaryShown()) << "the day's summary would take the click";
    KInput::notePointer(x, y);
    send(K_EVENT_MOUSEMOVE, 0, x, y);
    send(K_EVENT_MOUSEDOWN, button, x, y);
    send(K_EVENT_MOUSEUP, button, x, y);
  }

  CMapEntity_Player *figure() { return dynamic_cast<CMapEntity_Player *>(first("PLAYER")); }
  CPlayerController *walker() { return dynamic_cast<CPlayerController *>(figure()->getController()); }
  CMapEntity_FrontaAkci *queue() { return CMapEntity_FrontaAkci::najdi(level->getEC()); }

  // Centre of the figure's foot box.
  void foot(float &x, float &y) {
    Frame *f = figure()->looks().getCurrentFrame();
    Rect b = f->getBoundingBox();
    x = (float)(int)figure()->getX() + (float)b.x + (float)b.w * 0.5f;
    y = (float)(int)figure()->getY() + (float)b.y + (float)b.h * 0.5f;
  }
  // The tile where the figure works on e.
  static void workTile(CMapEntity_Game *e, int &tx, int &ty) {
    tx = (int)((e->getX() + (float)e->approachX) / 32);
    ty = (int)((e->getY() + (float)e->approachY) / 32);
  }
  // Steps until the figure's foot stands on the tile centre (or the frames run out); the frames used.
  int walkTo(int tx, int ty, int maxFrames) {
    for (int i = 1; i <= maxFrames; ++i) {
      step();
      float fx, fy;
      foot(fx, fy);
      if ((int)fx == tx * 32 + 16 && (int)fy == ty * 32 + 16 && figure()->workPhase == CPlayerController::kDeciding) return i;
    }
    return -1;
  }
};
