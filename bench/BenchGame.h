#pragma once
#include <benchmark/benchmark.h>

#include <string>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "core/CGameOptions.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindowGL.h"
#include "game/CGameLinks.h"
#include "game/CStartupTables.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CSurface.h"
#include "media/GameGlobals.h"
#include "media/ZSpriteFactory.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"

// What every benchmark on the generated data set starts with: the game's links, palettes and
// difficulty, a real 800 x 600 window and the sprite collection. Null when no window opens
// (the benchmarks run from the build folder under xvfb-run).
inline KWindowGL *openBenchGame() {
  fillPalettes();
  KMiscTools::setApplicationFolder(".");
  CGameOptions::instance()->nastavObtiznost(1);
  installGameLinks();
  KWindowGL *window = static_cast<KWindowGL *>(KPTK::createKWindow(K_OPENGL, false));
  if (!window || !window->createGameWindow(800, 600, 32, true, "Tobrulant")) return nullptr;
  myWindow = window;
  backbuffer = KPTK::createKGraphic();
  spriteFactory = new ZSpriteFactory("bench");
  spriteFactory->nahrajXML(KMiscTools::makeFilePath("data\\gfx\\sprites.xml"));
  return window;
}

// One 20 ms frame of real and game time.
inline void advance() {
  CGlobals::instance()->addDelta(20);
  CGlobals::instance()->updateDeltaFactor();
  CFakeTime::instance()->advanceFrame(20);
}

// The engine with the game's prototype and behaviour tables and a player record, for a
// benchmark's level; all of it goes with the object.
struct BenchEngine {
  BenchEngine() {
    CEngine::setRunning(&engineObj);
    CSurfaceManager::instance()->setWorkers(&engineObj.getPictureWorkers());
    registerEntityPrototypes();
    engineObj.built().setControllerPrototypes(buildControllerPrototypes(&engineObj));
    engineObj.progression().setPlayer(new CPlayer());
  }
  ~BenchEngine() {
    delete level;
    engineObj.progression().setLevel(nullptr);
    delete engineObj.getPlayer();
    engineObj.progression().setPlayer(nullptr);
    CEngine::setRunning(nullptr);
  }
  BenchEngine(const BenchEngine &) = delete;
  BenchEngine &operator=(const BenchEngine &) = delete;

  CLevel_Game *load(const std::string &name) {
    delete level;
    level = new CLevel_Game(&engineObj);
    engineObj.progression().setLevel(level);
    level->load(name);
    return level;
  }

  CEngine engineObj;
  CLevel_Game *level = nullptr;
};

// One drawn frame of the level, waited for as the frame's flip would.
inline void drawnFrame(KWindowGL *window, CLevel_Game *level) {
  window->setWorldView(0, 0, 0, 1, true);
  level->render(0, true, backbuffer);
  unsigned char px[4];
  window->readPixels(0, 0, 1, 1, px);
  benchmark::DoNotOptimize(px);
}
