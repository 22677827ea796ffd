#pragma once
#include <vector>

#include "engine/KFrameCache.h"

struct SDL_Window;
class KDrawList;
class KGLPresenter;

// The SDL window with its one OpenGL context, the switch between a window and full screen,
// and where the picture (width x height) sits in the drawable: in full screen it is scaled into
// the middle of the screen with black bars beside it. Draws through the window's draw list,
// which pictures draw into while the screen lives. Releases the context, the window and its hold
// on SDL's video subsystem when it goes.
class KGLScreen {
public:
  KGLScreen(bool depthBuffer, KDrawList &drawing);
  ~KGLScreen();
  KGLScreen(const KGLScreen &) = delete;
  KGLScreen &operator=(const KGLScreen &) = delete;

  // Largest rectangle of the picture's proportions centred in outerW x outerH.
  static void letterbox(int outerW, int outerH, int pictureW, int pictureH, int *x, int *y, int *w, int *h);

  // Takes a hold on SDL's video subsystem once; false (with a message box) when it won't start.
  bool startVideo();
  // Creates the window and its context at (left, top), or reuses them, so loaded pictures stay
  // valid, as a plain window of the new size.
  bool openWindow(int left, int top, short width, short height, short depth, const char *title);
  bool switchToFullScreen();
  void setFullScreen(bool fullScreen);
  void updateView();
  void clearBars();
  void detectCapabilities();
  void makeCurrent();
  // Asks for waiting on the display's refresh (1) or not (0) when that changes.
  void setSwapInterval(int interval);
  // Puts the back buffer on the screen: all of it, or with `parts` only where those rectangles
  // (GL window pixels) lie, which needs presentsParts(). The back buffer keeps its pixels either
  // way when parts can be shown.
  void present(const std::vector<KPixelBox> *parts);
  // True when rectangles of the back buffer can be shown on their own (a software renderer,
  // where every pixel drawn costs the processor).
  bool presentsParts() const;

  void setPictureSize(short width, short height, short depth);
  short width() const { return _width; }
  short height() const { return _height; }
  short depth() const { return _depth; }
  void setClearColor(const float colour[4]);
  const float *clearColor() const { return _clearColor; }
  SDL_Window *window() const { return _window; }
  bool hasContext() const { return _context != nullptr; }
  bool isFullScreen() const { return _fullScreen; }
  // Picture placement in the drawable, GL style (x, y from the bottom, w, h).
  const int *view() const { return _view; }
  bool rectangleTextures() const { return _rectangleTextures; }
  void setRectangleTextures(bool on) { _rectangleTextures = on; }

private:
  KDrawList &_drawing;
  KGLPresenter *_presenter = nullptr;
  void *_context = nullptr;
  SDL_Window *_window = nullptr;
  float _clearColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  bool _fullScreen = false;
  bool _depthBuffer;
  bool _videoStarted = false; // this object holds a reference on SDL's video subsystem
  bool _rectangleTextures = false;
  int _swapInterval = -1;
  short _width = 0, _height = 0, _depth = 0;
  int _view[4] = {0, 0, 1, 1};
  int _drawableW = 0, _drawableH = 0;
};
