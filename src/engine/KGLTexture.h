#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/KGraphic.h"
#include "engine/KTextureReady.h"

class KDrawList;

// The OpenGL texture behind a picture: how it is stored, its upload (from a picture made
// ready, a pixel array or a screen copy), the packed regions it keeps, and the binding cache
// the window resets at every flip. The window tells it the screen size (setScreenSize); the
// picture is made with the draw list of the window it draws to, and draws nowhere once that
// window is gone.
class KGLTexture {
public:
  explicit KGLTexture(std::weak_ptr<KDrawList> drawing = {});
  ~KGLTexture();
  KGLTexture(const KGLTexture &) = delete;
  KGLTexture &operator=(const KGLTexture &) = delete;

  void freePicture();
  float getWidth() const { return width; }
  float getHeight() const { return height; }
  void setTextureQuality(bool linear);
  bool grabBackBuffer(void (*callback)(long x, long y, long *red, long *green, long *blue));
  bool grabFrontBuffer();
  void setColorKey(bool on, unsigned char red, unsigned char green, unsigned char blue);
  void allowTextureWrap(bool allow);
  bool makePictureFromArray(uint32_t *pixels, long width, long height, bool sizedFormat, bool swapBytes);
  void pollArray();
  void selectTexture();
  void setRegions(const std::vector<KRegion> &parts);

  void ptk_glBindTexture();
  static void ptk_glUnbindTexture();
  static void setScreenSize(short width, short height, short depth, KDrawList &drawing);
  // The window's draw list, where this picture's drawing goes; null once the window is gone.
  std::shared_ptr<KDrawList> drawList() const { return drawing_.lock(); }
  // The window says at every view change whether picture pixels land on screen pixels one to one.
  static void setViewOneToOne(bool oneToOne);

  // How non-square or non-power-of-two pictures are stored: 0 picks from the context's
  // capabilities; 1 plain 2-D texture of the picture's own size; 2 rectangle texture;
  // 3 2-D texture padded to a power of two. Tests force each to compare them.
  static void setTextureMode(int mode);
  static int textureMode();

  // How this picture lays out its texture, for a worker to make it ready.
  KTextureOptions textureOptions(bool useAlpha) const;
  bool installTexture(KTextureReady &ready, bool sizedFormat, bool useAlpha);

  unsigned int textureName;
  unsigned char *staging;
  unsigned int target;
  bool colorKeyOn;
  unsigned char keyRed, keyGreen, keyBlue;
  bool wrapAllowed;
  float width, height;
  float textureWidth, textureHeight;
  float positionX, positionY;
  bool quality;
  // The filter the texture keeps between blits; a screen copy filters linearly whatever `quality` says.
  bool filterLinear;
  uint32_t *pixelArray;
  // True when the picture is neither square nor a power of two, so the tiled blit counts in texels.
  bool texelTiling;
  // Which upload the texture holds; a new one for every upload.
  uint64_t contentId = 0;
  // Per kBlock x kBlock block of the texture's picture, rows from the top: the columns (low
  // byte) and rows (high byte) where a pixel shows, 0 for none; blocksWide x blocksHigh pixels
  // are covered.
  static const int kBlock = 8;
  std::vector<uint16_t> opaqueBlocks;
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

  static bool sameRegions(const std::vector<KRegion> &a, const std::vector<KRegion> &b);
  // What a packed texture keeps of the source rectangle, moved to where it keeps it.
  bool toTexture(float &x1, float &y1, float &x2, float &y2, bool flipH, bool flipV, float &ox, float &oy) const;

private:
  std::weak_ptr<KDrawList> drawing_;

  void flushDrawing();
  void stateUnknown();
  void makeCurrent();
  void chooseStorage(long w, long h);
  bool textureFits(const char *what);
  void applyParams(bool linear);
  const KPlacedRegion *regionOf(float x1, float y1, float x2, float y2) const;
  bool grabScreen(bool back, void (*callback)(long, long, long *, long *, long *));
};
