#pragma once
#include "engine/KEvent.h"

#include <memory>

struct SDL_Window;
class KDrawList;

// One display mode as enumerateDisplays reports it.
struct KDisplay {
  int32_t width;
  int32_t height;
  int32_t bitsPerPixel;
  int32_t refreshRate;
};

// The game's one window: drawing context, world view, buffer flip with its frame cap, events.
class KWindow {
public:
  virtual void setDefaultWorldView() = 0;
  virtual void setWorldView(float x, float y, float angle, float zoom, bool clear) = 0;
  virtual void setClearColor(float r, float g, float b, float a) = 0;
  virtual ~KWindow();
  virtual bool createGameWindow(short width, short height, short depth, bool windowed, const char *title) = 0;
  virtual void terminate() = 0;
  virtual void toggleFullScreen(bool fullScreen) = 0;
  virtual bool hasFocus() = 0;
  virtual void setTitle(const char *title) = 0;
  virtual void flipBackBuffer(bool waitWhileInactive, bool resetView) = 0;
  virtual void processEvents() = 0;
  virtual bool isQuit() = 0;
  virtual SDL_Window *getWindowHandle() = 0;
  virtual void setMaxFrameRate(long framesPerSecond) = 0;
  // Frames a second the flip waits for; 0 when it never waits.
  virtual long getMaxFrameRate() { return 0; }
  virtual bool getRectangleTexCap() = 0;
  virtual bool getAccelerationCap() = 0;
  virtual void setRectangleTexCap(bool cap) = 0;
  virtual void setGamma(float gamma) = 0;
  virtual short getWindowWidth() = 0;
  virtual short getWindowHeight() = 0;
  virtual void restore() = 0;
  virtual void minimize() = 0;
  virtual bool saveBackBuffer(const char *path, long format, long width, long height) = 0;
  virtual void displayMouse(bool draw) = 0;
  virtual void enumerateDisplays(bool (*callback)(KDisplay *)) = 0;
  virtual void setCallBack(bool (*callback)(EventRef)) = 0;
  virtual void setPTKCallBack(bool (*callback)(KEvent *)) = 0;
  virtual void setQuit(bool quit) = 0;
  virtual void setScreenSaverInfo(long width, long height) = 0;

  // A level's picture of the world: between beginScene and endScene each object's drawing is
  // one piece (beginPiece with the object, endPiece). Pieces that stay the same are drawn once
  // into a kept picture that later frames start from; the screen looks the same either way.
  // Where the pictures made while this window stands send their drawing.
  virtual std::weak_ptr<KDrawList> pictureDrawing() const = 0;
  virtual void beginScene() {}
  virtual void endScene() {}
  virtual void beginPiece(const void *key) {}
  virtual void endPiece() {}
};
