#pragma once
#include "engine/KDrawList.h"

struct SDL_Window;

// The SDL window with its one OpenGL context, the switch between a window and full screen,
// and where the picture sits in the drawable: in full screen it is scaled into the middle of
// the screen with black bars beside it. Holds the draw list of that context, which pictures
// draw into while it lives. Releases the context, the window and its hold on SDL's video
// subsystem when it goes.
class KGLScreen {
public:
  // Largest rectangle of the picture's proportions centred in outerW x outerH.
  static void letterbox(int outerW, int outerH, int pictureW, int pictureH, int *x, int *y, int *w, int *h);

protected:
  explicit KGLScreen(bool depthBuffer);
  ~KGLScreen();
  KGLScreen(const KGLScreen &) = delete;
  KGLScreen &operator=(const KGLScreen &) = delete;

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

  static int hasRectangleText;
  static short _windowWidth;
  static short _windowHeight;
  static short _windowDepth;

  void *_context = nullptr;
  SDL_Window *_window = nullptr;
  float _clearColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  bool _fullScreen = false;
  bool _depthBuffer;
  bool _videoStarted = false; // this object holds a reference on SDL's video subsystem
  int _swapInterval = -1;
  int _view[4] = {0, 0, 1, 1}; // picture placement in the drawable, GL style (x, y from the bottom, w, h)
  int _drawableW = 0, _drawableH = 0;
  // The frame's drawing on its way to this context; every picture draws into it.
  KDrawList _drawing;
};
