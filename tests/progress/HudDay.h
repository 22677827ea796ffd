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
#include "support/WorldTestSupport.h"

// The generated "hud_demo" day through the game's own loader, prototype and behaviour tables,
// sprites and fonts, with a player record of its own.
class HudDay : public WorldScratch {
public:
  void setUpDay(bool fakePictures) {
    WorldScratch::setUp(fakePictures);
    debug = 0;
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
    player = new CPlayer();
    engineObj.setPlayer(player);
    engine = &engineObj;
    ASSERT_GT(registerEntityPrototypes(), 300u);
    engineObj.setControllerPrototypes(buildControllerPrototypes(&engineObj));
    steadyFrames(20);
  }

  void loadDay() {
    level = new CLevel_Game(&engineObj);
    engineObj.setLevel(level);
    level->load("hud_demo");
  }

  void tearDownDay() {
    delete level;
    level = nullptr;
    engineObj.setLevel(nullptr);
    delete engineObj.getCEntityControllersVzory_Game();
    engineObj.setControllerPrototypes(nullptr);
    CMapEntitiesFactory::destroyInstance();
    CLoadingScreen::destroyInstance();
    engine = nullptr;
    delete small;
    delete fonts;
    engineObj.setFonts(nullptr, nullptr);
    engineObj.setPlayer(nullptr);
    delete player;
    WorldScratch::tearDown();
  }

  // One pass of the play state without drawing: the game clock and the level's update.
  void step() {
    frame(20);
    level->update(0, true);
  }

  CMapEntity_Game *first(const std::string &name) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->name == name && !e->getKill()) return e;
    return nullptr;
  }

  static KEvent event(uint32_t type, uint32_t button, int x = 400, int y = 300) {
    KEvent ev{};
    ev.type = type;
    ev.button = button;
    ev.mouseX = x;
    ev.mouseY = y;
    return ev;
  }

  CEngine engineObj;
  CPlayer *player = nullptr;
  CFontSeznam *fonts = nullptr;
  KText *small = nullptr;
  CLevel_Game *level = nullptr;
};
