#pragma once
// The whole game inside the test process, as ./play starts it: runGame's own start-up (profiles in
// a scratch home, the real 800 x 600 window on the process's private X server, sprites, fonts,
// sounds, the start-up tables and links, the player record and the play state on the title
// screen), then a session that drives it frame by frame, then the game's own shut-down.
//
// Each frame is the engine's own frame: the window's events go through the game's callback into
// the current state and the level, the state updates and draws the level and makes the level
// change. The engine's stepped clock moves 20 ms a frame: nothing waits for real time, so a day
// runs as fast as the machine allows with every frame drawn, and with the game's random source
// seeded the same run plays the same way.
//
//   BotGame::run([](BotGame &g) { g.goToLevel(1); g.click(400, 300); g.frames(50); });
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CStavHry.h"
#include "core/CVideoOptions.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindowGL.h"
#include "game/GameMain.h"
#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/GameGlobals.h"
#include "support/PrivateDisplay.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"

class BotGame {
public:
  static constexpr int kFrameMs = 20;

  // Starts the game, hands it to the session once start-up is over and shuts it down after.
  // False, with the reason in `why`, when the game could not start. With `keptHome` the game
  // lives in that folder, which stays for a later run, as a player's home does.
  static bool run(const std::function<void(BotGame &)> &session, std::string *why = nullptr, uint32_t seed = 1,
                  const std::string &keptHome = "") {
    if (!PrivateDisplay::ensure()) {
      if (why) *why = PrivateDisplay::error();
      return false;
    }
    char tmpl[] = "/tmp/tob_bot_XXXXXX";
    const char *home = keptHome.empty() ? mkdtemp(tmpl) : keptHome.c_str();
    if (!home) {
      if (why) *why = "no scratch home";
      return false;
    }
    std::string homeDir = home;
    setenv("HOME", home, 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    KMiscTools::setApplicationFolder(TOB_BINARY_DIR);
    KMiscTools::setMessageBoxHandler(recordMessage);
    CEngine::setSteppedClock(kFrameMs);
    CRandom::fixSeed(seed);
    KInput::resetHeldState();
    current() = nullptr;
    pending() = &session;
    TRunOptions options;
    options.afterInit = afterInit;
    options.skipWork = true;
    runGame(&options);
    // The game leaves its window to the process's end, as a process starts it once; a later run
    // here makes another, so the earlier ones are kept to the end too.
    static auto *earlier = new std::vector<std::pair<KWindow *, decltype(backbuffer)>>();
    earlier->emplace_back(myWindow, backbuffer);
    pending() = nullptr;
    CEngine::setSteppedClock(0);
    CRandom::unfixSeed();
    if (keptHome.empty()) std::system(("rm -rf '" + homeDir + "'").c_str());
    if (why && !started()) *why = "start-up did not reach the session";
    return started();
  }

  CEngine *engine() const { return game; }
  CLevel_Game *level() const { return game ? game->getLevel() : nullptr; }
  // Tells one level from the next: a new level is often built where the last one was freed.
  uint32_t levelsBuilt() const { return game ? game->getLevelsBuilt() : 0; }
  KWindowGL *window() const { return static_cast<KWindowGL *>(myWindow); }
  // False once the game has ended (a quit from the menu, the end of the list, the window closed).
  bool alive() const { return game && game->progression().isRunning() && myWindow && !myWindow->isQuit(); }

  // One frame of the engine, timed.
  void frame() {
    auto t0 = std::chrono::steady_clock::now();
    game->runFrame();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    frameMs.push_back(ms);
    ++frameCount;
    if (onFrame) onFrame();
  }
  void frames(int n) {
    for (int i = 0; i < n && alive(); ++i) frame();
  }

  // The difficulty's list read again and the title screen built, as a change in the options does.
  void setDifficulty(int d) {
    CGameOptions::instance()->nastavObtiznost(d);
    game->restartGame();
    frame();
  }
  static const char *difficultyName(int d) { return d == 0 ? "easy" : d == 1 ? "medium" : "hard"; }

  std::vector<std::string> levelNames() const {
    std::vector<std::string> out;
    if (CLevelList *l = game->progression().getLevelList())
      for (uint16_t i = 0; i < l->getSize(); ++i) out.push_back(l->getLevel(i));
    return out;
  }
  // The list's entry the game stands on now.
  std::string listEntry() const {
    CLevelList *l = game->progression().getLevelList();
    return l ? l->getLevel(game->getSoucasnyLevel()) : std::string();
  }
  // Frames until the game itself has moved on to the list's entry `name`; false after `limit`.
  bool waitForEntry(const std::string &name, int limit = 1500) {
    for (int i = 0; i < limit && alive(); ++i) {
      if (listEntry() == name && level() && !level()->getLevelName().empty()) return true;
      frame();
    }
    return listEntry() == name;
  }
  int indexOf(const std::string &name) const {
    std::vector<std::string> names = levelNames();
    auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : (int)(it - names.begin());
  }

  // The list's level at index, built through the game's own skip (as the map's buttons do).
  void goToLevel(int index) {
    game->setSkipToLevel(index);
    frame();
  }
  // A level by name: one outside the list joins its end first.
  void goToLevel(const std::string &name) {
    int index = indexOf(name);
    if (index < 0) {
      game->progression().getLevelList()->add(name);
      index = indexOf(name);
    }
    goToLevel(index);
  }

  // A level's definition attribute from the difficulty's generated files; empty when missing.
  static std::string levelAttribute(const std::string &difficulty, const std::string &level, const std::string &attr) {
    std::ifstream in(std::string(TOB_BINARY_DIR) + "/data/maps/" + difficulty + "/" + level + "_defs.xml");
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str(), key = " " + attr + "=\"";
    size_t at = text.find(key);
    if (at == std::string::npos) return "";
    at += key.size();
    return text.substr(at, text.find('"', at) - at);
  }
  static bool isWorkingDay(const std::string &difficulty, const std::string &level) {
    return std::atoi(levelAttribute(difficulty, level, "time").c_str()) > 0;
  }

  // Input through the window's own event queue.
  void motion(int x, int y) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = windowID();
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
    pointerX = x;
    pointerY = y;
  }
  void button(bool down, int x, int y, int sdlButton = 1) {
    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = windowID();
    e.button.button = (Uint8)sdlButton;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
  void key(SDL_Scancode sc, bool down) {
    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = windowID();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = sc;
    e.key.keysym.sym = SDL_GetKeyFromScancode(sc);
    SDL_PushEvent(&e);
  }
  // The pointer moved there and left a frame to be seen, then a press and a release.
  void click(int x, int y, int sdlButton = 1) {
    motion(x, y);
    frames(2);
    button(true, x, y, sdlButton);
    frame();
    button(false, x, y, sdlButton);
    frame();
  }
  // Pressed at (x0, y0), carried over `steps` frames and let go at (x1, y1). The press waits two
  // frames after the pointer came, as a click's does: the game finds what lies under the pointer
  // in the frame after it moved.
  void drag(int x0, int y0, int x1, int y1, int steps = 6) {
    motion(x0, y0);
    frames(2);
    button(true, x0, y0);
    frame();
    for (int k = 1; k <= steps; ++k) {
      motion(x0 + (x1 - x0) * k / steps, y0 + (y1 - y0) * k / steps);
      frame();
    }
    button(false, x1, y1);
    frames(2);
  }
  // The window manager's close, as a click on the window's close button sends it.
  void closeWindow() {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = windowID();
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&e);
    frame();
  }
  bool savePNG(const std::string &path) { return window()->saveBackBuffer(path.c_str(), 3, 0, 0); }

  // Input events that reached the game's event callback since start-up.
  static long &eventsReceived() {
    static long n = 0;
    return n;
  }

  // "detail|headline" of every message box the game raised.
  static std::vector<std::string> &messages() {
    static std::vector<std::string> m;
    return m;
  }

  // Called after every frame (an onlooker's eyes).
  std::function<void()> onFrame;
  std::vector<double> frameMs;
  long frameCount = 0;
  int pointerX = 400, pointerY = 300;

private:
  static const std::function<void(BotGame &)> *&pending() {
    static const std::function<void(BotGame &)> *p = nullptr;
    return p;
  }
  static BotGame *&current() {
    static BotGame *g = nullptr;
    return g;
  }
  static bool &startedFlag() {
    static bool s = false;
    return s;
  }
  static bool started() { return startedFlag(); }

  static void afterInit(CEngine *e) {
    startedFlag() = true;
    // What the main loop installs before its first frame.
    eventsReceived() = 0;
    myWindow->setPTKCallBack(countedEvent);
    myWindow->setCallBack(CEngine::handleWinEvent);
    BotGame g;
    g.game = e;
    current() = &g;
    // As in a fresh process on a fresh display: the pointer in the middle, whatever an earlier
    // run in this process left.
    SDL_WarpMouseInWindow(g.window()->getWindowHandle(), 400, 300);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    g.motion(400, 300);
    // Windowed, as chosen on the video panel: window and picture coordinates are then the same.
    CVideoOptions::instance()->nastavFullScreen(false);
    CVideoOptions::instance()->aplikuj();
    // The focus a window manager would give.
    SDL_Event focus;
    SDL_zero(focus);
    focus.type = SDL_WINDOWEVENT;
    focus.window.windowID = g.windowID();
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_PushEvent(&focus);
    g.frame();
    if (pending()) (*pending())(g);
    current() = nullptr;
  }

  static bool countedEvent(KEvent *event) {
    ++eventsReceived();
    return ourOwnEventCallback(event);
  }

  Uint32 windowID() const { return SDL_GetWindowID(window()->getWindowHandle()); }

  static void recordMessage(const char *detail, const char *headline) {
    messages().push_back(std::string(detail ? detail : "") + "|" + (headline ? headline : ""));
  }

  CEngine *game = nullptr;
};
