// What the running game costs per frame: the real start-up (logo screens hurried on a quick
// clock), then the main loop's own frames on the real clock, paced at 100 a second, in a window
// (or, with --full first, full screen).
//
//   frame_bench title SECONDS                   the title screen standing
//   frame_bench day LEVEL DIFFICULTY SECONDS    after a second on the title, the level built as
//                                               the map builds it, its notebook clicked away,
//                                               the day left to itself
//   frame_bench notebook LEVEL DIFFICULTY SECONDS   the day's notebook standing before the day
//   frame_bench pause LEVEL DIFFICULTY SECONDS  the day running a second, then its pause menu
//   frame_bench map LEVEL DIFFICULTY SECONDS    a map level (LEVEL is its name) standing
//   frame_bench changes LEVEL DIFFICULTY        the title's first seconds, title -> the map
//                                               before LEVEL -> LEVEL: the longest frame of each
//   frame_bench fullday LEVEL DIFFICULTY        the day to its summary on a 20 ms a frame clock,
//                                               unpaced, every frame drawn (the memory peak);
//                                               then on the real clock the summary standing
//                                               (SECONDS from FRAME_BENCH_SPAN, default 5) and
//                                               summary -> next map -> next day
//
// Each stretch prints one line of figures: frames, process and main-thread CPU per frame, the
// longest frame interval, frames over 20 and 50 ms, the level's build time and the resident
// memory peak. FRAME_BENCH_SHOT=prefix saves each stretch's last frame as prefix-STRETCH.png;
// FRAME_BENCH_READY=file is made
// when the first measured stretch begins (to run another program over the same seconds).
#include <SDL.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CStavHry.h"
#include "core/CVideoOptions.h"
#include "engine/KDrawList.h"
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

void pushKey(SDL_Scancode key, bool down) {
  SDL_Event ev;
  SDL_zero(ev);
  ev.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  ev.key.windowID = SDL_GetWindowID(static_cast<KWindowGL *>(myWindow)->getWindowHandle());
  ev.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  ev.key.keysym.scancode = key;
  ev.key.keysym.sym = SDL_GetKeyFromScancode(key);
  SDL_PushEvent(&ev);
}

int levelIndex(CEngine *e, const std::string &name) {
  if (CLevelList *list = e->progression().getLevelList())
    for (uint16_t i = 0; i < list->getSize(); ++i)
      if (list->getLevel(i) == name) return i;
  std::fprintf(stderr, "frame_bench: no level %s in the %s list\n", name.c_str(), g_difficulty.c_str());
  std::exit(1);
}

std::string levelAt(CEngine *e, int index) {
  CLevelList *list = e->progression().getLevelList();
  return list && index >= 0 && index < list->getSize() ? list->getLevel((uint16_t)index) : std::string();
}

bool g_stepped = false;

// One frame of the main loop: on the real clock as CEngine::work runs it, or, stepped, 20 ms of
// game time whatever it took, as the bot plays.
void step(CEngine *e) {
  if (!g_stepped) return frame(e);
  myWindow->processEvents();
  if (CStavHry *state = e->getAktualniStav()) state->update();
  g_fakeNow += 20;
  CGlobals::instance()->addDelta(20);
  CFakeTime::instance()->advanceFrame(20);
  CGlobals::instance()->updateDeltaFactor();
}

void useStepped(bool stepped) {
  g_stepped = stepped;
  if (stepped) {
    g_fakeNow = SDL_GetTicks();
    KMiscTools::setClockSource(fakeClock);
    myWindow->setMaxFrameRate(0);
  } else {
    KMiscTools::setClockSource(nullptr);
    myWindow->setMaxFrameRate(100);
  }
}

struct Stretch {
  long frames = 0;
  long redraws = 0;
  unsigned long shown = 0;
  double wall = 0, process = 0, main = 0, worst = 0, p99 = 0, worstMain = 0, worstScreen = 0;
  long over20 = 0, over50 = 0;
};

// Frames until `done` or `seconds` of the real clock pass (0: no limit), with their figures.
template <typename Done> Stretch measure(CEngine *e, double seconds, Done done) {
  if (const char *ready = std::getenv("FRAME_BENCH_READY")) {
    if (FILE *f = std::fopen(ready, "w")) std::fclose(f);
    unsetenv("FRAME_BENCH_READY");
  }
  Stretch s;
  KDrawList &drawing = static_cast<KWindowGL *>(myWindow)->drawList();
  const long redraws0 = drawing.redraws();
  const unsigned long shown0 = static_cast<KWindowGL *>(myWindow)->framesShown();
  std::vector<double> intervals;
  static_cast<KWindowGL *>(myWindow)->takeLongestFrame();
  const double t0 = nowMs(), p0 = cpuMs(RUSAGE_SELF), m0 = cpuMs(RUSAGE_THREAD);
  double last = t0;
  while (e->progression().isRunning() && !myWindow->isQuit() && !done() && s.frames < 60000) {
    if (seconds > 0 && nowMs() - t0 >= seconds * 1000) break;
    const double c = cpuMs(RUSAGE_THREAD);
    step(e);
    const double now = nowMs();
    s.worstMain = std::max(s.worstMain, cpuMs(RUSAGE_THREAD) - c);
    intervals.push_back(now - last);
    last = now;
    ++s.frames;
  }
  s.wall = nowMs() - t0;
  s.worstScreen = static_cast<KWindowGL *>(myWindow)->takeLongestFrame();
  s.redraws = drawing.redraws() - redraws0;
  s.shown = static_cast<KWindowGL *>(myWindow)->framesShown() - shown0;
  s.process = (cpuMs(RUSAGE_SELF) - p0) / std::max(1L, s.frames);
  s.main = (cpuMs(RUSAGE_THREAD) - m0) / std::max(1L, s.frames);
  std::sort(intervals.begin(), intervals.end());
  s.over20 = std::count_if(intervals.begin(), intervals.end(), [](double v) { return v > 20.0; });
  s.over50 = std::count_if(intervals.begin(), intervals.end(), [](double v) { return v > 50.0; });
  s.p99 = intervals.empty() ? 0 : intervals[(size_t)(intervals.size() * 0.99)];
  s.worst = intervals.empty() ? 0 : intervals.back();
  return s;
}

void print(const std::string &what, const Stretch &s, const std::string &extra = std::string()) {
  rusage r;
  getrusage(RUSAGE_SELF, &r);
  std::printf("frame_bench %s%s: frames %ld in %.1f s, %.1f frames/s (%lu shown, the rest as on the screen), process %.2f ms/frame, main thread %.2f "
              "ms/frame, frame interval p99 %.1f max %.1f ms, over 20 ms %ld, over 50 ms %ld, longest frame's "
              "main-thread CPU %.1f ms, longest between two frames ready %.1f ms, kept pieces %zu, kept picture drawn %ld times, resident %ld MB (peak %ld MB)%s\n",
              g_fullScreen ? "full screen " : "", what.c_str(), s.frames, s.wall / 1000, s.frames * 1000.0 / s.wall, s.shown,
              s.process, s.main, s.p99, s.worst, s.over20, s.over50, s.worstMain, s.worstScreen,
              static_cast<KWindowGL *>(myWindow)->drawList().keptPieces(), s.redraws, residentMB(), r.ru_maxrss / 1024,
              extra.c_str());
  std::fflush(stdout);
  if (const char *shot = std::getenv("FRAME_BENCH_SHOT")) {
    std::string name = what;
    for (char &c : name)
      if (!std::isalnum((unsigned char)c)) c = '_';
    static_cast<KWindowGL *>(myWindow)->saveBackBuffer((shot + ("-" + name) + ".png").c_str(), 3, 0, 0);
  }
}

// A level change asked for now: the longest frame from the request until 1.5 s after it.
void change(CEngine *e, int index, const std::string &what) {
  const std::string from = levelAt(e, e->getSoucasnyLevel());
  e->setSkipToLevel(index);
  print(from + " -> " + what, measure(e, 1.5, [] { return false; }));
}

void steps(CEngine *e, int n) {
  for (int i = 0; i < n; ++i) step(e);
}

// The day: its notebook stands a second, then a click takes it away; the pointer rests mid-screen.
void clickNotebookAway(CEngine *e) {
  steps(e, 100);
  pushMouse(SDL_MOUSEMOTION, 400, 300);
  step(e);
  pushMouse(SDL_MOUSEBUTTONDOWN, 400, 300);
  step(e);
  pushMouse(SDL_MOUSEBUTTONUP, 400, 300);
  steps(e, 50);
}

void session(CEngine *e) {
  myWindow->setPTKCallBack(ourOwnEventCallback);
  myWindow->setCallBack(CEngine::handleWinEvent);
  CVideoOptions::instance()->nastavFullScreen(g_fullScreen);
  CVideoOptions::instance()->aplikuj();
  useStepped(g_mode == "fullday");
  if (g_mode == "changes") {
    print("title's first 2 s", measure(e, 2, [] { return false; }));
  } else {
    steps(e, 20);
  }
  if (g_mode == "title") {
    steps(e, 200);
    print("title", measure(e, g_seconds, [] { return false; }));
    return;
  }

  CGameOptions::instance()->nastavObtiznost(g_difficulty == "easy" ? 0 : g_difficulty == "hard" ? 2 : 1);
  e->restartGame();
  // A second on the title screen of that list, as a player looks at it before a day.
  steps(e, 100);
  const int index = levelIndex(e, g_level);
  if (g_mode == "changes") {
    change(e, index - 1, levelAt(e, index - 1));
    change(e, index, g_level);
    return;
  }
  e->setSkipToLevel(index);
  double t0 = nowMs(), c0 = cpuMs(RUSAGE_THREAD), p0 = cpuMs(RUSAGE_SELF);
  step(e);
  char built[160];
  std::snprintf(built, sizeof built, ", level built in %.0f ms (CPU %.0f ms, main thread %.0f ms)", nowMs() - t0,
                cpuMs(RUSAGE_SELF) - p0, cpuMs(RUSAGE_THREAD) - c0);
  if (g_mode == "map") {
    steps(e, 100);
    print("map " + g_level, measure(e, g_seconds, [] { return false; }), built);
    return;
  }
  if (g_mode == "notebook") {
    steps(e, 100);
    print("notebook " + g_level, measure(e, g_seconds, [] { return false; }), built);
    return;
  }
  clickNotebookAway(e);
  if (g_mode == "pause") {
    steps(e, 100);
    pushKey(SDL_SCANCODE_ESCAPE, true);
    step(e);
    pushKey(SDL_SCANCODE_ESCAPE, false);
    steps(e, 100);
    print("pause menu " + g_level, measure(e, g_seconds, [] { return false; }), built);
    return;
  }
  const unsigned long lateBefore = CSurfaceManager::instance()->getLateLoads();
  if (g_mode == "day") {
    Stretch s = measure(e, g_seconds, [] { return false; });
    std::string extra = built;
    extra += ", pictures loaded in play " + std::to_string(CSurfaceManager::instance()->getLateLoads() - lateBefore);
    print("day " + g_level, s, extra);
    return;
  }
  // fullday
  Stretch s = measure(e, 0, [e] { return summaryShown(e); });
  const bool reached = summaryShown(e);
  print("fullday " + g_level, s, reached ? ", summary reached" : ", SUMMARY NOT REACHED");
  if (!reached) return;
  useStepped(false);
  steps(e, 100);
  const char *span = std::getenv("FRAME_BENCH_SPAN");
  print("summary " + g_level, measure(e, span ? std::atof(span) : 5, [] { return false; }));
  const int map = e->getSoucasnyLevel() + 1;
  change(e, map, levelAt(e, map));
  steps(e, 100);
  change(e, map + 1, levelAt(e, map + 1));
}
} // namespace

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: frame_bench [--full] title SECONDS | day|notebook|pause|map LEVEL DIFFICULTY SECONDS | "
                         "changes|fullday LEVEL DIFFICULTY\n");
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
