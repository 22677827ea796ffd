#include <benchmark/benchmark.h>

#include "BenchGame.h"

#include <cstdio>
#include <cstdlib>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindowGL.h"
#include "game/CGameLinks.h"
#include "game/CStartupTables.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/GameGlobals.h"
#include "media/ZSpriteFactory.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"

// One frame of a laboratory day ("LAB 3", seventy and more drifting pieces with their collision
// pass) in the real window, on the generated data set. Run from the build folder under xvfb-run.
namespace {

void BM_LabFrame(benchmark::State &state) {
  KWindowGL *window = openBenchGame();
  if (!window) {
    state.SkipWithError("no window: run under xvfb-run");
    return;
  }
  BenchEngine game;
  CLevel_Game *level = game.load("LAB 3");
  KInput::setViewMapping(0, 0, 800, 600, 800, 600);
  KInput::notePointer(500, 250);
  for (int i = 0; i < 10; ++i) {
    advance();
    level->update(0, true);
  }
  size_t pieces = 0;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (e->getEntityID() == 311 && !e->carrying().getParent()) ++pieces;
  for (auto _ : state) {
    advance();
    level->update(0, true);
    drawnFrame(window, level);
  }
  state.counters["pieces"] = (double)pieces;
}
BENCHMARK(BM_LabFrame)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
