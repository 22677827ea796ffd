#pragma once
#include "engine/KFrameCache.h"

struct SDL_Window;

// Shows a rectangle of a window's back buffer on the screen without a swap, where the X server's
// GL offers it (GLX_MESA_copy_sub_buffer) and the renderer is a software one: there a frame that
// changes in a few places costs only those places, and the back buffer keeps every pixel for the
// next frame to build on. Elsewhere it is not available and the window swaps whole frames.
class KGLPresenter {
public:
  // With the window's context current.
  explicit KGLPresenter(SDL_Window *window);
  bool available() const { return copy != nullptr && allowed; }
  // A rectangle in GL window pixels (x, y from the bottom).
  void show(const KPixelBox &box);

private:
  using CopySubBuffer = void (*)(void *display, unsigned long drawable, int x, int y, int w, int h);
  CopySubBuffer copy = nullptr;
  void *display = nullptr;
  unsigned long drawable = 0;
  bool allowed = true;
};
