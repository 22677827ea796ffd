#pragma once
// Fixture for drawing tests: the real 800 x 600 game window with its OpenGL context, opened once
// per test process on an X server of its own (run with LIBGL_ALWAYS_SOFTWARE=1) and kept open
// to the end.
//
//   class MyDrawTest : public GLTestWindow {};
//   TEST_F(MyDrawTest, Red) { ...draw...; EXPECT_EQ(pixel(10, 20), rgba(255, 0, 0)); }
//
// Each test starts with: default world view, clear colour opaque black, back buffer cleared,
// no frame cap, gamma 1, no callbacks, quit flag clear, no pending events, no held keys, and
// message boxes recorded in `messages` instead of shown.
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindowGL.h"
#include "support/PrivateDisplay.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class GLTestWindow : public ::testing::Test {
public:
  static KWindowGL *window() {
    static KWindowGL *w = nullptr;
    if (!w) {
      EXPECT_TRUE(PrivateDisplay::ensure()) << PrivateDisplay::error();
      KMiscTools::setMessageBoxHandler(recordMessage);
      w = static_cast<KWindowGL *>(KPTK::createKWindow(K_OPENGL, false));
      bool made = w->createGameWindow(800, 600, 32, true, "Tobrulant");
      EXPECT_TRUE(made) << "no window on DISPLAY " << (SDL_getenv("DISPLAY") ? SDL_getenv("DISPLAY") : "(unset)");
      myWindow = w;
    }
    return w;
  }

  // "detail|headline" of every message box since the test started.
  static std::vector<std::string> &messages() {
    static std::vector<std::string> m;
    return m;
  }

  static uint32_t rgba(unsigned r, unsigned g, unsigned b, unsigned a = 255) {
    return (r << 24) | (g << 16) | (b << 8) | a;
  }

  // Back-buffer pixel at picture coordinates (y downwards) as 0xRRGGBBAA; 0 when outside.
  static uint32_t pixel(int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    if (!window()->readPixels(x, y, 1, 1, p)) return 0;
    return rgba(p[0], p[1], p[2], p[3]);
  }

  // True when every channel differs by at most `tolerance`.
  static bool near(uint32_t a, uint32_t b, int tolerance = 2) {
    for (int s = 0; s < 32; s += 8) {
      int d = (int)((a >> s) & 0xFF) - (int)((b >> s) & 0xFF);
      if (d < -tolerance || d > tolerance) return false;
    }
    return true;
  }

  // Saves the back buffer as a PNG (to look at a test's picture). Recorded as a message box.
  static bool savePNG(const char *path) { return window()->saveBackBuffer(path, 3, 0, 0); }

  // Injected input. Window coordinates equal picture coordinates while windowed. The server may
  // still send its own expose, focus or pointer events in between: look for your events rather
  // than assume they are the only ones.
  static void pushKey(SDL_Scancode sc, bool down, bool repeat = false) {
    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = SDL_GetWindowID(window()->getWindowHandle());
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = sc;
    e.key.keysym.sym = SDL_GetKeyFromScancode(sc);
    SDL_PushEvent(&e);
  }
  // SDL's button numbers: 1 left, 2 middle, 3 right.
  static void pushButton(int sdlButton, bool down, int x, int y, int clicks = 1) {
    SDL_Event e;
    SDL_zero(e);
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = SDL_GetWindowID(window()->getWindowHandle());
    e.button.button = (Uint8)sdlButton;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = (Uint8)clicks;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
  }
  static void pushMotion(int x, int y) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(window()->getWindowHandle());
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
  }
  static void pushWindowEvent(SDL_WindowEventID id) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = SDL_GetWindowID(window()->getWindowHandle());
    e.window.event = (Uint8)id;
    SDL_PushEvent(&e);
  }
  // Runs processEvents until the queue is empty (bounded).
  static void pumpAll() {
    for (int i = 0; i < 1000; ++i) {
      SDL_PumpEvents();
      if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0) break;
      window()->processEvents();
    }
  }

protected:
  void SetUp() override {
    PrivateDisplay::expectWindowSuite();
    KWindowGL *w = window();
    ASSERT_NE(w, nullptr);
    KMiscTools::setMessageBoxHandler(recordMessage);
    messages().clear();
    w->setPTKCallBack(nullptr);
    w->setCallBack(nullptr);
    w->setQuit(false);
    w->setMaxFrameRate(0);
    w->setGamma(1.0f);
    w->displayMouse(false);
    w->setClearColor(0, 0, 0, 1);
    w->clearClipping();
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    KInput::resetHeldState();
    w->setWorldView(0, 0, 0, 1, true);
  }

  void TearDown() override {
    window()->setPTKCallBack(nullptr);
    window()->setCallBack(nullptr);
  }

private:
  static void recordMessage(const char *detail, const char *headline) {
    messages().push_back(std::string(detail) + "|" + headline);
  }
};
