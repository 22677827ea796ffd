#pragma once
#include "engine/KDrawList.h"
#include "engine/KGLScreen.h"
#include "engine/KWindow.h"
#include "engine/KWindowEvents.h"

// The window on SDL2 with one OpenGL 1.x context. The picture is always width x height
// (800 x 600 for the game); in full screen it is scaled into the middle of the screen and the
// pointer stays in picture coordinates. Keeping one context means textures survive a switch.
// The screen (window, context, placement), the events and the frame's draw list are parts of
// their own.
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
  // Frames put on the screen so far; a frame that looked as the one shown is not counted.
  unsigned long framesShown() const { return _framesShown; }
  // The longest time between two frames ready (shown, or found as on the screen) since the last
  // call, in ms of the steady clock: what a player sees as a stall, a loading screen's frames too.
  double takeLongestFrame();
  float getGamma() const { return _gamma; }
  bool isFullScreen() const { return _screen.isFullScreen(); }
  short getWindowDepth() const { return _screen.depth(); }

  // Copies a rectangle of the back (or front) buffer in picture coordinates, y downwards,
  // as RGBA rows from the top. False when the rectangle leaves the picture or nothing is open.
  bool readPixels(int x, int y, int w, int h, unsigned char *rgba, bool front = false);

  // The frame's draw list (tests and benchmarks look into it).
  KDrawList &drawList() { return _drawing; }
  std::weak_ptr<KDrawList> pictureDrawing() const override { return _drawingOwner; }

  // Takes at most one pending event and hands it to the handlers, without the raw callback
  // and the built-in shortcuts (the pump of KMiscTools::pause).
  void dispatchPending();

  static int _quitGL;
  static unsigned long _lastFlipTime;
  static unsigned long _screenshotCounter;
  static KDisplay _display;

private:
  void init();
  void darkenFrame();
  void waitForSchedule();

  // Frames a game behind its schedule may catch up on before the schedule starts afresh.
  static const uint32_t kCatchUpFrames = 10;

  // The frame's drawing on its way to the screen's context; every picture made while the window
  // stands draws into it, and draws nowhere once the window is gone.
  std::shared_ptr<KDrawList> _drawingOwner;
  KDrawList &_drawing;
  KGLScreen _screen;
  KWindowEvents _events;
  short _refresh;
  char _title[256];
  bool _minimized;
  unsigned long _frameTime;
  bool _metalLook;
  bool _drawMouse;
  bool _accelerated;
  float _gamma;
  // When the next frame is due, on the frame schedule (KMiscTools milliseconds).
  uint32_t _due = 0;
  bool _scheduled = false;
  unsigned long _framesShown = 0;
  double _frameReadyAt = 0, _longestFrame = 0;
};
