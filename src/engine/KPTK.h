#pragma once

class KWindow;
class KGraphic;
class KBatch;

enum Erenderer { K_OPENGL = 1 };

// Factory of the engine's platform objects; the caller owns what it gets.
class KPTK {
public:
  KPTK() {}
  ~KPTK() {}

  // The renderer is always OpenGL; depthBuffer asks the context for a 16-bit depth buffer.
  static KWindow *createKWindow(Erenderer renderer, bool depthBuffer = false);
  static KGraphic *createKGraphic();
  static KGraphic *createKGraphic(const char *file);
  static KBatch *createKBatch();
};

// The game's one window.
extern KWindow *myWindow;
