#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "engine/KText.h"
#include "game/CStartupTables.h"
#include "media/CFontSeznam.h"
#include "media/CSurface.h"
#include "media/GameGlobals.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "support/WorldTestSupport.h"

// The generated data set loaded as the game loads it: sprites, fonts, the prototype and
// behaviour tables and a player record of its own, over a scratch folder with the test's clock.
// Levels load by name and run frame by frame; tests derive their day fixtures from this.
class GameDayScratch : public WorldScratch {
public:
  void setUpGame(bool fakePictures) {
    WorldScratch::setUp(fakePictures);
    loadGameTables();
  }

  // For fixtures that prepare their scratch folder between the two steps.
  void loadGameTables() {
    debug = 0;
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
    fonts->addFont("small", KMiscTools::makeFilePath("data\\gfx\\font1small.png"), smallFontTable);
    fonts->addFont("gamefont", KMiscTools::makeFilePath("data\\gfx\\gamefont.tga"), gameFontTable);
    small = new KText(KMiscTools::makeFilePath("data\\gfx\\font1small.png"), smallFontTable);
    engineObj.built().setFonts(fonts, small);
    player = new CPlayer();
    engineObj.progression().setPlayer(player);
    CEngine::setRunning(&engineObj);
    CSurfaceManager::instance()->setWorkers(&engineObj.getPictureWorkers());
    ASSERT_GT(registerEntityPrototypes(), 300u);
    engineObj.built().setControllerPrototypes(buildControllerPrototypes(&engineObj));
    KInput::resetHeldState();
    KInput::setViewMapping(0, 0, 800, 600, 800, 600);
    steadyFrames(20);
  }

  void tearDownGame() {
    delete level;
    level = nullptr;
    engineObj.progression().setLevel(nullptr);
    delete engineObj.getCEntityControllersVzory_Game();
    engineObj.built().setControllerPrototypes(nullptr);
    CMapEntitiesFactory::destroyInstance();
    CLoadingScreen::destroyInstance();
    CEngine::setRunning(nullptr);
    delete small;
    small = nullptr;
    delete fonts;
    fonts = nullptr;
    engineObj.built().setFonts(nullptr, nullptr);
    // The game may have replaced the record (a new game does): the engine's is the one to free.
    delete engineObj.getPlayer();
    engineObj.progression().setPlayer(nullptr);
    player = nullptr;
    KInput::resetHeldState();
    CGlobals::instance()->paused = false;
    WorldScratch::tearDown();
  }

  void load(const std::string &name) {
    delete level;
    level = new CLevel_Game(&engineObj);
    engineObj.progression().setLevel(level);
    level->load(name);
  }

  // The play state's update without drawing.
  void update() {
    frame(20);
    level->update(0, true);
  }

  // The day's notebook, opened by an update and given its behaviour by the next, clicked away
  // as a player does; the game clock stands meanwhile.
  void closeNotebook() {
    level->update(0, true);
    level->update(0, true);
    KEvent click{};
    click.type = K_EVENT_MOUSEDOWN;
    click.button = 1;
    level->handleMessages(&click);
    level->update(0, true);
  }

  // A copy of the prototype standing at (x, y) in the running level.
  CMapEntity_Game *add(const char *prototype, float x, float y) {
    CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(prototype);
    e->setXY(x, y);
    level->getEC()->addEntity(e);
    return e;
  }

  CMapEntity_Game *first(const std::string &name) const {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->name == name && !e->getKill()) return e;
    return nullptr;
  }

  std::vector<CMapEntity_Game *> named(const std::string &name) const {
    std::vector<CMapEntity_Game *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->name == name && !e->getKill()) out.push_back(e);
    return out;
  }

  bool captionShown(const std::string &text) const {
    for (CMapEntity_Game *e : named("BONUSTEXT"))
      if (static_cast<CMapEntity_TextBox *>(e)->text == text) return true;
    return false;
  }

  std::vector<CMapEntity_Game *> alive(unsigned id) const {
    std::vector<CMapEntity_Game *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityID() == id && !e->getKill()) out.push_back(e);
    return out;
  }

  CEngine engineObj;
  // The record the fixture made; a new game started in the test replaces the engine's.
  CPlayer *player = nullptr;
  CLevel_Game *level = nullptr;
  CFontSeznam *fonts = nullptr;
  KText *small = nullptr;
};
