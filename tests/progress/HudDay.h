#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KFont.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "game/CStartupTables.h"
#include "media/CFontSeznam.h"
#include "media/GameGlobals.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "support/GameDay.h"

// The generated "hud_demo" day through the game's own loader, prototype and behaviour tables,
// sprites and fonts, with a player record of its own.
class HudDay : public GameDayScratch {
public:
  void setUpDay(bool fakePictures) {
    setUpGame(fakePictures);
  }

  void loadDay() { load("hud_demo"); }

  void tearDownDay() { tearDownGame(); }

  // One pass of the play state without drawing: the game clock and the level's update.
  void step() { update(); }

  static KEvent event(uint32_t type, uint32_t button, int x = 400, int y = 300) {
    KEvent ev{};
    ev.type = type;
    ev.button = button;
    ev.mouseX = x;
    ev.mouseY = y;
    return ev;
  }
};
