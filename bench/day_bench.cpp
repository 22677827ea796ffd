#include <benchmark/benchmark.h>

#include "BenchGame.h"

#include <chrono>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "engine/KFont.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "engine/KWindowGL.h"
#include "game/CGameLinks.h"
#include "game/CStartupTables.h"
#include "media/CFakeTime.h"
#include "media/CFontSeznam.h"
#include "media/CGlobals.h"
#include "media/CSurface.h"
#include "media/GameGlobals.h"
#include "media/ZSpriteFactory.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"

// A whole working day of the demonstration ward ("ward_demo", 180 s) left to itself: patients
// arrive, wait and leave, the ward closes and the summary opens. The game clock moves 20 ms a
// frame as fast as the machine allows, every frame updated and drawn. Prints how many times
// faster than real time the day ran. Every frame is shown (the buffers flip, unpaced). Run from
// the build folder under xvfb-run.
namespace {

void send(CLevel_Game *level, uint32_t type, uint32_t button) {
  KEvent ev{};
  ev.type = type;
  ev.button = button;
  ev.mouseX = 400;
  ev.mouseY = 300;
  level->handleMessages(&ev);
  bylKlik = 0;
}

void BM_SimulatedDay(benchmark::State &state) {
  KWindowGL *window = openBenchGame();
  if (!window) {
    state.SkipWithError("no window: run under xvfb-run");
    return;
  }
  window->setMaxFrameRate(0);
  CFontSeznam fonts;
  fonts.addFont("bed", KMiscTools::makeFilePath("data\\gfx\\bedfont.png"), bedFontTable);
  fonts.addFont("bonus", KMiscTools::makeFilePath("data\\gfx\\bonusFont.png"), bonusFontTable);
  fonts.addFont("small2", KMiscTools::makeFilePath("data\\gfx\\smallfont.tga"), small2FontTable);
  fonts.addFont("gamefont", KMiscTools::makeFilePath("data\\gfx\\gamefont.tga"), gameFontTable);
  KText small(KMiscTools::makeFilePath("data\\gfx\\font1small.png"), smallFontTable);
  CEngine engineObj;
  CEngine::setRunning(&engineObj);
  CSurfaceManager::instance()->setWorkers(&engineObj.getPictureWorkers());
  engineObj.built().setFonts(&fonts, &small);
  // A newcomer's difficulty, as a new profile starts.
  engineObj.setDifficulty(0.85f, 125, 106.25f);
  registerEntityPrototypes();
  engineObj.built().setControllerPrototypes(buildControllerPrototypes(&engineObj));
  engineObj.progression().setPlayer(new CPlayer());

  double gameMs = 0.0, wallMs = 0.0;
  long frames = 0;
  for (auto _ : state) {
    CLevel_Game *level = new CLevel_Game(&engineObj);
    engineObj.progression().setLevel(level);
    level->load("ward_demo");
    auto start = std::chrono::steady_clock::now();
    // A click closes the intro notebook; then the day runs to its summary (or 10 game minutes).
    for (int i = 0; i < 30000 && !level->getEC()->getEntityByID(1017); ++i) {
      if (i == 50) {
        KInput::notePointer(400, 300);
        send(level, K_EVENT_MOUSEMOVE, 0);
      }
      if (i == 52) {
        send(level, K_EVENT_MOUSEDOWN, 1);
        send(level, K_EVENT_MOUSEUP, 1);
      }
      advance();
      level->update(0, true);
      window->setWorldView(0, 0, 0, 1, true);
      level->render(0, true, backbuffer);
      window->flipBackBuffer(false, true);
      ++frames;
    }
    wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    gameMs += (double)frames * 20.0;
    frames = 0;
    delete level;
    engineObj.progression().setLevel(nullptr);
  }
  state.counters["gameSeconds"] = benchmark::Counter(gameMs / 1000.0, benchmark::Counter::kAvgIterations);
  state.counters["timesRealTime"] = wallMs > 0.0 ? gameMs / wallMs : 0.0;
  delete engineObj.getPlayer();
  engineObj.progression().setPlayer(nullptr);
  CEngine::setRunning(nullptr);
}
BENCHMARK(BM_SimulatedDay)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
