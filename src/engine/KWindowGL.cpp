#include "engine/KWindowGL.h"

#include "engine/KDrawList.h"
#include "engine/KFrameCapture.h"
#include "engine/KGLTexture.h"
#include "engine/KGraphicGL.h"
#include "engine/KInput.h"
#include "engine/KMiscTools.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <thread>

int KWindowGL::_quitGL = 0;
unsigned long KWindowGL::_lastFlipTime = 0;
unsigned long KWindowGL::_screenshotCounter = 0;
KDisplay KWindowGL::_display = {0, 0, 0, 0};

KWindowGL::KWindowGL() : KWindowGL(false) {}
KWindowGL::KWindowGL(bool depthBuffer)
    : _drawingOwner(std::make_shared<KDrawList>()), _drawing(*_drawingOwner), _screen(depthBuffer, _drawing), _events(_quitGL, [this] { _screen.updateView(); }, [this] { _drawing.forgetShown(); }) {
  init();
}

void KWindowGL::init() {
  _refresh = 0;
  _title[0] = 0;
  _minimized = false;
  _frameTime = 0;
  _metalLook = false;
  _drawMouse = false;
  _accelerated = true;
  _gamma = 1.0f;
  _quitGL = 0;
  setMaxFrameRate(100);
}

// The screen part releases the context and the window afterwards.
KWindowGL::~KWindowGL() {
  _events.setCallBack(nullptr);
  _events.setPTKCallBack(nullptr);
  _drawing.forgetPicture();
  KInput::showPointer();
  _quitGL = 0;
  if (KInput::_hwnd == _screen.window()) KInput::_hwnd = nullptr;
  KMiscTools::clearEventPump(this);
}

bool KWindowGL::createGameWindow(short width, short height, short depth, bool windowed, const char *title) {
  std::snprintf(_title, sizeof(_title), "%s", title ? title : "");
  if (!_screen.startVideo()) return false;
  int screenW = width, screenH = height;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    screenW = mode.w;
    screenH = mode.h;
  }

  KMiscTools::initMiscTools();
  if (depth > 32) depth = 32;
  if (depth <= 0) depth = 16;
  _screen.setPictureSize(width, height, depth);

  int left = (screenW - width) / 2;
  int top = (screenH - height) / 2;
  if (!_screen.openWindow(left, top, width, height, depth, _title)) return false;
  // Keys come as keys; the character each types follows as text (KWindowEvents).
  SDL_StartTextInput();
  KMiscTools::setEventPump([this] { dispatchPending(); }, this);
  SDL_Window *window = _screen.window();
  KInput::initInput(window);

  if (!windowed) return _screen.switchToFullScreen();

  SDL_ShowWindow(window);
  SDL_SetWindowTitle(window, _title);
  SDL_RaiseWindow(window);
  _events.setActive(true);
  _screen.makeCurrent();
  _screen.updateView();
  KGraphicGL::setScreenSize(width, height, depth, _drawing);
  _screen.detectCapabilities();
  glEnable(GL_DITHER);
  return true;
}

void KWindowGL::toggleFullScreen(bool fullScreen) { _screen.setFullScreen(fullScreen); }

void KWindowGL::setDefaultWorldView() {
  setWorldView(0, 0, 0, 1, false);
  processEvents();
}

void KWindowGL::setWorldView(float x, float y, float angle, float zoom, bool clear) {
  if (!_screen.hasContext()) return;
  _screen.makeCurrent();
  if (_screen.isFullScreen()) _screen.updateView();
  const int W = _screen.width(), H = _screen.height();
  const int *view = _screen.view();
  const float move[4] = {x, y, angle, zoom};
  _drawing.viewChanged(move, view, W, H);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, W, 0, H, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  if (clear) {
    // What waits in the list was asked for before the clear.
    _drawing.flush();
    const float *colour = _screen.clearColor();
    glClearColor(colour[0], colour[1], colour[2], colour[3]);
    glClear(GL_COLOR_BUFFER_BIT);
    // The bars beside a scaled picture stay black whatever the clear colour.
    if (_screen.isFullScreen()) _screen.clearBars();
    _drawing.cleared(colour);
  }
  glLoadIdentity();
  glTranslatef((float)(W / 2), (float)(H / 2), 0);
  glRotatef(angle, 0, 0, 1);
  glScalef(zoom, zoom, 0);
  glTranslatef(-(float)(W / 2), -(float)(H / 2), 0);
  if (zoom != 0) glTranslatef(x / zoom, y / zoom, 0);
  glDisable(GL_DEPTH_TEST);
  glViewport(view[0], view[1], view[2], view[3]);
  glDisable(GL_DITHER);
  KGLTexture::setViewOneToOne(view[2] == W && view[3] == H && angle == 0 && zoom == 1 && std::floor(x) == x &&
                              std::floor(y) == y);
}

void KWindowGL::setClearColor(float r, float g, float b, float a) {
  const float colour[4] = {r, g, b, a};
  _screen.setClearColor(colour);
}

void KWindowGL::setClipping(long x1, long y1, long x2, long y2) {
  if (!_screen.hasContext()) return;
  _drawing.flush();
  const int *view = _screen.view();
  const int W = _screen.width(), H = _screen.height();
  const double sx = (double)view[2] / W, sy = (double)view[3] / H;
  long w = x2 - x1, h = y2 - y1;
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  // The rectangle's bottom edge is y2 in picture rows, counted from the top.
  glEnable(GL_SCISSOR_TEST);
  glScissor(view[0] + (GLint)std::lround(x1 * sx), view[1] + (GLint)std::lround((H - y2) * sy),
            (GLsizei)std::lround(w * sx), (GLsizei)std::lround(h * sy));
}

void KWindowGL::clearClipping() {
  _drawing.flush();
  if (_screen.hasContext()) glDisable(GL_SCISSOR_TEST);
}

void KWindowGL::beginScene() {
  if (_screen.hasContext()) _drawing.beginScene();
}
void KWindowGL::endScene() {
  if (_screen.hasContext()) _drawing.endScene();
}
void KWindowGL::beginPiece(const void *key) { _drawing.beginPiece(key); }
void KWindowGL::endPiece() { _drawing.endPiece(); }

void KWindowGL::terminate() { _quitGL = 1; }
void KWindowGL::setQuit(bool quit) { _quitGL = quit ? 1 : 0; }
bool KWindowGL::isQuit() { return _quitGL != 0; }

bool KWindowGL::hasFocus() {
  if (_screen.isFullScreen() || !_screen.window()) return true;
  return _events.isActive() && !_minimized;
}

void KWindowGL::setTitle(const char *title) {
  if (!_screen.window()) return;
  std::snprintf(_title, sizeof(_title), "%s", title ? title : "");
  SDL_SetWindowTitle(_screen.window(), _title);
}

SDL_Window *KWindowGL::getWindowHandle() { return _screen.isFullScreen() ? nullptr : _screen.window(); }

void KWindowGL::setMaxFrameRate(long framesPerSecond) {
  _scheduled = false;
  if (framesPerSecond > 0) {
    _frameTime = (unsigned long)(1000 / framesPerSecond);
  } else {
    _frameTime = 0;
    _screen.setSwapInterval(0);
  }
}

bool KWindowGL::getRectangleTexCap() { return _screen.rectangleTextures(); }
bool KWindowGL::getAccelerationCap() { return _accelerated; }
void KWindowGL::setRectangleTexCap(bool cap) { _screen.setRectangleTextures(cap); }
void KWindowGL::setGamma(float gamma) { _gamma = gamma; }
short KWindowGL::getWindowWidth() { return _screen.width(); }
short KWindowGL::getWindowHeight() { return _screen.height(); }

void KWindowGL::minimize() {
  if (_minimized) return;
  _minimized = true;
  if (_screen.window()) SDL_MinimizeWindow(_screen.window());
}

void KWindowGL::restore() {
  if (!_minimized) return;
  _minimized = false;
  if (!_screen.window()) return;
  SDL_RestoreWindow(_screen.window());
  SDL_RaiseWindow(_screen.window());
  _screen.makeCurrent();
  _screen.updateView();
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

void KWindowGL::setCallBack(bool (*callback)(EventRef)) { _events.setCallBack(callback); }
void KWindowGL::setPTKCallBack(bool (*callback)(KEvent *)) { _events.setPTKCallBack(callback); }

void KWindowGL::setScreenSaverInfo(long width, long height) {
  _screen.setPictureSize((short)width, (short)height, _screen.depth());
  KGraphicGL::setScreenSize((short)width, (short)height, 32, _drawing);
}

void KWindowGL::darkenFrame() {
  setDefaultWorldView();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_RECTANGLE_ARB);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  float alpha = 1.0f - _gamma;
  if (alpha < 0) alpha = 0;
  const float W = _screen.width(), H = _screen.height();
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
  _drawing.glState().unknown();
}

void KWindowGL::flipBackBuffer(bool waitWhileInactive, bool resetView) {
  if (!_screen.hasContext()) return;
  if (_drawMouse) {
    setDefaultWorldView();
    KInput::displayMouse();
  }

  long mx = KInput::getMouseX(), my = KInput::getMouseY();
  if (mx < 0 || my < 0 || mx > _screen.width() || my > _screen.height()) {
    if (KInput::_cursorVisibility == 0) {
      KInput::showPointer();
      KInput::_cursorVisibility = 0;
    }
  } else if (KInput::_cursorVisibility == 0) {
    KInput::hidePointer();
  }

  _screen.makeCurrent();
  if (_frameTime != 0) _screen.setSwapInterval(1);
  uint32_t gammaBits = 0;
  if (_gamma < 1.0f) std::memcpy(&gammaBits, &_gamma, sizeof gammaBits);
  // A frame that looks as the one on the screen is neither drawn nor shown again: a still
  // screen costs only its game logic.
  if (_drawing.frameUnchanged(gammaBits)) {
    _drawing.dropFrame();
  } else {
    // Darkened, the whole frame changes.
    _drawing.framePresented(gammaBits == 0 && _screen.presentsParts());
    KGraphicGL::ptk_glUnbindTexture();
    if (_gamma < 1.0f) darkenFrame();
    _screen.present(_drawing.shownParts());
    ++_framesShown;
  }
  // Not in the frames a loading screen shows as fast as it can.
  if (_frameTime != 0) _drawing.warmUp();
  const double ready = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
  if (_frameReadyAt > 0) _longestFrame = std::max(_longestFrame, ready - _frameReadyAt);
  _frameReadyAt = ready;
  processEvents();

  if (_frameTime != 0) waitForSchedule();

  if (resetView) setDefaultWorldView();

  if (!_screen.isFullScreen() && !hasFocus() && waitWhileInactive) {
    do {
      processEvents();
      if (!hasFocus() && !_quitGL) SDL_Delay(5);
    } while (!hasFocus() && !_quitGL);
    KMiscTools::freezeTimer();
    _scheduled = false;
  }
}

double KWindowGL::takeLongestFrame() {
  const double longest = _longestFrame;
  _longestFrame = 0;
  return longest;
}

// Each frame is due one frame time after the one before it, not after the last wait ended, so
// late wake-ups do not add up: a late frame is followed at once by the next until the game is
// back on time. A game further behind than kCatchUpFrames (a stall, a level built) starts a
// fresh schedule instead of rushing out the frames it missed.
void KWindowGL::waitForSchedule() {
  const uint32_t frame = (uint32_t)_frameTime;
  const uint32_t now = (uint32_t)KMiscTools::getMilliseconds();
  // A clock that went back (another clock source) is no schedule to keep either.
  const bool fresh = !_scheduled || (int32_t)(now - _due) > (int32_t)(kCatchUpFrames * frame) ||
                     (int32_t)(_due - now) > (int32_t)frame;
  if (!fresh) {
    int32_t left = (int32_t)(_due - now);
    // One sleep to the last millisecond (events wait in the queue for the next frame), then, as
    // the clock counts whole milliseconds, short naps until it turns.
    if (left > 1) std::this_thread::sleep_for(std::chrono::milliseconds(left - 1));
    while ((int32_t)(_due - (uint32_t)KMiscTools::getMilliseconds()) > 0)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  _lastFlipTime = KMiscTools::getMilliseconds();
  if (fresh) _due = (uint32_t)_lastFlipTime;
  _due += frame;
  _scheduled = true;
}

void KWindowGL::dispatchPending() { _events.handleOne(false); }

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

  _events.handleOne(true);
}

bool KWindowGL::readPixels(int x, int y, int w, int h, unsigned char *rgba, bool front) {
  const int W = _screen.width(), H = _screen.height();
  if (!_screen.hasContext() || !rgba || w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > W || y + h > H) return false;
  _screen.makeCurrent();
  _drawing.flush();
  return KFrameCapture::readPixels(_screen.view(), W, H, x, y, w, h, rgba, front);
}

bool KWindowGL::saveBackBuffer(const char *path, long format, long width, long height) {
  const int W = _screen.width(), H = _screen.height();
  if (!path || W <= 0 || H <= 0) return false;
  unsigned char *pixels = new (std::nothrow) unsigned char[(size_t)W * H * 4];
  if (!pixels) return false;
  bool ok = readPixels(0, 0, W, H, pixels) && KFrameCapture::saveFrame(path, pixels, W, H, format, width, height);
  delete[] pixels;
  return ok;
}

