#pragma once
#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindowGL.h"
#include "game/CGameLinks.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/GameGlobals.h"
#include "media/ZSpriteFactory.h"

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
