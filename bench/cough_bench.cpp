#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchGame.h"
#include "support/WalkOrder.h"

#include "engine/KEvent.h"
#include "media/Frame.h"
#include "patients/CPatientStay.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerController.h"
#include "world/CLevelList.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

// How long a cough waits for the doctor on every ward of a list: the real figure walks between
// the spots she works from (her start, the cabinet, the trolley, the spray stand, the dispensers
// and every bed), as a click orders it. The player answers 0.3 s into the cough and she examines
// on the frame after she arrives; with nothing queued she walks straight to the bed, with one or
// two orders queued before the cough she walks those first. A cough pays for fast service within
// 3.5 s and ends untreated at 6.5 s. One line a ward; run from the build folder under xvfb-run.
namespace {

const int kExamineMs = kWalkFrameMs;

CMapEntity_Game *named(CLevel_Game *level, const char *name) {
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (e->name == name && !e->getKill()) return e;
  return nullptr;
}

int walkMs(CLevel_Game *level, CMapEntity_Player *p, CPlayerController *w, const TSpot &from, const TSpot &to) {
  return timedWalkMs(level, p, w, from.x, from.y, to.x, to.y, kWalkFrameMs, [level] {
    advance();
    level->update(0, true);
  });
}

int median(std::vector<int> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + (long)v.size() / 2, v.end());
  return v[v.size() / 2];
}

void measureWard(CLevel_Game *level, const std::string &title) {
  for (int i = 0; i < 3; ++i) {
    advance();
    level->update(0, true);
  }
  if (named(level, "HELPWINDOW")) {
    KEvent click{};
    click.type = K_EVENT_MOUSEDOWN;
    click.button = 1;
    level->handleMessages(&click);
  }
  for (int frames = 0; frames < 2000 && named(level, "ADDER"); ++frames) {
    advance();
    level->update(0, true);
  }
  CMapEntity_Player *p = dynamic_cast<CMapEntity_Player *>(named(level, "PLAYER"));
  CPlayerController *w = p ? dynamic_cast<CPlayerController *>(p->getController()) : nullptr;
  if (!w) return;
  std::vector<std::string> nowhere;
  std::vector<TSpot> spots = usualSpots(level, p, w, true, nowhere);
  const size_t n = spots.size();
  std::vector<std::vector<int>> ms(n, std::vector<int>(n, 0));
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j)
      if (spots[i].x != spots[j].x || spots[i].y != spots[j].y) ms[i][j] = walkMs(level, p, w, spots[i], spots[j]);
  int worst = 0;
  std::string worstWalk;
  std::vector<int> none, one, two;
  for (size_t x = 0; x < n; ++x) {
    if (!spots[x].thing || spots[x].thing->getEntityClassID() != kBedClass) continue;
    for (size_t a = 0; a < n; ++a) {
      none.push_back(kCoughAnswerMs + ms[a][x] + kExamineMs);
      if (ms[a][x] > worst) {
        worst = ms[a][x];
        worstWalk = spots[a].name + " to " + spots[x].name;
      }
      for (size_t m = 0; m < n; ++m) {
        one.push_back(none.back() + ms[a][m] + ms[m][x] - ms[a][x]);
        for (size_t c = 0; c < n; ++c) two.push_back(kCoughAnswerMs + ms[a][m] + ms[m][c] + ms[c][x] + kExamineMs);
      }
    }
  }
  auto over = [](const std::vector<int> &v, int limit) {
    return v.empty() ? 0.0 : 100.0 * (double)std::count_if(v.begin(), v.end(), [&](int t) { return t > limit; }) / (double)v.size();
  };
  const int fast = CMapEntity_PacientClass::kFastServiceMs, end = CPatientStay::kOutbreakWaitMs;
  std::printf("%-16s %2zu spots | nothing queued: worst %4d ms (walk %4d, %s) | one order: median %4d, worst %4d, "
              "%4.1f%% past %.1f s | two orders: median %4d, worst %4d, %4.1f%% past %.1f s, %4.1f%% past %.1f s\n",
              title.c_str(), n, *std::max_element(none.begin(), none.end()), worst, worstWalk.c_str(), median(one),
              *std::max_element(one.begin(), one.end()), over(one, fast), fast / 1000.0, median(two),
              *std::max_element(two.begin(), two.end()), over(two, fast), fast / 1000.0, over(two, end), end / 1000.0);
}

void BM_CoughToExamination(benchmark::State &state, const char *list) {
  if (!openBenchGame()) {
    state.SkipWithError("no window: run under xvfb-run");
    return;
  }
  CGameOptions::instance()->nastavObtiznost(list[0] == 'e' ? 0 : list[0] == 'm' ? 1 : 2);
  for (auto _ : state) {
    BenchEngine game;
    CLevelList days;
    days.load(std::string("data/maps/") + list + "/levellist.xml");
    for (uint16_t i = 0; i < days.getSize(); ++i) {
      const std::string name = days.getLevel(i);
      CLevel_Game *level = game.load(name);
      if (!named(level, "PLAYER") || !level->getEC()->getFirstEntityByClassID(kBedClass)) continue;
      measureWard(level, std::string(list) + " " + name);
    }
  }
}
BENCHMARK_CAPTURE(BM_CoughToExamination, easy, "easy")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_CoughToExamination, medium, "medium")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_CoughToExamination, hard, "hard")->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
