// Start-up time of the game: runs the real start-up (the same runGame as the game) and stops
// right after it, before the main loop. Prints the time from process start to the end of start-up
// with the logo screens, which the game times itself, left out.
//
// Usage: startup_bench [--no-level] [START_NS]  where START_NS is the wall clock (CLOCK_REALTIME,
// ns) just before the process was started (date +%s%N); without it the time counts from main.
// --no-level leaves out the first level (the main menu), which start-up otherwise loads last.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/CEngine.h"
#include "core/CLevelLink.h"
#include "core/CLoadingScreen.h"
#include "game/GameMain.h"

namespace {
long long g_startNs = 0;

long long nowNs() {
  timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

void report(CEngine *engine) {
  double total = (double)(nowNs() - g_startNs) / 1e6;
  double logos = (double)engine->getLogoScreensMs();
  std::printf("startup_ms %.0f  (process start to the main loop %.0f ms, logo screens %.0f ms left out, "
              "loading screen drawn %lu times)\n",
              total - logos, total, logos, CLoadingScreen::instance()->getDrawCount());
  std::fflush(stdout);
}
// Builds no level: the engine's start-up alone.
class NoLevel : public CLevelLink {
public:
  CLevel_Game *create(CEngine *) override { return nullptr; }
  void destroy(CLevel_Game *) override {}
  void bindEContVzory(CLevel_Game *, CEntityControllersVzory_Game *) override {}
  void load(CLevel_Game *, const std::string &) override {}
  void setShopping(CLevel_Game *, bool) override {}
  bool getLevelOver(CLevel_Game *) override { return false; }
  int getMoney(CLevel_Game *) override { return 0; }
  int getMoneyLimit(CLevel_Game *) override { return 0; }
  bool getPerks(CLevel_Game *) override { return false; }
  void update(CLevel_Game *, unsigned short) override {}
  void render(CLevel_Game *, unsigned short, KGraphic *) override {}
  void handleMessages(CLevel_Game *, KEvent *) override {}
  void clearClickTaken() override {}
};
NoLevel g_noLevel;
} // namespace

int main(int argc, char **argv) {
  g_startNs = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--no-level") == 0)
      CLevelLink::set(&g_noLevel);
    else
      g_startNs = std::atoll(argv[i]);
  }
  if (g_startNs == 0) g_startNs = nowNs();
  TRunOptions options;
  options.afterInit = report;
  options.skipWork = true;
  return runGame(&options);
}
