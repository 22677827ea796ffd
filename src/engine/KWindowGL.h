#pragma once
#include "engine/KWindow.h"

union SDL_Event;

// The window on SDL2 with one OpenGL 1.x context. The picture is always width x height
// (800 x 600 for the game); in full screen it is scaled into the middle of the screen and the
// pointer stays in picture coordinates. Keeping one context means textures survive a switch.
class KWindowGL : public KWindow {
public:
  KWindowGL();
  explicit KWindowGL(bool depthBuffer);
  ~KWindowGL() override;

  void setDefaultWorldView() override;
  void setWorldView(float x, float y, float angle, float zoom, bool clear) override;
  void setClearColor(float r, float g, float b, float a) override;
  bool createGameWindow(short width, short height, short depth, bool windowed, const char *title) override;
  void terminate() override;
  void toggleFullScreen(bool fullScreen) override;
  bool hasFocus() override;
  void setTitle(const char *title) override;
  void flipBackBuffer(bool waitWhileInactive, bool resetView) override;
  void processEvents() override;
  bool isQuit() override;
  SDL_Window *getWindowHandle() override;
  void setMaxFrameRate(long framesPerSecond) override;
  long getMaxFrameRate() override { return _frameTime ? (long)(1000 / _frameTime) : 0; }
  bool getRectangleTexCap() override;
  bool getAccelerationCap() override;
  void setRectangleTexCap(bool cap) override;
  void setGamma(float gamma) override;
  short getWindowWidth() override;
  short getWindowHeight() override;
  void restore() override;
  void minimize() override;
  bool saveBackBuffer(const char *path, long format, long width, long height) override;
  void displayMouse(bool draw) override;
  void enumerateDisplays(bool (*callback)(KDisplay *)) override;
  void setCallBack(bool (*callback)(EventRef)) override;
  void setPTKCallBack(bool (*callback)(KEvent *)) override;
  void setQuit(bool quit) override;
  void setScreenSaverInfo(long width, long height) override;
  void beginScene() override;
  void endScene() override;
  void beginPiece(const void *key) override;
  void endPiece() override;

  // Scissor to the picture rectangle (x1, y1)-(x2, y2), y downwards.
  void setClipping(long x1, long y1, long x2, long y2);
  void clearClipping();

  unsigned long getFrameTime() const { return _frameTime; }
  float getGamma() const { return _gamma; }
  bool isFullScreen() const { return _fullScreen; }
  short getWindowDepth() const { return _windowDepth; }

  // Copies a rectangle of the back (or front) buffer in picture coordinates, y downwards,
  // as RGBA rows from the top. False when the rectangle leaves the picture or nothing is open.
  bool readPixels(int x, int y, int w, int h, unsigned char *rgba, bool front = false);

  // Largest rectangle of the picture's proportions centred in outerW x outerH.
  static void letterbox(int outerW, int outerH, int pictureW, int pictureH, int *x, int *y, int *w, int *h);

  // Takes at most one pending event and hands it to the handlers, without the raw callback
  // and the built-in shortcuts (the pump of KMiscTools::pause).
  void dispatchPending();

  static int _quitGL;
  static int hasRectangleText;
  static short _windowWidth;
  static short _windowHeight;
  static short _windowDepth;
  static unsigned long _lastFlipTime;
  static unsigned long _screenshotCounter;
  static KDisplay _display;

private:
  void init(bool depthBuffer);
  bool switchToFullScreen();
  void updateView();
  void clearBars();
  void detectCapabilities();
  void darkenFrame();
  bool pollOne(SDL_Event *ev);
  void dispatch(const SDL_Event &ev, KSystemEvent &sys);
  bool savePicFile(const char *path, unsigned char *bgra, long width, long height, long format);

  void *_context;
  SDL_Window *_window;
  bool (*_sysCallback)(EventRef);
  bool (*_ptkCallback)(KEvent *);
  short _refresh;
  char _title[256];
  bool _minimized;
  unsigned long _frameTime;
  bool _metalLook;
  bool _drawMouse;
  float _clearColor[4];
  bool _fullScreen;
  bool _accelerated;
  bool _depthBuffer;
  float _gamma;
  bool _active;        // has the input focus (tracked from focus events)
  bool _videoStarted;  // this object holds a reference on SDL's video subsystem
  int _swapInterval;
  int _view[4];        // picture placement in the drawable, GL style (x, y from the bottom, w, h)
  int _drawableW, _drawableH;
};
