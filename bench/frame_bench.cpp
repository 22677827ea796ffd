// What the running game costs per frame: the real start-up (logo screens hurried on a quick
// clock), then the main loop's own frames on the real clock, paced at 100 a second, in a window.
//
//   frame_bench title SECONDS                   the title screen standing
//   frame_bench day LEVEL DIFFICULTY SECONDS    after a second on the title, the level built as
//                                               the map builds it, its notebook clicked away,
//                                               the day left to itself
//   frame_bench fullday LEVEL DIFFICULTY        the day to its summary on a 20 ms a frame clock,
//                                               unpaced, every frame drawn (the memory peak)
//
// Prints one line of figures: frames, process and main-thread CPU per frame, the longest frame
// interval, frames over 20 ms, the level's build time and the resident memory peak.
// FRAME_BENCH_SHOT=file.png saves the last frame.
#include <SDL.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CStavHry.h"
#include "core/CVideoOptions.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindowGL.h"
#include "game/GameMain.h"
#include "media/CFakeTime.h"
#include "media/CGlobals.h"
#include "media/CSurface.h"
#include "media/GameGlobals.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"

namespace {
std::string g_mode, g_level, g_difficulty;
double g_seconds = 10;
bool g_fullScreen = false;

double nowMs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
double cpuMs(int who) {
  rusage r;
  getrusage(who, &r);
  return r.ru_utime.tv_sec * 1e3 + r.ru_utime.tv_usec / 1e3 + r.ru_stime.tv_sec * 1e3 + r.ru_stime.tv_usec / 1e3;
}

// Start-up runs on a clock four times as quick as the real one, so the logo screens pass in
// a second and a half; the main loop then goes on from there at real speed.
uint32_t quickClock() {
  static uint32_t start = SDL_GetTicks();
  return start + (SDL_GetTicks() - start) * 4;
}
uint32_t g_fakeNow = 0;
uint32_t fakeClock() { return g_fakeNow; }

long residentMB() {
  FILE *f = std::fopen("/proc/self/statm", "r");
  long pages = 0, rss = 0;
  if (f) {
    if (std::fscanf(f, "%ld %ld", &pages, &rss) != 2) rss = 0;
    std::fclose(f);
  }
  return rss * 4096 / (1024 * 1024);
}

void pushMouse(Uint32 type, int x, int y) {
  SDL_Event e;
  SDL_zero(e);
  e.type = type;
  Uint32 id = SDL_GetWindowID(static_cast<KWindowGL *>(myWindow)->getWindowHandle());
  if (type == SDL_MOUSEMOTION) {
    e.motion.windowID = id;
    e.motion.x = x;
    e.motion.y = y;
  } else {
    e.button.windowID = id;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
  }
  SDL_PushEvent(&e);
}

// The main loop's frame, as CEngine::work runs it.
void frame(CEngine *e) {
  if (!winFocus) {
    myWindow->processEvents();
    if (globalAktualniStav) globalAktualniStav->update();
    myWindow->flipBackBuffer(true, true);
    winFocus = true;
  }
  e->runFrame();
}

bool summaryShown(CEngine *e) {
  CLevel_Game *l = e->getLevel();
  return l && l->getEC()->getEntityByID(1017);
}

void session(CEngine *e) {
  myWindow->setPTKCallBack(ourOwnEventCallback);
  myWindow->setCallBack(CEngine::handleWinEvent);
  CVideoOptions::instance()->nastavFullScreen(g_fullScreen);
  CVideoOptions::instance()->aplikuj();
  bool full = g_mode == "fullday";
  if (full) {
    g_fakeNow = SDL_GetTicks();
    KMiscTools::setClockSource(fakeClock);
    myWindow->setMaxFrameRate(0);
  } else {
    KMiscTools::setClockSource(nullptr);
  }
  // On the quick clock a frame's time is 20 ms whatever it took, as the bot plays.
  auto step = [&] {
    if (!full) return frame(e);
    myWindow->processEvents();
    if (CStavHry *state = e->getAktualniStav()) state->update();
    g_fakeNow += 20;
    CGlobals::instance()->addDelta(20);
    CFakeTime::instance()->advanceFrame(20);
    CGlobals::instance()->updateDeltaFactor();
  };
  for (int i = 0; i < 20; ++i) step();

  double loadMs = 0, loadMainCpu = 0, loadCpu = 0;
  if (g_mode != "title") {
    CGameOptions::instance()->nastavObtiznost(g_difficulty == "easy" ? 0 : g_difficulty == "hard" ? 2 : 1);
    e->restartGame();
    // A second on the title screen of that list, as a player looks at it before a day.
    for (int i = 0; i < 100; ++i) step();
    int index = -1;
    if (CLevelList *list = e->getLevelList())
      for (uint16_t i = 0; i < list->getSize(); ++i)
        if (list->getLevel(i) == g_level) index = i;
    if (index < 0) {
      std::fprintf(stderr, "frame_bench: no level %s in the %s list\n", g_level.c_str(), g_difficulty.c_str());
      std::exit(1);
    }
    e->setSkipToLevel(index);
    double t0 = nowMs(), c0 = cpuMs(RUSAGE_THREAD), p0 = cpuMs(RUSAGE_SELF);
    step();
    loadMs = nowMs() - t0;
    loadMainCpu = cpuMs(RUSAGE_THREAD) - c0;
    loadCpu = cpuMs(RUSAGE_SELF) - p0;
    // The notebook stands a second, then a click takes it away; the pointer rests mid-screen.
    for (int i = 0; i < 100; ++i) step();
    pushMouse(SDL_MOUSEMOTION, 400, 300);
    step();
    pushMouse(SDL_MOUSEBUTTONDOWN, 400, 300);
    step();
    pushMouse(SDL_MOUSEBUTTONUP, 400, 300);
    for (int i = 0; i < 50; ++i) step();
  } else {
    for (int i = 0; i < 200; ++i) step();
  }

  const unsigned long lateBefore = CSurfaceManager::instance()->getLateLoads();
  std::vector<double> intervals;
  double maxThread = 0;
  long frames = 0;
  double t0 = nowMs(), p0 = cpuMs(RUSAGE_SELF), m0 = cpuMs(RUSAGE_THREAD), last = t0;
  while (e->isRunning() && !myWindow->isQuit()) {
    if (full ? summaryShown(e) || frames > 60000 : nowMs() - t0 >= g_seconds * 1000) break;
    double c = cpuMs(RUSAGE_THREAD);
    step();
    double now = nowMs();
    maxThread = std::max(maxThread, cpuMs(RUSAGE_THREAD) - c);
    intervals.push_back(now - last);
    last = now;
    ++frames;
  }
  double wall = nowMs() - t0, proc = cpuMs(RUSAGE_SELF) - p0, main = cpuMs(RUSAGE_THREAD) - m0;
  if (const char *shot = std::getenv("FRAME_BENCH_SHOT"))
    static_cast<KWindowGL *>(myWindow)->saveBackBuffer(shot, 3, 0, 0);
  rusage r;
  getrusage(RUSAGE_SELF, &r);
  std::sort(intervals.begin(), intervals.end());
  long over = std::count_if(intervals.begin(), intervals.end(), [](double v) { return v > 20.0; });
  double p99 = intervals.empty() ? 0 : intervals[(size_t)(intervals.size() * 0.99)];
  double worst = intervals.empty() ? 0 : intervals.back();
  std::printf("frame_bench %s%s%s: frames %ld in %.1f s, process %.2f ms/frame, main thread %.2f ms/frame, "
              "frame interval p99 %.1f max %.1f ms, over 20 ms %ld, longest frame's main-thread CPU %.1f ms, "
              "level built in %.0f ms (CPU %.0f ms, main thread %.0f ms), pictures loaded in play %lu, resident %ld MB (peak %ld MB)%s\n",
              g_mode.c_str(), g_level.empty() ? "" : " ", g_level.c_str(), frames, wall / 1000, proc / frames,
              main / frames, p99, worst, over, maxThread, loadMs, loadCpu, loadMainCpu,
              CSurfaceManager::instance()->getLateLoads() - lateBefore, residentMB(), r.ru_maxrss / 1024,
              full ? (summaryShown(e) ? ", summary reached" : ", SUMMARY NOT REACHED") : "");
  std::fflush(stdout);
}
} // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: frame_bench title SECONDS | day LEVEL DIFFICULTY SECONDS | fullday LEVEL DIFFICULTY\n");
    return 2;
  }
  if (argc > 1 && std::strcmp(argv[1], "--full") == 0) {
    g_fullScreen = true;
    ++argv;
    --argc;
  }
  if (argc < 3) return 2;
  g_mode = argv[1];
  if (g_mode == "title") {
    g_seconds = std::atof(argv[2]);
  } else if (argc >= 4) {
    g_level = argv[2];
    g_difficulty = argv[3];
    if (argc >= 5) g_seconds = std::atof(argv[4]);
  } else {
    return 2;
  }
  KMiscTools::setClockSource(quickClock);
  // A message box would stop the measurement; its text goes to the terminal instead.
  KMiscTools::setMessageBoxHandler([](const char *detail, const char *headline) {
    std::fprintf(stderr, "frame_bench: %s %s\n", headline, detail);
  });
  TRunOptions options;
  options.afterInit = session;
  options.skipWork = true;
  return runGame(&options);
}
