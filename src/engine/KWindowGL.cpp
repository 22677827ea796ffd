#include "engine/KWindowGL.h"

#include "engine/KGraphicGL.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"
#include "engine/KTgaWriter.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <thread>

int KWindowGL::_quitGL = 0;
int KWindowGL::hasRectangleText = 0;
short KWindowGL::_windowWidth = 0;
short KWindowGL::_windowHeight = 0;
short KWindowGL::_windowDepth = 0;
unsigned long KWindowGL::_lastFlipTime = 0;
unsigned long KWindowGL::_screenshotCounter = 0;
KDisplay KWindowGL::_display = {0, 0, 0, 0};

namespace {
// The window whose events KMiscTools::pause pumps.
KWindowGL *g_liveWindow = nullptr;

void pumpLiveWindow() {
  if (g_liveWindow) g_liveWindow->dispatchPending();
}

// SDL numbers the right button 3 and the middle one 2; the game's numbers are 2 and 3.
uint32_t gameButton(uint8_t sdlButton) {
  if (sdlButton == SDL_BUTTON_RIGHT) return 2;
  if (sdlButton == SDL_BUTTON_MIDDLE) return 3;
  return sdlButton;
}

unsigned char keyCharacter(const SDL_Keysym &ks) {
  if (ks.sym <= 0 || ks.sym >= 128) return 0;
  unsigned char c = (unsigned char)ks.sym;
  if (c >= 'a' && c <= 'z') {
    bool shift = (ks.mod & KMOD_SHIFT) != 0;
    bool caps = (ks.mod & KMOD_CAPS) != 0;
    if (shift != caps) c = (unsigned char)(c - 'a' + 'A');
  }
  return c;
}

void describe(const SDL_Event &ev, KSystemEvent *sys) {
  sys->eventClass = 0;
  sys->eventKind = 0;
  sys->platformEvent = &ev;
  switch (ev.type) {
  case SDL_MOUSEBUTTONDOWN: sys->eventClass = K_CLASS_MOUSE; sys->eventKind = K_KIND_MOUSE_DOWN; break;
  case SDL_MOUSEBUTTONUP: sys->eventClass = K_CLASS_MOUSE; sys->eventKind = K_KIND_MOUSE_UP; break;
  case SDL_MOUSEMOTION: sys->eventClass = K_CLASS_MOUSE; sys->eventKind = K_KIND_MOUSE_MOVED; break;
  case SDL_MOUSEWHEEL: sys->eventClass = K_CLASS_MOUSE; sys->eventKind = K_KIND_MOUSE_WHEEL; break;
  case SDL_KEYDOWN:
    sys->eventClass = K_CLASS_KEYBOARD;
    sys->eventKind = ev.key.repeat ? K_KIND_KEY_REPEAT : K_KIND_KEY_DOWN;
    break;
  case SDL_KEYUP: sys->eventClass = K_CLASS_KEYBOARD; sys->eventKind = K_KIND_KEY_UP; break;
  case SDL_WINDOWEVENT:
    switch (ev.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: sys->eventClass = K_CLASS_APPLICATION; sys->eventKind = K_KIND_APP_ACTIVATED; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: sys->eventClass = K_CLASS_APPLICATION; sys->eventKind = K_KIND_APP_DEACTIVATED; break;
    case SDL_WINDOWEVENT_CLOSE: sys->eventClass = K_CLASS_WINDOW; sys->eventKind = K_KIND_WINDOW_CLOSE; break;
    case SDL_WINDOWEVENT_EXPOSED: sys->eventClass = K_CLASS_WINDOW; sys->eventKind = K_KIND_WINDOW_REDRAW; break;
    default: sys->eventClass = K_CLASS_WINDOW; break;
    }
    break;
  default: break;
  }
}
} // namespace

KWindowGL::KWindowGL() { init(false); }
KWindowGL::KWindowGL(bool depthBuffer) { init(depthBuffer); }

void KWindowGL::init(bool depthBuffer) {
  _context = nullptr;
  _window = nullptr;
  _sysCallback = nullptr;
  _ptkCallback = nullptr;
  _refresh = 0;
  _title[0] = 0;
  _minimized = false;
  _frameTime = 0;
  _metalLook = false;
  _drawMouse = false;
  _clearColor[0] = _clearColor[1] = _clearColor[2] = 0.0f;
  _clearColor[3] = 1.0f;
  _fullScreen = false;
  _accelerated = true;
  _depthBuffer = depthBuffer;
  _gamma = 1.0f;
  _active = true;
  _videoStarted = false;
  _swapInterval = -1;
  _view[0] = _view[1] = 0;
  _view[2] = _view[3] = 1;
  _drawableW = _drawableH = 0;
  _quitGL = 0;
  setMaxFrameRate(100);
}

KWindowGL::~KWindowGL() {
  _sysCallback = nullptr;
  _ptkCallback = nullptr;
  if (_context) {
    SDL_GL_MakeCurrent(_window, nullptr);
    SDL_GL_DeleteContext((SDL_GLContext)_context);
    _context = nullptr;
  }
  KInput::showPointer();
  _fullScreen = false;
  _depthBuffer = false;
  _quitGL = 0;
  if (KInput::_hwnd == _window) KInput::_hwnd = nullptr;
  if (_window) SDL_DestroyWindow(_window);
  _window = nullptr;
  if (g_liveWindow == this) {
    g_liveWindow = nullptr;
    KMiscTools::setEventPump(nullptr);
  }
  if (_videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool KWindowGL::createGameWindow(short width, short height, short depth, bool windowed, const char *title) {
  std::snprintf(_title, sizeof(_title), "%s", title ? title : "");
  if (!_videoStarted) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      KMiscTools::messageBox("could not create window", "");
      return false;
    }
    _videoStarted = true;
  }
  int screenW = width, screenH = height;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    screenW = mode.w;
    screenH = mode.h;
  }

  _windowWidth = width;
  _windowHeight = height;
  _windowDepth = depth;
  KMiscTools::initMiscTools();
  if (depth > 32) depth = 32;
  if (depth <= 0) depth = 16;
  _windowDepth = depth;
  _fullScreen = false;

  int left = (screenW - width) / 2;
  int top = (screenH - height) / 2;
  if (!_window) {
    int channel = depth <= 16 ? 5 : 8;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, _depthBuffer ? 16 : 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    _window = SDL_CreateWindow(_title, left, top, width, height, SDL_WINDOW_OPENGL);
    if (!_window) {
      KMiscTools::messageBox("could not create window", "");
      return false;
    }
    _context = SDL_GL_CreateContext(_window);
    if (!_context) {
      KMiscTools::messageBox("could not create OpenGL context", "openGL error");
      SDL_DestroyWindow(_window);
      _window = nullptr;
      return false;
    }
    _swapInterval = -1;
  } else {
    // A second call reuses the window and its context, so loaded pictures stay valid.
    SDL_SetWindowFullscreen(_window, 0);
    SDL_SetWindowBordered(_window, SDL_TRUE);
    SDL_SetWindowSize(_window, width, height);
    SDL_SetWindowPosition(_window, left, top);
  }
  // Text input would turn keys into composition events; the game reads plain keys.
  SDL_StopTextInput();
  g_liveWindow = this;
  KMiscTools::setEventPump(pumpLiveWindow);
  KInput::initInput(_window);

  if (!windowed) return switchToFullScreen();

  SDL_ShowWindow(_window);
  SDL_SetWindowTitle(_window, _title);
  SDL_RaiseWindow(_window);
  _active = true;
  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  updateView();
  KGraphicGL::setScreenSize(_windowWidth, _windowHeight, _windowDepth);
  detectCapabilities();
  glEnable(GL_DITHER);
  return true;
}

bool KWindowGL::switchToFullScreen() {
  if (!_window || !_context) return false;
  // Fade: the last picture gives way to black before the screen changes.
  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(_window);
  glClearColor(_clearColor[0], _clearColor[1], _clearColor[2], _clearColor[3]);
  // Cover the display by hand first: without a window manager the full-screen request alone
  // changes nothing on the X server while SDL already reports the display's size.
  int display = SDL_GetWindowDisplayIndex(_window);
  SDL_Rect bounds;
  if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds) == 0) {
    SDL_SetWindowBordered(_window, SDL_FALSE);
    SDL_SetWindowPosition(_window, bounds.x, bounds.y);
    SDL_SetWindowSize(_window, bounds.w, bounds.h);
  }
  if (SDL_SetWindowFullscreen(_window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    SDL_SetWindowBordered(_window, SDL_TRUE);
    _fullScreen = false;
    return false;
  }
  _fullScreen = true;
  if (SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context) != 0) {
    KMiscTools::messageBox("SetCurrentContext failed", "openGL error");
    SDL_SetWindowFullscreen(_window, 0);
    SDL_SetWindowBordered(_window, SDL_TRUE);
    _fullScreen = false;
    return false;
  }
  updateView();
  KGraphicGL::setScreenSize(_windowWidth, _windowHeight, _windowDepth);
  detectCapabilities();
  clearBars();
  glEnable(GL_DITHER);
  return true;
}

void KWindowGL::toggleFullScreen(bool fullScreen) {
  if (fullScreen == _fullScreen || !_window) return;
  if (fullScreen) {
    switchToFullScreen();
  } else {
    _fullScreen = false;
    SDL_SetWindowFullscreen(_window, 0);
    SDL_SetWindowBordered(_window, SDL_TRUE);
    int screenW = _windowWidth, screenH = _windowHeight;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      screenW = mode.w;
      screenH = mode.h;
    }
    SDL_SetWindowSize(_window, _windowWidth, _windowHeight);
    SDL_SetWindowPosition(_window, (screenW - _windowWidth) / 2, (screenH - _windowHeight) / 2);
    SDL_RaiseWindow(_window);
    KGraphicGL::setScreenSize(_windowWidth, _windowHeight, _windowDepth);
  }
  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  updateView();
}

void KWindowGL::letterbox(int outerW, int outerH, int pictureW, int pictureH, int *x, int *y, int *w, int *h) {
  if (outerW <= 0 || outerH <= 0 || pictureW <= 0 || pictureH <= 0) {
    *x = *y = 0;
    *w = pictureW > 0 ? pictureW : 1;
    *h = pictureH > 0 ? pictureH : 1;
    return;
  }
  // Compare outerW / pictureW with outerH / pictureH without rounding.
  if ((long long)outerW * pictureH <= (long long)outerH * pictureW) {
    *w = outerW;
    *h = (int)((long long)outerW * pictureH / pictureW);
  } else {
    *h = outerH;
    *w = (int)((long long)outerH * pictureW / pictureH);
  }
  *x = (outerW - *w) / 2;
  *y = (outerH - *h) / 2;
}

void KWindowGL::updateView() {
  if (!_window) return;
  int dw = 0, dh = 0, ww = 0, wh = 0;
  SDL_GL_GetDrawableSize(_window, &dw, &dh);
  SDL_GetWindowSize(_window, &ww, &wh);
  if (!_fullScreen) {
    // A window is exactly the picture; while a mode change settles, its old size is no guide.
    dw = ww = _windowWidth;
    dh = wh = _windowHeight;
  }
  int x, y, w, h;
  letterbox(dw, dh, _windowWidth, _windowHeight, &x, &y, &w, &h);
  _view[0] = x;
  _view[1] = dh - y - h; // GL counts rows from the bottom
  _view[2] = w;
  _view[3] = h;
  _drawableW = dw;
  _drawableH = dh;
  letterbox(ww, wh, _windowWidth, _windowHeight, &x, &y, &w, &h);
  KInput::setViewMapping(x, y, w, h, _windowWidth, _windowHeight);
}

void KWindowGL::clearBars() {
  if (!_context) return;
  int vx = _view[0], vy = _view[1], vw = _view[2], vh = _view[3];
  if (vx == 0 && vy == 0 && vw == _drawableW && vh == _drawableH) return;
  GLboolean scissorOn = glIsEnabled(GL_SCISSOR_TEST);
  GLint box[4];
  glGetIntegerv(GL_SCISSOR_BOX, box);
  glEnable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  const int bars[4][4] = {
      {0, 0, vx, _drawableH},
      {vx + vw, 0, _drawableW - vx - vw, _drawableH},
      {vx, 0, vw, vy},
      {vx, vy + vh, vw, _drawableH - vy - vh},
  };
  for (const auto &b : bars) {
    if (b[2] <= 0 || b[3] <= 0) continue;
    glScissor(b[0], b[1], b[2], b[3]);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  glClearColor(_clearColor[0], _clearColor[1], _clearColor[2], _clearColor[3]);
  glScissor(box[0], box[1], box[2], box[3]);
  if (!scissorOn) glDisable(GL_SCISSOR_TEST);
}

void KWindowGL::detectCapabilities() {
  const char *ext = (const char *)glGetString(GL_EXTENSIONS);
  if (ext && (std::strstr(ext, "GL_EXT_texture_rectangle") || std::strstr(ext, "GL_NV_texture_rectangle")))
    hasRectangleText = 1;
}

void KWindowGL::setDefaultWorldView() {
  setWorldView(0, 0, 0, 1, false);
  processEvents();
}

void KWindowGL::setWorldView(float x, float y, float angle, float zoom, bool clear) {
  if (!_context) return;
  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  if (_fullScreen) updateView();
  const int W = _windowWidth, H = _windowHeight;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, W, 0, H, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  if (clear) {
    glClearColor(_clearColor[0], _clearColor[1], _clearColor[2], _clearColor[3]);
    glClear(GL_COLOR_BUFFER_BIT);
    // The bars beside a scaled picture stay black whatever the clear colour.
    if (_fullScreen) clearBars();
  }
  glLoadIdentity();
  glTranslatef((float)(W / 2), (float)(H / 2), 0);
  glRotatef(angle, 0, 0, 1);
  glScalef(zoom, zoom, 0);
  glTranslatef(-(float)(W / 2), -(float)(H / 2), 0);
  if (zoom != 0) glTranslatef(x / zoom, y / zoom, 0);
  glDisable(GL_DEPTH_TEST);
  glViewport(_view[0], _view[1], _view[2], _view[3]);
  glDisable(GL_DITHER);
  KGraphicGL::setViewOneToOne(_view[2] == W && _view[3] == H && angle == 0 && zoom == 1 && std::floor(x) == x &&
                              std::floor(y) == y);
}

void KWindowGL::setClearColor(float r, float g, float b, float a) {
  _clearColor[0] = r;
  _clearColor[1] = g;
  _clearColor[2] = b;
  _clearColor[3] = a;
  if (_context) glClearColor(r, g, b, a);
}

void KWindowGL::setClipping(long x1, long y1, long x2, long y2) {
  if (!_context) return;
  const double sx = (double)_view[2] / _windowWidth, sy = (double)_view[3] / _windowHeight;
  long w = x2 - x1, h = y2 - y1;
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  // The rectangle's bottom edge is y2 in picture rows, counted from the top.
  glEnable(GL_SCISSOR_TEST);
  glScissor(_view[0] + (GLint)std::lround(x1 * sx), _view[1] + (GLint)std::lround((_windowHeight - y2) * sy),
            (GLsizei)std::lround(w * sx), (GLsizei)std::lround(h * sy));
}

void KWindowGL::clearClipping() {
  if (_context) glDisable(GL_SCISSOR_TEST);
}

void KWindowGL::terminate() { _quitGL = 1; }
void KWindowGL::setQuit(bool quit) { _quitGL = quit ? 1 : 0; }
bool KWindowGL::isQuit() { return _quitGL != 0; }

bool KWindowGL::hasFocus() {
  if (_fullScreen || !_window) return true;
  return _active && !_minimized;
}

void KWindowGL::setTitle(const char *title) {
  if (!_window) return;
  std::snprintf(_title, sizeof(_title), "%s", title ? title : "");
  SDL_SetWindowTitle(_window, _title);
}

SDL_Window *KWindowGL::getWindowHandle() { return _fullScreen ? nullptr : _window; }

void KWindowGL::setMaxFrameRate(long framesPerSecond) {
  if (framesPerSecond > 0) {
    _frameTime = (unsigned long)(1000 / framesPerSecond);
  } else {
    _frameTime = 0;
    if (_context && _swapInterval != 0) {
      SDL_GL_SetSwapInterval(0);
      _swapInterval = 0;
    }
  }
}

bool KWindowGL::getRectangleTexCap() { return hasRectangleText != 0; }
bool KWindowGL::getAccelerationCap() { return _accelerated; }
void KWindowGL::setRectangleTexCap(bool cap) { hasRectangleText = cap ? 1 : 0; }
void KWindowGL::setGamma(float gamma) { _gamma = gamma; }
short KWindowGL::getWindowWidth() { return _windowWidth; }
short KWindowGL::getWindowHeight() { return _windowHeight; }

void KWindowGL::minimize() {
  if (_minimized) return;
  _minimized = true;
  if (_window) SDL_MinimizeWindow(_window);
}

void KWindowGL::restore() {
  if (!_minimized) return;
  _minimized = false;
  if (!_window) return;
  SDL_RestoreWindow(_window);
  SDL_RaiseWindow(_window);
  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  updateView();
}

void KWindowGL::displayMouse(bool draw) { _drawMouse = draw; }

void KWindowGL::enumerateDisplays(bool (*callback)(KDisplay *)) {
  if (!callback || !SDL_WasInit(SDL_INIT_VIDEO)) return;
  int n = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < n; ++i) {
    SDL_DisplayMode mode;
    if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
    _display.width = mode.w;
    _display.height = mode.h;
    _display.bitsPerPixel = SDL_BYTESPERPIXEL(mode.format) * 8;
    _display.refreshRate = mode.refresh_rate;
    if (!callback(&_display)) break;
  }
}

void KWindowGL::setCallBack(bool (*callback)(EventRef)) { _sysCallback = callback; }
void KWindowGL::setPTKCallBack(bool (*callback)(KEvent *)) { _ptkCallback = callback; }

void KWindowGL::setScreenSaverInfo(long width, long height) {
  _windowWidth = (short)width;
  _windowHeight = (short)height;
  KGraphicGL::setScreenSize((short)width, (short)height, 32);
}

void KWindowGL::darkenFrame() {
  setDefaultWorldView();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_RECTANGLE_ARB);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  float alpha = 1.0f - _gamma;
  if (alpha < 0) alpha = 0;
  const float W = _windowWidth, H = _windowHeight;
  glColor4f(0, 0, 0, alpha);
  glBegin(GL_QUADS);
  glVertex2f(0, 0);
  glVertex2f(W, 0);
  glVertex2f(W, H);
  glVertex2f(0, H);
  glEnd();
  // Texturing was switched off behind the pictures' bind cache.
  KGraphicGL::ptk_glUnbindTexture();
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
}

void KWindowGL::flipBackBuffer(bool waitWhileInactive, bool resetView) {
  if (!_context) return;
  KGraphicGL::ptk_glUnbindTexture();
  if (_drawMouse) {
    setDefaultWorldView();
    KInput::displayMouse();
  }

  long mx = KInput::getMouseX(), my = KInput::getMouseY();
  if (mx < 0 || my < 0 || mx > _windowWidth || my > _windowHeight) {
    if (KInput::_cursorVisibility == 0) {
      KInput::showPointer();
      KInput::_cursorVisibility = 0;
    }
  } else if (KInput::_cursorVisibility == 0) {
    KInput::hidePointer();
  }

  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  if (_frameTime != 0 && _swapInterval != 1) {
    SDL_GL_SetSwapInterval(1);
    _swapInterval = 1;
  }
  uint32_t now = (uint32_t)KMiscTools::getMilliseconds();
  if (_gamma < 1.0f) darkenFrame();

  SDL_GL_SwapWindow(_window);
  if (_fullScreen) clearBars();
  processEvents();

  if (_frameTime != 0) {
    uint32_t frame = (uint32_t)_frameTime;
    uint32_t last = (uint32_t)_lastFlipTime;
    if (now - last <= frame) {
      uint32_t elapsed;
      do {
        elapsed = (uint32_t)KMiscTools::getMilliseconds() - last;
        processEvents();
        // Keep pumping, but give the core back: the clock counts whole milliseconds, so the last
        // one is slept in short steps rather than polled through.
        if (elapsed + 1 < frame)
          SDL_Delay(1);
        else if (elapsed < frame)
          std::this_thread::sleep_for(std::chrono::microseconds(200));
      } while (elapsed < frame);
    }
    _lastFlipTime = KMiscTools::getMilliseconds();
  }

  if (resetView) setDefaultWorldView();

  if (!_fullScreen) {
    _lastFlipTime = KMiscTools::getMilliseconds();
    if (!hasFocus() && waitWhileInactive) {
      do {
        processEvents();
        if (!hasFocus() && !_quitGL) SDL_Delay(5);
      } while (!hasFocus() && !_quitGL);
      KMiscTools::freezeTimer();
    }
  }
}

bool KWindowGL::pollOne(SDL_Event *ev) {
  if (!SDL_WasInit(SDL_INIT_VIDEO) || !SDL_PollEvent(ev)) return false;
  switch (ev->type) {
  case SDL_KEYDOWN:
  case SDL_KEYUP:
    KInput::noteKey((unsigned short)ev->key.keysym.scancode, ev->type == SDL_KEYDOWN);
    break;
  case SDL_MOUSEMOTION:
    KInput::notePointer(ev->motion.x, ev->motion.y);
    break;
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP:
    KInput::notePointer(ev->button.x, ev->button.y);
    KInput::noteButton(gameButton(ev->button.button), ev->type == SDL_MOUSEBUTTONDOWN);
    break;
  case SDL_WINDOWEVENT:
    switch (ev->window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: _active = true; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: _active = false; break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: updateView(); break;
    default: break;
    }
    break;
  default: break;
  }
  return true;
}

void KWindowGL::dispatch(const SDL_Event &ev, KSystemEvent &sys) {
  KEvent k;
  std::memset(&k, 0, sizeof(k));
  bool (*cb)(KEvent *) = _ptkCallback;
  if (cb) {
    if (ev.type == SDL_MOUSEBUTTONDOWN || ev.type == SDL_MOUSEBUTTONUP) k.button = gameButton(ev.button.button);
    if (ev.type == SDL_KEYDOWN || ev.type == SDL_KEYUP) {
      k.character = keyCharacter(ev.key.keysym);
      k.keyCode = (uint32_t)ev.key.keysym.scancode;
    }
    k.mouseX = (int32_t)KInput::getMouseX();
    k.mouseY = (int32_t)KInput::getMouseY();
    k.eventRef = &sys;
    k.ptkKey = (uint32_t)KInput::getPTKKey((unsigned short)(k.keyCode & 0xFFFF));
  }

  switch (ev.type) {
  case SDL_MOUSEBUTTONDOWN:
    if (gameButton(ev.button.button) == 2) KInput::_rbuttonstate = 1;
    k.type = ev.button.clicks > 1 ? K_EVENT_MULTICLICK : K_EVENT_MOUSEDOWN;
    if (cb) cb(&k);
    break;
  case SDL_MOUSEBUTTONUP:
    if (gameButton(ev.button.button) == 2) KInput::_rbuttonstate = 0;
    k.type = K_EVENT_MOUSEUP;
    if (cb) cb(&k);
    break;
  case SDL_MOUSEMOTION:
    k.type = K_EVENT_MOUSEMOVE;
    if (cb) cb(&k);
    break;
  case SDL_MOUSEWHEEL: {
    int32_t delta = ev.wheel.y;
    if (ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) delta = -delta;
    short wheel = (short)(int16_t)(uint16_t)(delta & 0xFFFF);
    KInput::setLastWheelValue(wheel);
    if (cb) {
      k.wheel = wheel;
      k.type = K_EVENT_WHEEL;
      cb(&k);
    }
    break;
  }
  case SDL_KEYDOWN:
    if (cb) {
      k.type = K_EVENT_KEYDOWN_FIRST;
      if (cb(&k)) {
        k.type = K_EVENT_KEYDOWN;
        cb(&k);
      }
    }
    break;
  case SDL_KEYUP:
    k.type = K_EVENT_KEYUP;
    if (cb) cb(&k);
    break;
  case SDL_QUIT:
    _quitGL = 1;
    break;
  case SDL_WINDOWEVENT:
    switch (ev.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      // The game decides when to go; the window stays until then.
      _quitGL = 1;
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      k.type = K_EVENT_WINDOW;
      if (cb) cb(&k);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (cb) {
        KEvent a;
        std::memset(&a, 0, sizeof(a));
        a.type = K_EVENT_ACTIVATED;
        cb(&a);
      }
      break;
    default: break;
    }
    break;
  default: break;
  }
}

void KWindowGL::dispatchPending() {
  SDL_Event ev;
  if (!pollOne(&ev)) return;
  KSystemEvent sys;
  describe(ev, &sys);
  dispatch(ev, sys);
}

void KWindowGL::processEvents() {
  if (KInput::isPressed(K_VK_COMMAND) && hasFocus() && KInput::isPressed(K_VK_Q)) _quitGL = 1;

  if (KInput::isPressed(K_VK_L_SHIFT) && KInput::isPressed(K_VK_F6)) {
    ++_screenshotCounter;
    char name[64];
    std::snprintf(name, sizeof(name), "screenshot%lu.tga", _screenshotCounter);
    const std::string path = KMiscTools::makeFilePath(name);
    saveBackBuffer(path.c_str(), 2, 0, 0);
    KInput::waitForKeyRelease(K_VK_F13);
    KInput::waitForKeyRelease(K_VK_L_SHIFT);
  }

  SDL_Event ev;
  if (!pollOne(&ev)) return;
  KSystemEvent sys;
  describe(ev, &sys);
  if (_sysCallback && !_sysCallback(&sys)) return;
  dispatch(ev, sys);
}

bool KWindowGL::readPixels(int x, int y, int w, int h, unsigned char *rgba, bool front) {
  const int W = _windowWidth, H = _windowHeight;
  if (!_context || !rgba || w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > W || y + h > H) return false;
  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  glReadBuffer(front ? GL_FRONT : GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const int vx = _view[0], vy = _view[1], vw = _view[2], vh = _view[3];
  bool ok = true;
  if (vw == W && vh == H) {
    // GL rows run upwards; picture row y is GL row H - 1 - y.
    glReadPixels(vx + x, vy + (H - y - h), w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    size_t row = (size_t)w * 4;
    unsigned char *tmp = new (std::nothrow) unsigned char[row];
    if (tmp) {
      for (int i = 0; i < h / 2; ++i) {
        unsigned char *a = rgba + i * row, *b = rgba + (size_t)(h - 1 - i) * row;
        std::memcpy(tmp, a, row);
        std::memcpy(a, b, row);
        std::memcpy(b, tmp, row);
      }
      delete[] tmp;
    } else {
      ok = false;
    }
  } else {
    // Scaled picture: sample the nearest screen pixel of each picture pixel.
    unsigned char *all = new (std::nothrow) unsigned char[(size_t)vw * vh * 4];
    if (all) {
      glReadPixels(vx, vy, vw, vh, GL_RGBA, GL_UNSIGNED_BYTE, all);
      for (int py = 0; py < h; ++py) {
        int sy = vh - 1 - (int)(((long long)(y + py) * 2 + 1) * vh / (2LL * H));
        for (int px = 0; px < w; ++px) {
          int sx = (int)(((long long)(x + px) * 2 + 1) * vw / (2LL * W));
          std::memcpy(rgba + ((size_t)py * w + px) * 4, all + ((size_t)sy * vw + sx) * 4, 4);
        }
      }
      delete[] all;
    } else {
      ok = false;
    }
  }
  glReadBuffer(GL_BACK);
  return ok;
}

bool KWindowGL::saveBackBuffer(const char *path, long format, long width, long height) {
  const int W = _windowWidth, H = _windowHeight;
  if (!path || W <= 0 || H <= 0) return false;
  unsigned char *pixels = new (std::nothrow) unsigned char[(size_t)W * H * 4];
  if (!pixels) return false;
  if (!readPixels(0, 0, W, H, pixels)) {
    delete[] pixels;
    return false;
  }
  // R, G, B, A -> B, G, R, A; what the screen shows is opaque.
  for (size_t i = 0; i < (size_t)W * H; ++i) {
    unsigned char *p = pixels + i * 4;
    unsigned char r = p[0];
    p[0] = p[2];
    p[2] = r;
    p[3] = 255;
  }
  // A part of the picture is its top-left corner; nothing is read beyond the window.
  if (width <= 0 || width > W) width = W;
  if (height <= 0 || height > H) height = H;
  if (width < W) {
    for (long y = 1; y < height; ++y)
      std::memmove(pixels + (size_t)y * width * 4, pixels + (size_t)y * W * 4, (size_t)width * 4);
  }
  bool ok = savePicFile(path, pixels, width, height, format);
  delete[] pixels;
  return ok;
}

bool KWindowGL::savePicFile(const char *path, unsigned char *bgra, long width, long height, long format) {
  if (width <= 0 || height <= 0 || !bgra || !path) return false;
  int err = 0;
  if (format == 2) {
    err = KTgaWriter::write(path, bgra, (int)width, (int)height);
  } else if (format == 0 || format == 1 || format == 3) {
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormatFrom(bgra, (int)width, (int)height, 32, (int)width * 4,
                                                        SDL_PIXELFORMAT_BGRA32);
    if (!s) {
      err = -1;
    } else {
      int r = format == 0 ? SDL_SaveBMP(s, path) : format == 1 ? IMG_SaveJPG(s, path, 90) : IMG_SavePNG(s, path);
      if (r != 0) err = -1;
      SDL_FreeSurface(s);
    }
  } else {
    return false;
  }
  if (err != 0) {
    char headline[64];
    std::snprintf(headline, sizeof(headline), "GraphicsExportDoExport error %d", err);
    KMiscTools::messageBox("can't do export", headline);
    return false;
  }
  KMiscTools::messageBox("export ok", "");
  return true;
}
