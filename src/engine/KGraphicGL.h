#pragma once
#include <vector>

#include "engine/KGLBlitter.h"
#include "engine/KGLTexture.h"
#include "engine/KGraphic.h"

struct SDL_Surface;

// The OpenGL picture: loads picture files (decoded by KPictureDecoder, or taken ready from the
// workers' prefetch), with an optional mask file and key colour, into its texture (a KGLTexture
// it owns) and draws it through its blitter (a KGLBlitter on that texture).
class KGraphicGL : public KGraphic {
public:
  KGraphicGL();
  ~KGraphicGL() override;
  KGraphicGL(const KGraphicGL &) = delete;
  KGraphicGL &operator=(const KGraphicGL &) = delete;

  bool loadPictureWithMask(const char *picture, const char *mask, bool sizedFormat) override;
  bool loadPictureFromPtr(const char *name, unsigned char *data, unsigned long size, bool sizedFormat,
                          bool useAlpha) override;
  bool loadPicture(const char *path, bool sizedFormat, bool useAlpha) override;
  bool loadPictureReady(const char *path, KTextureReady *ready, bool sizedFormat, bool useAlpha) override;
  void freePicture() override;
  float getWidth() override;
  float getHeight() override;
  void setTextureQuality(bool linear) override;
  void setHotSpot(short a, short b, short c, short d, short e, short f) override;

  void drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) override;
  void drawLine(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) override;
  void plotPixel(float x, float y, float red, float green, float blue, float alpha) override;
  void blitRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH = false,
                bool flipV = false) override;
  void blitRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                  bool flipH = false, bool flipV = false, float centreX = 0, float centreY = 0) override;
  void blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH = false,
                     bool flipV = false) override;
  void blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                       float alpha, bool flipH = false, bool flipV = false, float centreX = 0,
                       float centreY = 0) override;
  void blitTiledRect(short x, short y, short w, short h, float repeat, float angle) override;
  void blitArbitraryQuad(float s1, float s2, float s3, float s4, float s5, float s6, float s7, float s8, float d1,
                         float d2, float d3, float d4, float d5, float d6, float d7, float d8) override;
  void blitRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH = false,
                 bool flipV = false) override;
  void blitRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                   bool flipH = false, bool flipV = false, float centreX = 0, float centreY = 0) override;
  void blitAlphaRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH = false,
                      bool flipV = false) override;
  void blitAlphaRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                        float alpha, bool flipH = false, bool flipV = false, float centreX = 0,
                        float centreY = 0) override;
  void setAlphaMode(long mode) override;
  void setAlphaMode(long source, long destination) override;
  void stretchAlphaRect(float x1, float y1, float x2, float y2, float X1, float Y1, float X2, float Y2,
                        float alpha = 1, float angle = 0, bool flipH = false, bool flipV = false) override;
  void setBlitColor(float red, float green, float blue, float alpha) override;

  bool grabBackBuffer(void (*callback)(long x, long y, long *red, long *green, long *blue)) override;
  bool grabFrontBuffer() override;
  void setColorKey(bool on, unsigned char red, unsigned char green, unsigned char blue) override;
  void allowTextureWrap(bool allow) override;
  bool makePictureFromArray(uint32_t *pixels, long width, long height, bool sizedFormat, bool swapBytes) override;
  void pollArray() override;
  void selectTexture() override;
  void setRegions(const std::vector<KRegion> &parts) override;

  // The whole picture at its own position (the header origin of the loaded image).
  void blitAlphaRect();
  void blitAlphaRectFxCenterAdjust(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                                   float alpha, bool centreH, bool centreV);
  void blitFromBackToBack(short a, short b, short c, short d, short e, short f);

  void ptk_glBindTexture();
  static void ptk_glUnbindTexture() { KGLTexture::ptk_glUnbindTexture(); }
  static void setScreenSize(short width, short height, short depth, KDrawList &drawing) {
    KGLTexture::setScreenSize(width, height, depth, drawing);
  }

  // The parts: how the picture is stored and how it draws.
  KGLTexture &texture() { return _texture; }
  const KGLTexture &texture() const { return _texture; }
  KGLBlitter &blitter() { return _blitter; }

  // Picture image (18-byte TGA-style header, BGR(A) rows bottom first) builders and steps.
  // decodeFile reads and decodes a file without a picture (any thread may call it); null
  // when it cannot, silently.
  static unsigned char *decodeFile(const char *path);
  // The same straight into a texture made ready (no mask, no key colour); null when it cannot.
  static KTextureReady *readyFromFile(const char *path, const KTextureOptions &options);
  static bool readFile(const char *path, std::vector<char> &data, bool report);
  unsigned char *LoadGeneric(char *path);
  bool LoadRamPicture(char *name, char *data, long size);
  bool CreateBitmap(short width, short height);
  bool buildGLTexture(unsigned char *image, bool sizedFormat, bool useAlpha);
  unsigned char *LoadTGA(char *path);
  bool LoadQuicktimeBitmap(char *path);
  void QTDeleteBitmap();

  SDL_Surface *offscreen;
  unsigned char *mask;
  long maskWidth, maskHeight;
  int hotSpot[6];

private:
  unsigned char *imageFromOffscreen();

  KGLTexture _texture;
  KGLBlitter _blitter;
};
