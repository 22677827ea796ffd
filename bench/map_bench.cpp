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

// One frame of the world map ("map1") with the plane in flight and its trail of smoke puffs, in
// the real window, on the generated data set; once more with the shop open over it, its rows,
// dots, BUY buttons and help bubbles. Run from the build folder under xvfb-run.
namespace {

void mapFrame(benchmark::State &state, bool shopOpen) {
  KWindowGL *window = openBenchGame();
  if (!window) {
    state.SkipWithError("no window: run under xvfb-run");
    return;
  }
  BenchEngine game;
  CEngine &engineObj = game.engineObj;
  // Money for every first star, so each row shows its BUY button.
  engineObj.getPlayer()->setMoney(5000);
  CLevel_Game *level = game.load("map1");
  KInput::setViewMapping(0, 0, 800, 600, 800, 600);
  KInput::notePointer(500, 250);
  // The plane's first wait is at most 2.5 s; then its trail grows to its full length.
  CMapEntity_Game *plane = nullptr;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (e->name == "MAPPLANE") plane = e;
  for (int i = 0; i < 125 + 200; ++i) {
    advance();
    level->update(0, true);
  }
  if (plane) plane->setXY(100.0f, 100.0f);
  if (shopOpen) {
    CMapEntity_Game *shop = CMapEntitiesFactory::instance()->cloneEntity("UPGRADEMENU");
    shop->setXY(220.0f, 60.0f);
    level->getEC()->addEntity(shop);
    advance();
    level->update(0, true);
  }
  for (auto _ : state) {
    // Kept in flight: back to the left before it leaves the map.
    if (plane && plane->getX() > 700.0f) plane->setXY(100.0f, 100.0f);
    advance();
    level->update(0, true);
    drawnFrame(window, level);
  }
  size_t puffs = 0;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) puffs += e->name == "LETADLOKOUR";
  state.counters["puffs"] = (double)puffs;
  // Carried entities are in the collection too.
  state.counters["entities"] = (double)level->getEC()->getEntitiesPtr()->size();
}
void BM_MapFrame(benchmark::State &state) { mapFrame(state, false); }
void BM_MapFrameShopOpen(benchmark::State &state) { mapFrame(state, true); }
BENCHMARK(BM_MapFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapFrameShopOpen)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
