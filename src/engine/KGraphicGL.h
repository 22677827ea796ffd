#pragma once
#include <cstdint>
#include <vector>

#include "engine/KGraphic.h"
#include "engine/KTextureReady.h"

struct KDrawQuad;

struct SDL_Surface;

// The OpenGL picture. The window tells it the screen size (setScreenSize) and resets the
// bind cache at every flip (ptk_glUnbindTexture). Blits are kept in the frame's draw list
// (KDrawList) and reach GL when something needs the screen.
class KGraphicGL : public KGraphic {
public:
  KGraphicGL();
  ~KGraphicGL() override;

  bool loadPictureWithMask(const char *picture, const char *mask, bool sizedFormat) override;
  bool loadPictureFromPtr(const char *name, unsigned char *data, unsigned long size, bool sizedFormat,
                          bool useAlpha) override;
  bool loadPicture(const char *path, bool sizedFormat, bool useAlpha) override;
  void freePicture() override;
  float getWidth() override;
  float getHeight() override;
  void setTextureQuality(bool linear) override;

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

  bool grabBackBuffer(void (*callback)(long x, long y, long *red, long *green, long *blue)) override;
  bool grabFrontBuffer() override;
  void setColorKey(bool on, unsigned char red, unsigned char green, unsigned char blue) override;
  void allowTextureWrap(bool allow) override;
  void setBlitColor(float red, float green, float blue, float alpha) override;
  bool makePictureFromArray(uint32_t *pixels, long width, long height, bool sizedFormat, bool swapBytes) override;
  void pollArray() override;
  void selectTexture() override;
  void setHotSpot(short a, short b, short c, short d, short e, short f) override;
  void setRegions(const std::vector<KRegion> &parts) override;

  // The whole picture at its own position (the header origin of the loaded image).
  void blitAlphaRect();
  void blitAlphaRectFxCenterAdjust(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                                   float alpha, bool centreH, bool centreV);
  void blitFromBackToBack(short a, short b, short c, short d, short e, short f);

  void ptk_glBindTexture();
  static void ptk_glUnbindTexture();
  static void setScreenSize(short width, short height, short depth);
  // The window says at every view change whether picture pixels land on screen pixels one to one.
  static void setViewOneToOne(bool oneToOne);

  // How non-square or non-power-of-two pictures are stored: 0 picks from the context's
  // capabilities; 1 plain 2-D texture of the picture's own size; 2 rectangle texture;
  // 3 2-D texture padded to a power of two. Tests force each to compare them.
  static void setTextureMode(int mode);
  static int textureMode();

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
  // How this picture lays out its texture, for a worker to make it ready.
  KTextureOptions textureOptions(bool useAlpha) const;
  bool installTexture(KTextureReady &ready, bool sizedFormat, bool useAlpha);
  unsigned char *LoadTGA(char *path);
  bool LoadQuicktimeBitmap(char *path);
  void QTDeleteBitmap();

  // `transformed`: the quad is turned or scaled about its point.
  void GenericBlit(KDrawQuad &q, float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV,
                   bool transformed);
  void GenericBlitF(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV);
  void texturedQuad(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, float w, float h,
                    bool flipH, bool flipV);
  void genericStretchBlit(KDrawQuad &q, float x1, float y1, float x2, float y2, float X1, float Y1, float X2,
                          float Y2, bool flipH, bool flipV);
  // The part of the source rectangle (whole pixels) whose blocks hold a visible pixel; false
  // when none does. A picture without alpha shows everywhere.
  bool visiblePart(int &x1, int &y1, int &x2, int &y2) const;

  unsigned int textureName;
  unsigned char *staging;
  unsigned short blendSource;
  unsigned short blendDest;
  unsigned int target;
  SDL_Surface *offscreen;
  bool colorKeyOn;
  unsigned char keyRed, keyGreen, keyBlue;
  bool wrapAllowed;
  bool blitColorSet;
  float blitRed, blitGreen, blitBlue, blitAlpha;
  unsigned char *mask;
  long maskWidth, maskHeight;
  float width, height;
  float textureWidth, textureHeight;
  float positionX, positionY;
  int hotSpot[6];
  bool quality;
  // The filter the texture keeps between blits; a screen copy filters linearly whatever `quality` says.
  bool filterLinear;
  uint32_t *pixelArray;
  // True when the picture is neither square nor a power of two, so the tiled blit counts in texels.
  bool texelTiling;
  // Which upload the texture holds; a new one for every upload.
  uint64_t contentId = 0;
  // Per kBlock x kBlock block of the texture's picture, rows from the top: whether any pixel
  // shows; blocksWide x blocksHigh pixels are covered.
  static const int kBlock = 8;
  std::vector<unsigned char> opaqueBlocks;
  int blocksAcross = 0;
  int blocksWide = 0, blocksHigh = 0;
  // A packed texture holds only the regions blits use, each at its place in the texture.
  std::vector<KRegion> regions;
  std::vector<KPlacedRegion> placed;
  bool packed = false;

  static short screenWidth, screenHeight, screenDepth;
  static int _oldBindedText;
  static int _graphicQuality;
  static bool _viewOneToOne;

private:
  void chooseStorage(long w, long h);
  bool textureFits(const char *what);
  void applyParams(bool linear);
  static bool sameRegions(const std::vector<KRegion> &a, const std::vector<KRegion> &b);
  const KPlacedRegion *regionOf(float x1, float y1, float x2, float y2) const;
  bool toTexture(float &x1, float &y1, float &x2, float &y2, bool flipH, bool flipV, float &ox, float &oy) const;
  unsigned char *imageFromOffscreen();
  bool grabScreen(bool back, void (*callback)(long, long, long *, long *, long *));
  KDrawQuad quadOf(bool blended) const;
  void setCorner(KDrawQuad &q, int i, float x, float y, float s, float t) const;
  void blitColour(KDrawQuad &q, float alpha, bool scaleBlitAlpha);
  static void setColour(KDrawQuad &q, float red, float green, float blue, float alpha);
  static void setTransform(KDrawQuad &q, float tx, float ty, float angle, float zoom, bool always);
  bool wholePixels(float x1, float y1, float x2, float y2) const;
};
