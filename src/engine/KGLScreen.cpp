#include "engine/KGLScreen.h"

#include "engine/KDisplayWatch.h"
#include "engine/KDrawList.h"
#include "engine/KEndSignal.h"
#include "engine/KGLPresenter.h"
#include "engine/KGraphicGL.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

KGLScreen::KGLScreen(bool depthBuffer, KDrawList &drawing) : _drawing(drawing), _depthBuffer(depthBuffer) {}

KGLScreen::~KGLScreen() {
  delete _presenter;
  if (_context) {
    SDL_GL_MakeCurrent(_window, nullptr);
    SDL_GL_DeleteContext((SDL_GLContext)_context);
    _context = nullptr;
  }
  if (_window) SDL_DestroyWindow(_window);
  _window = nullptr;
  if (_videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

namespace {
// Drivers that draw where no person sees. SDL falls back to them when no display answers, and
// the game would then run on unseen, with nobody to end it.
bool shownToNobody(const char *driver) {
  return !driver || !std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy") ||
         !std::strcmp(driver, "evdev");
}

bool named(const char *variable) {
  const char *value = SDL_getenv(variable);
  return value && *value;
}

// Every driver that shows a window, in SDL's own order, as one list for it to try. The X11 and
// Wayland drivers only where their display is named: unnamed, they only add their complaints.
std::string seenDrivers() {
  std::string list;
  for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
    const char *driver = SDL_GetVideoDriver(i);
    if (shownToNobody(driver) || (!std::strcmp(driver, "x11") && !named("DISPLAY")) ||
        (!std::strcmp(driver, "wayland") && !named("WAYLAND_DISPLAY")))
      continue;
    if (!list.empty()) list += ',';
    list += driver;
  }
  return list;
}
} // namespace

bool KGLScreen::startVideo() {
  if (_videoStarted) return true;
  // A display that drops the connection while the client library writes to it would otherwise
  // end the game by SIGPIPE, silently; ignored, the write fails and the drop is seen as one.
  std::signal(SIGPIPE, SIG_IGN);
  KEndSignal::catchSignals();
  const bool x11 = named("DISPLAY"), wayland = named("WAYLAND_DISPLAY");
  const std::string why = x11 ? std::string("cannot open display ") + SDL_getenv("DISPLAY")
                          : wayland ? std::string("cannot open Wayland display ") + SDL_getenv("WAYLAND_DISPLAY")
                                    : std::string("no display: DISPLAY is not set");
  const char *asked = SDL_getenv("SDL_VIDEODRIVER");
  // A driver asked for by name is the caller's choice, even one that shows nothing.
  const bool byName = asked && *asked;
  {
    const KDisplayWatch watch(x11 || wayland ? why : std::string("cannot start the video driver"));
    if (byName) {
      _videoStarted = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    } else {
      SDL_SetHint(SDL_HINT_VIDEODRIVER, seenDrivers().c_str());
      // A display that answers may still refuse one connection while it is busy: a few tries.
      for (int attempt = 0; (x11 || wayland) && attempt < 3 && !_videoStarted; ++attempt) {
        if (attempt > 0) SDL_Delay(150 * attempt);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) continue;
        if (!shownToNobody(SDL_GetCurrentVideoDriver())) _videoStarted = true;
        else SDL_QuitSubSystem(SDL_INIT_VIDEO);
      }
      SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    }
  }
  if (_videoStarted) return true;
  if (byName) KMiscTools::messageBox("could not create window", "");
  else std::fprintf(stderr, "%s\n", why.c_str());
  return false;
}

bool KGLScreen::openWindow(int left, int top, short width, short height, short depth, const char *title) {
  _fullScreen = false;
  if (!_window) {
    int channel = depth <= 16 ? 5 : 8;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, _depthBuffer ? 16 : 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    _window = SDL_CreateWindow(title, left, top, width, height, SDL_WINDOW_OPENGL);
    if (!_window) {
      KMiscTools::messageBox("could not create window", "");
      return false;
    }
    _context = SDL_GL_CreateContext(_window);
    // Nothing kept for the drawing belongs to the new context.
    _drawing.forgetPicture();
    if (!_context) {
      KMiscTools::messageBox("could not create OpenGL context", "openGL error");
      SDL_DestroyWindow(_window);
      _window = nullptr;
      return false;
    }
    _swapInterval = -1;
    delete _presenter;
    _presenter = new KGLPresenter(_window);
  } else {
    // A second call reuses the window and its context, so loaded pictures stay valid.
    SDL_SetWindowFullscreen(_window, 0);
    SDL_SetWindowBordered(_window, SDL_TRUE);
    SDL_SetWindowSize(_window, width, height);
    SDL_SetWindowPosition(_window, left, top);
  }
  return true;
}

bool KGLScreen::switchToFullScreen() {
  if (!_window || !_context) return false;
  // Fade: the last picture gives way to black before the screen changes.
  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  _drawing.flush();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  present(nullptr);
  _drawing.forgetShown();
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
  KGraphicGL::setScreenSize(_width, _height, _depth, _drawing);
  detectCapabilities();
  clearBars();
  glEnable(GL_DITHER);
  return true;
}

void KGLScreen::setFullScreen(bool fullScreen) {
  if (fullScreen == _fullScreen || !_window) return;
  _drawing.forgetShown();
  if (fullScreen) {
    switchToFullScreen();
  } else {
    _fullScreen = false;
    SDL_SetWindowFullscreen(_window, 0);
    SDL_SetWindowBordered(_window, SDL_TRUE);
    int screenW = _width, screenH = _height;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
      screenW = mode.w;
      screenH = mode.h;
    }
    SDL_SetWindowSize(_window, _width, _height);
    SDL_SetWindowPosition(_window, (screenW - _width) / 2, (screenH - _height) / 2);
    SDL_RaiseWindow(_window);
    KGraphicGL::setScreenSize(_width, _height, _depth, _drawing);
  }
  SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
  updateView();
}

void KGLScreen::letterbox(int outerW, int outerH, int pictureW, int pictureH, int *x, int *y, int *w, int *h) {
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

void KGLScreen::updateView() {
  if (!_window) return;
  int dw = 0, dh = 0, ww = 0, wh = 0;
  SDL_GL_GetDrawableSize(_window, &dw, &dh);
  SDL_GetWindowSize(_window, &ww, &wh);
  if (!_fullScreen) {
    // A window is exactly the picture; while a mode change settles, its old size is no guide.
    dw = ww = _width;
    dh = wh = _height;
  }
  int x, y, w, h;
  letterbox(dw, dh, _width, _height, &x, &y, &w, &h);
  _view[0] = x;
  _view[1] = dh - y - h; // GL counts rows from the bottom
  _view[2] = w;
  _view[3] = h;
  // Mesa's software GL learns of a new window size only at a swap: shown in parts alone, the
  // frames would keep the old size. The swap's back buffer holds nothing known afterwards.
  if (_drawableW && (dw != _drawableW || dh != _drawableH) && _context && presentsParts()) {
    SDL_GL_SwapWindow(_window);
    _drawing.forgetShown();
  }
  _drawableW = dw;
  _drawableH = dh;
  letterbox(ww, wh, _width, _height, &x, &y, &w, &h);
  KInput::setViewMapping(x, y, w, h, _width, _height);
}

void KGLScreen::clearBars() {
  if (!_context) return;
  _drawing.flush();
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

void KGLScreen::detectCapabilities() {
  const char *ext = (const char *)glGetString(GL_EXTENSIONS);
  if (ext && (std::strstr(ext, "GL_EXT_texture_rectangle") || std::strstr(ext, "GL_NV_texture_rectangle")))
    _rectangleTextures = true;
}

void KGLScreen::makeCurrent() {
  if (_window && _context) SDL_GL_MakeCurrent(_window, (SDL_GLContext)_context);
}

void KGLScreen::setSwapInterval(int interval) {
  if (!_context || _swapInterval == interval) return;
  SDL_GL_SetSwapInterval(interval);
  _swapInterval = interval;
}

void KGLScreen::setPictureSize(short width, short height, short depth) {
  _width = width;
  _height = height;
  _depth = depth;
}

void KGLScreen::setClearColor(const float colour[4]) {
  std::memcpy(_clearColor, colour, sizeof _clearColor);
  if (_context) glClearColor(colour[0], colour[1], colour[2], colour[3]);
}

bool KGLScreen::presentsParts() const { return _presenter && _presenter->available(); }

void KGLScreen::present(const std::vector<KPixelBox> *parts) {
  if (!presentsParts()) {
    SDL_GL_SwapWindow(_window);
    // The bars are outside every picture drawn: after a swap they hold whatever they held.
    if (_fullScreen) clearBars();
    return;
  }
  KPixelBox box = {0, 0, _drawableW, _drawableH};
  // A frame shown whole shows the bars too: Mesa may have given the back buffer its new size
  // after the last clear, keeping the old pixels in its corner.
  if ((!parts || parts->empty()) && _fullScreen) clearBars();
  // Every rectangle would be a round trip to the X server: their bounds go in one.
  if (parts && !parts->empty()) {
    box = parts->front();
    for (const KPixelBox &b : *parts) {
      box.x0 = std::min(box.x0, b.x0);
      box.y0 = std::min(box.y0, b.y0);
      box.x1 = std::max(box.x1, b.x1);
      box.y1 = std::max(box.y1, b.y1);
    }
  }
  _presenter->show(box);
}
