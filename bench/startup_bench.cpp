// Start-up time of the game: runs the real start-up (the same runGame as the game) and stops
// right after it, before the main loop. Prints the time from process start to the end of start-up
// with the logo screens, which the game times itself, left out.
//
// Usage: startup_bench [START_NS]  where START_NS is the wall clock (CLOCK_REALTIME, ns) just
// before the process was started (date +%s%N); without it the time counts from main.
#include <time.h>

#include <cstdio>
#include <cstdlib>

#include "core/CEngine.h"
#include "core/CLoadingScreen.h"
#include "game/GameMain.h"

namespace {
long long g_startNs = 0;

long long nowNs() {
  timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

double threadCpuMs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return (double)t.tv_sec * 1e3 + (double)t.tv_nsec / 1e6;
}

void report(CEngine *engine) {
  double total = (double)(nowNs() - g_startNs) / 1e6;
  double logos = (double)engine->built().getLogoScreensMs();
  double cpu = threadCpuMs() - engine->built().getLogoScreensCpuMs();
  std::printf("startup_ms %.0f  (process start to the main loop %.0f ms, logo screens %.0f ms left out, "
              "main thread CPU %.0f ms without the logos, loading screen drawn %lu times)\n",
              total - logos, total, logos, cpu, CLoadingScreen::instance()->getDrawCount());
  std::fflush(stdout);
}
} // namespace

int main(int argc, char **argv) {
  g_startNs = argc > 1 ? std::atoll(argv[1]) : 0;
  if (g_startNs == 0) g_startNs = nowNs();
  TRunOptions options;
  options.afterInit = report;
  options.skipWork = true;
  return runGame(&options);
}
