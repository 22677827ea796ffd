#include <benchmark/benchmark.h>

#include "BenchGame.h"

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CPlayer.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindowGL.h"
#include "game/CGameLinks.h"
#include "game/CStartupTables.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/GameGlobals.h"
#include "media/ZSpriteFactory.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerController.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"

// The doctor walking to and fro across the patient-free day ("ward_player"): a path search on
// every tile centre and a step every frame. Once the figure's behaviour alone, once the whole
// level update around it. Run from the build folder under xvfb-run.
namespace {

void walkFrames(benchmark::State &state, bool wholeLevel) {
  KWindowGL *window = openBenchGame();
  if (!window) {
    state.SkipWithError("no window: run under xvfb-run");
    return;
  }
  BenchEngine game;
  CLevel_Game *level = game.load("ward_player");
  for (int i = 0; i < 20; ++i) {
    advance();
    level->update(0, true);
  }
  CMapEntity_Player *figure = nullptr;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (e->name == "PLAYER") figure = dynamic_cast<CMapEntity_Player *>(e);
  CPlayerController *walker = figure ? dynamic_cast<CPlayerController *>(figure->getController()) : nullptr;
  CMapEntity_FrontaAkci *queue = CMapEntity_FrontaAkci::najdi(level->getEC());
  if (!walker || !queue) {
    state.SkipWithError("no figure");
    return;
  }
  // Far corners of the open floor, beds and machines between them.
  const int ends[2][2] = {{1, 3}, {23, 15}};
  int leg = 0, searches = 0, trips = 0;
  for (auto _ : state) {
    if (queue->getFronta().empty() && figure->goalX == -1) {
      akce *a = new akce();
      a->controller = walker;
      a->id = 0;
      a->priority = 3;
      a->addParam(new int32_t(ends[leg][0] * 32 + 16), true);
      a->addParam(new int32_t(ends[leg][1] * 32 + 16), true);
      queue->pridej(a);
      queue->flushPredFronta();
      leg = 1 - leg;
      ++trips;
    }
    advance();
    if (figure->workPhase == CPlayerController::kDeciding) ++searches;
    if (wholeLevel)
      level->update(0, true);
    else
      walker->update();
  }
  state.counters["trips"] = (double)trips;
  state.counters["framesPerTrip"] = trips ? (double)state.iterations() / trips : 0.0;
  state.counters["tileCentres"] = benchmark::Counter((double)searches, benchmark::Counter::kAvgIterations);
}
void BM_FigureWalkBehaviour(benchmark::State &state) { walkFrames(state, false); }
void BM_FigureWalkLevelUpdate(benchmark::State &state) { walkFrames(state, true); }
BENCHMARK(BM_FigureWalkBehaviour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FigureWalkLevelUpdate)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
