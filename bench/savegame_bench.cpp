// Loading a saved game that holds many finished-day records, every one a different day (the case
// where looking each record up in the list read so far costs most).
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/CSafeFile.h"
#include "core/CSaveGame.h"

namespace {

void putU32(std::string &out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += (char)(v >> shift);
}

std::string saveWithDays(uint32_t days) {
  std::string out("\0\0\x27\x10", 4); // current level 0, furthest level none
  putU32(out, days);
  for (uint32_t i = 0; i < days; ++i) {
    putU32(out, i);
    putU32(out, i & 1);
  }
  for (int i = 0; i < 2; ++i) putU32(out, 0); // no perk levels, no celebrities
  for (int i = 0; i < 7; ++i) putU32(out, 0);
  putU32(out, 0); // empty basket
  return out;
}

void BM_LoadSaveGame(benchmark::State &state) {
  char home[] = "/tmp/tob_savebench_XXXXXX";
  if (!mkdtemp(home)) {
    state.SkipWithError("cannot make a scratch folder");
    return;
  }
  setenv("HOME", home, 1);
  mkdir((std::string(home) + "/hospital").c_str(), 0777);
  mkdir((std::string(home) + "/hospital/0").c_str(), 0777);
  CSaveGame save("0");
  uint32_t days = (uint32_t)state.range(0);
  if (!CSafeFile::write(save.getPath(), saveWithDays(days))) {
    state.SkipWithError("cannot write the save");
    return;
  }
  for (auto _ : state) {
    unsigned short cur = 0, max = 0;
    CPlayer *p = save.load(1, cur, max);
    if (!p || p->getLevelsDone().size() != days) state.SkipWithError("the save did not load whole");
    delete p;
  }
  std::remove(save.getPath().c_str());
  std::remove((std::string(home) + "/hospital/0").c_str());
  std::remove((std::string(home) + "/hospital").c_str());
  std::remove(home);
}
BENCHMARK(BM_LoadSaveGame)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
