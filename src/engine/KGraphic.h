#pragma once
#include <cstdint>
#include <vector>

class KTextureReady;

// A part of a picture that blits take their pixels from, in picture pixels.
struct KRegion {
  int x, y, w, h;
};

// Abstract picture: one texture and the drawing operations that use it. Every surface,
// frame and font draws through one. Positions are screen pixels, origin top left, y down.
class KGraphic {
public:
  virtual ~KGraphic() {}

  virtual bool loadPictureWithMask(const char *picture, const char *mask, bool sizedFormat) = 0;
  virtual bool loadPictureFromPtr(const char *name, unsigned char *data, unsigned long size, bool sizedFormat,
                                  bool useAlpha) = 0;
  virtual bool loadPicture(const char *path, bool sizedFormat, bool useAlpha) = 0;
  // loadPicture with the file's texture already made ready on a worker, which the picture takes
  // (and deletes). This picture reads the file again: it has no use for a texture made ready.
  virtual bool loadPictureReady(const char *path, KTextureReady *ready, bool sizedFormat, bool useAlpha);
  virtual void freePicture() = 0;
  virtual float getWidth() = 0;
  virtual float getHeight() = 0;
  virtual void setTextureQuality(bool linear) = 0;

  virtual void drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) = 0;
  virtual void drawLine(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) = 0;
  virtual void plotPixel(float x, float y, float red, float green, float blue, float alpha) = 0;

  virtual void blitRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH = false,
                        bool flipV = false) = 0;
  virtual void blitRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                          bool flipH = false, bool flipV = false, float centreX = 0, float centreY = 0) = 0;
  virtual void blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH = false,
                             bool flipV = false) = 0;
  virtual void blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                               float alpha, bool flipH = false, bool flipV = false, float centreX = 0,
                               float centreY = 0) = 0;
  virtual void blitTiledRect(short x, short y, short w, short h, float repeat, float angle) = 0;
  virtual void blitArbitraryQuad(float s1, float s2, float s3, float s4, float s5, float s6, float s7, float s8,
                                 float d1, float d2, float d3, float d4, float d5, float d6, float d7,
                                 float d8) = 0;
  virtual void blitRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH = false,
                         bool flipV = false) = 0;
  virtual void blitRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                           bool flipH = false, bool flipV = false, float centreX = 0, float centreY = 0) = 0;
  virtual void blitAlphaRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH = false,
                              bool flipV = false) = 0;
  virtual void blitAlphaRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                                float alpha, bool flipH = false, bool flipV = false, float centreX = 0,
                                float centreY = 0) = 0;

  // 0..4 pick a blend pair (1 is the usual source-alpha blend); anything else changes nothing.
  virtual void setAlphaMode(long mode) = 0;
  // Raw OpenGL blend factors.
  virtual void setAlphaMode(long source, long destination) = 0;

  virtual void stretchAlphaRect(float x1, float y1, float x2, float y2, float X1, float Y1, float X2, float Y2,
                                float alpha = 1, float angle = 0, bool flipH = false, bool flipV = false) = 0;

  virtual bool grabBackBuffer(void (*callback)(long x, long y, long *red, long *green, long *blue)) = 0;
  virtual bool grabFrontBuffer() = 0;
  virtual void setColorKey(bool on, unsigned char red, unsigned char green, unsigned char blue) = 0;
  virtual void allowTextureWrap(bool allow) = 0;
  virtual void setBlitColor(float red, float green, float blue, float alpha) = 0;
  // One 32-bit element per pixel; its bytes in memory order are red, green, blue, alpha.
  virtual bool makePictureFromArray(uint32_t *pixels, long width, long height, bool sizedFormat,
                                    bool swapBytes) = 0;
  virtual void pollArray() = 0;
  virtual void selectTexture() = 0;
  virtual void setHotSpot(short a, short b, short c, short d, short e, short f) = 0;
  // Before loading: the only parts of the picture that blits will take pixels from. A picture
  // whose parts cover little of it may keep just those in its texture. Empty: the whole picture.
  virtual void setRegions(const std::vector<KRegion> &) {}
};

// Lower-cases s in place; returns a pointer to its terminating zero (null for null).
char *K_strlower(char *s);
