#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "world/CMapa.h"
#include "world/CPathFinder.h"

namespace {

struct Trip {
  uint16_t sx, sy, tx, ty;
};

// A ward-like floor: three walls with one gap each and a few costly spots where furniture stands.
void buildWard(CMapa &mapa) {
  mapa.getDefinice()[1].walkable = 1;
  mapa.getLayers().emplace_back();
  TLayer &l = mapa.getLayers()[0];
  for (TMapCell &c : l.cells) c.id = 1;
  for (unsigned y = 0; y < MAPA_VYSKA; ++y) {
    if (y != 17) l.cells[y * MAPA_SIRKA + 6].id = 2;
    if (y != 1) l.cells[y * MAPA_SIRKA + 12].id = 2;
    if (y != 9) l.cells[y * MAPA_SIRKA + 18].id = 2;
  }
  for (unsigned i = 0; i < MAPA_BUNEK; i += 7) l.cells[i].penalty = 200;
}

// Starts and targets spread over the grid, the same every run.
std::vector<Trip> trips(unsigned n) {
  std::vector<Trip> out;
  uint32_t seed = 12345;
  auto next = [&seed](unsigned range) {
    seed = seed * 1103515245u + 12345u;
    return (uint16_t)((seed >> 16) % range);
  };
  while (out.size() < n) {
    Trip t;
    t.sx = next(MAPA_SIRKA);
    t.sy = next(MAPA_VYSKA);
    t.tx = next(MAPA_SIRKA);
    t.ty = next(MAPA_VYSKA);
    out.push_back(t);
  }
  return out;
}

void BM_ThousandSearches(benchmark::State &state) {
  CMapa mapa;
  buildWard(mapa);
  CPathFinder *finder = CPathFinder::instance();
  finder->setMapa(&mapa);
  const std::vector<Trip> list = trips(1000);
  uint16_t ox = 0, oy = 0;
  for (auto _ : state) {
    for (const Trip &t : list) benchmark::DoNotOptimize(finder->showAPath(t.sx, t.sy, t.tx, t.ty, &ox, &oy));
  }
  state.SetItemsProcessed(state.iterations() * (int64_t)list.size());
}
BENCHMARK(BM_ThousandSearches)->Unit(benchmark::kMillisecond);

// The far corners, through every wall gap: close to the largest search the grid allows.
void BM_ThousandCornerToCorner(benchmark::State &state) {
  CMapa mapa;
  buildWard(mapa);
  CPathFinder *finder = CPathFinder::instance();
  finder->setMapa(&mapa);
  uint16_t ox = 0, oy = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(finder->showAPath(0, 0, 24, 18, &ox, &oy));
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ThousandCornerToCorner)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
