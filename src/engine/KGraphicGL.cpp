#include "engine/KGraphicGL.h"

#include "engine/KMiscTools.h"
#include "engine/KPTK.h"
#include "engine/KWindow.h"
#include "engine/KPictureDecoder.h"
#include "engine/KTextureReady.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {
int readLE16(const unsigned char *p) { return p[0] | (p[1] << 8); }
} // namespace

KGraphicGL::KGraphicGL()
    : offscreen(nullptr), mask(nullptr), maskWidth(0), maskHeight(0), hotSpot{0, 0, 0, 0, 0, 0},
      _texture(myWindow ? myWindow->pictureDrawing() : std::weak_ptr<KDrawList>()), _blitter(_texture) {
  if (KGLTexture::screenWidth == 0)
    KMiscTools::messageBox("Screen Dimensions not specified, you will not see anything",
                           "KGraphicGL::SetScreenSize Not Called!");
}

KGraphicGL::~KGraphicGL() {
  delete[] mask;
  mask = nullptr;
  QTDeleteBitmap();
}

unsigned char *KGraphicGL::decodeFile(const char *path) { return KPictureDecoder::decodeFile(path); }

KTextureReady *KGraphicGL::readyFromFile(const char *path, const KTextureOptions &options) {
  return KPictureDecoder::readyFromFile(path, options);
}

bool KGraphicGL::readFile(const char *path, std::vector<char> &data, bool report) {
  return KPictureDecoder::readFile(path, data, report);
}

bool KGraphicGL::loadPicture(const char *path, bool sizedFormat, bool useAlpha) {
  delete[] mask;
  mask = nullptr;
  _texture.freePicture();
  if (!path) return false;
  // Work on a copy: the caller's string stays as it was.
  std::string copy = path;
  bool ok = buildGLTexture(LoadGeneric(&copy[0]), sizedFormat, useAlpha);
  if (!ok) _texture.width = _texture.height = 0;
  return ok;
}

bool KGraphicGL::loadPictureReady(const char *path, KTextureReady *ready, bool sizedFormat, bool useAlpha) {
  // Made with this picture's options, it needs only its upload.
  const bool same = ready && path && !_texture.colorKeyOn && ready->useAlpha == useAlpha && !_texture.wrapAllowed &&
                    KGLTexture::sameRegions(ready->regions, _texture.regions);
  if (same) {
    delete[] mask;
    mask = nullptr;
    _texture.freePicture();
    const bool ok = _texture.installTexture(*ready, sizedFormat, useAlpha);
    delete ready;
    if (!ok) _texture.width = _texture.height = 0;
    return ok;
  }
  delete ready;
  return loadPicture(path, sizedFormat, useAlpha);
}

bool KGraphicGL::loadPictureWithMask(const char *picture, const char *maskFile, bool sizedFormat) {
  delete[] mask;
  mask = nullptr;
  maskWidth = maskHeight = 0;
  _texture.freePicture();
  if (!picture) return false;

  std::string copy;
  if (maskFile) {
    copy = maskFile;
    unsigned char *image = LoadGeneric(&copy[0]);
    if (image) {
      long w = (short)readLE16(image + 12), h = (short)readLE16(image + 14);
      if (w > 0 && h > 0) {
        mask = new (std::nothrow) unsigned char[(size_t)w * (size_t)h];
        if (mask) {
          maskWidth = w;
          maskHeight = h;
          for (long i = 0; i < w * h; ++i) mask[i] = image[18 + i * 4];
        }
      }
      delete[] image;
    }
  }
  copy = picture;
  bool ok = buildGLTexture(LoadGeneric(&copy[0]), sizedFormat, true);
  delete[] mask;
  mask = nullptr;
  maskWidth = maskHeight = 0;
  if (!ok) _texture.width = _texture.height = 0;
  // A picture that did not load is a failure, whatever the mask gave.
  return ok;
}

bool KGraphicGL::loadPictureFromPtr(const char *name, unsigned char *data, unsigned long size, bool sizedFormat,
                                    bool useAlpha) {
  delete[] mask;
  mask = nullptr;
  // Made for empty pictures; a loaded one gives its texture back first instead of leaking it.
  _texture.freePicture();
  std::string copy = name ? name : "";
  if (!data || size == 0 || size > 0x7FFFFFFFul) return false;
  if (!LoadRamPicture(&copy[0], (char *)data, (long)size)) {
    std::fprintf(stderr, "KGraphicGL: cannot decode picture %s: %s\n", copy.c_str(), IMG_GetError());
    QTDeleteBitmap();
    return false;
  }
  bool ok = buildGLTexture(imageFromOffscreen(), sizedFormat, useAlpha);
  if (!ok) _texture.width = _texture.height = 0;
  return ok;
}

unsigned char *KGraphicGL::LoadGeneric(char *path) {
  QTDeleteBitmap();
  if (!path) return nullptr;
  std::vector<char> data;
  if (!readFile(path, data, true)) return nullptr;
  // The decoder is chosen by the lower-case name, as the file was opened.
  std::string name = path;
  K_strlower(&name[0]);
  bool decoded = LoadRamPicture(&name[0], data.data(), (long)data.size());
  if (!decoded) {
    KPictureDecoder::reportDamaged(path, IMG_GetError());
    QTDeleteBitmap();
    return nullptr;
  }
  return imageFromOffscreen();
}

unsigned char *KGraphicGL::imageFromOffscreen() {
  if (!offscreen) return nullptr;
  long w = offscreen->w, h = offscreen->h;
  if (w > 32767 || h > 32767) {
    std::fprintf(stderr, "KGraphicGL: picture of %ldx%ld is too large\n", w, h);
    QTDeleteBitmap();
    return nullptr;
  }
  unsigned char *image = KPictureDecoder::imageOfSurface(offscreen, _texture.colorKeyOn, _texture.keyRed, _texture.keyGreen, _texture.keyBlue);
  if (!image) KMiscTools::messageBox("out of memory (tmpBitmapBits)", "error");
  QTDeleteBitmap();
  return image;
}

bool KGraphicGL::LoadRamPicture(char *name, char *data, long size) {
  if (!data || size <= 0) return false;
  SDL_Surface *converted = KPictureDecoder::decodeSurface(name, data, size);
  if (!converted) return false;
  if (!CreateBitmap((short)(converted->w > 32767 ? 0 : converted->w),
                    (short)(converted->h > 32767 ? 0 : converted->h))) {
    SDL_FreeSurface(converted);
    return false;
  }
  SDL_LockSurface(converted);
  SDL_LockSurface(offscreen);
  for (int y = 0; y < converted->h; ++y)
    std::memcpy((char *)offscreen->pixels + (size_t)y * offscreen->pitch,
                (const char *)converted->pixels + (size_t)y * converted->pitch, (size_t)converted->w * 4);
  SDL_UnlockSurface(offscreen);
  SDL_UnlockSurface(converted);
  SDL_FreeSurface(converted);
  return true;
}

bool KGraphicGL::CreateBitmap(short w, short h) {
  if (w <= 0 || h <= 0) return false;
  QTDeleteBitmap();
  _texture.width = w;
  _texture.height = h;
  offscreen = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!offscreen) {
    KMiscTools::messageBox("erreur", "Impossible to create  GWorld");
    return false;
  }
  return true;
}

void KGraphicGL::QTDeleteBitmap() {
  if (offscreen) SDL_FreeSurface(offscreen);
  offscreen = nullptr;
}

bool KGraphicGL::buildGLTexture(unsigned char *image, bool sizedFormat, bool useAlpha) {
  if (!image) return false;
  KTextureReady ready;
  KTextureOptions o = _texture.textureOptions(useAlpha);
  o.mask = mask;
  o.maskWidth = maskWidth;
  o.maskHeight = maskHeight;
  o.colorKey = _texture.colorKeyOn;
  o.keyRed = _texture.keyRed;
  o.keyGreen = _texture.keyGreen;
  o.keyBlue = _texture.keyBlue;
  if (!ready.prepare(image, o)) return false;
  return _texture.installTexture(ready, sizedFormat, useAlpha);
}

unsigned char *KGraphicGL::LoadTGA(char *path) {
  if (!path) return nullptr;
  FILE *f = std::fopen(path, "rb");
  if (!f) return nullptr;
  std::fseek(f, 0, SEEK_END);
  long size = std::ftell(f);
  if (size <= 0) {
    std::fclose(f);
    KMiscTools::messageBox("file is 0 byte", path);
    return nullptr;
  }
  std::fseek(f, 0, SEEK_SET);
  char tag[4] = {0, 0, 0, 0};
  size_t got = std::fread(tag, 1, 4, f);
  if (got == 4 && std::memcmp(tag, "ship", 4) == 0) {
    size -= 4;
  } else {
    std::fseek(f, 0, SEEK_SET);
  }
  unsigned char *contents = size > 0 ? new (std::nothrow) unsigned char[(size_t)size] : nullptr;
  if (!contents) {
    std::fclose(f);
    KMiscTools::messageBox("Out of memory", path);
    return nullptr;
  }
  if (std::fread(contents, 1, (size_t)size, f) != (size_t)size) {
    std::fclose(f);
    KMiscTools::messageBox("Out of data to read", path);
    delete[] contents;
    return nullptr;
  }
  std::fclose(f);
  return contents;
}

bool KGraphicGL::LoadQuicktimeBitmap(char *path) {
  QTDeleteBitmap();
  // Through the same checked decoding as every other picture: sizes from the header first.
  std::string bytes;
  bool read = false;
  if (FILE *f = path ? std::fopen(path, "rb") : nullptr) {
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof(chunk), f)) > 0) bytes.append(chunk, n);
    read = !std::ferror(f) && !bytes.empty() && bytes.size() <= 0x7FFFFFFFu;
    std::fclose(f);
  }
  if (!read || !LoadRamPicture(path, &bytes[0], (long)bytes.size())) {
    QTDeleteBitmap();
    const std::string headline = std::string("Impossible to load graphic file : ") + (path ? path : "");
    KMiscTools::messageBox("erreur", headline.c_str());
    return false;
  }
  return true;
}

void KGraphicGL::setHotSpot(short a, short b, short c, short d, short e, short f) {
  hotSpot[0] = a;
  hotSpot[1] = b;
  hotSpot[2] = c;
  hotSpot[3] = d;
  hotSpot[4] = e;
  hotSpot[5] = f;
}

void KGraphicGL::freePicture() { _texture.freePicture(); }
float KGraphicGL::getWidth() { return _texture.getWidth(); }
float KGraphicGL::getHeight() { return _texture.getHeight(); }
void KGraphicGL::setTextureQuality(bool linear) { _texture.setTextureQuality(linear); }
bool KGraphicGL::grabBackBuffer(void (*callback)(long, long, long *, long *, long *)) {
  return _texture.grabBackBuffer(callback);
}
bool KGraphicGL::grabFrontBuffer() { return _texture.grabFrontBuffer(); }
void KGraphicGL::setColorKey(bool on, unsigned char red, unsigned char green, unsigned char blue) {
  _texture.setColorKey(on, red, green, blue);
}
void KGraphicGL::allowTextureWrap(bool allow) { _texture.allowTextureWrap(allow); }
bool KGraphicGL::makePictureFromArray(uint32_t *pixels, long w, long h, bool sizedFormat, bool swapBytes) {
  return _texture.makePictureFromArray(pixels, w, h, sizedFormat, swapBytes);
}
void KGraphicGL::pollArray() { _texture.pollArray(); }
void KGraphicGL::selectTexture() { _texture.selectTexture(); }
void KGraphicGL::setRegions(const std::vector<KRegion> &parts) { _texture.setRegions(parts); }
void KGraphicGL::ptk_glBindTexture() { _texture.ptk_glBindTexture(); }

void KGraphicGL::drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) {
  _blitter.drawRect(x1, y1, x2, y2, red, green, blue, alpha);
}
void KGraphicGL::drawLine(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) {
  _blitter.drawLine(x1, y1, x2, y2, red, green, blue, alpha);
}
void KGraphicGL::plotPixel(float x, float y, float red, float green, float blue, float alpha) {
  _blitter.plotPixel(x, y, red, green, blue, alpha);
}
void KGraphicGL::blitRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) {
  _blitter.blitRect(x1, y1, x2, y2, x, y, flipH, flipV);
}
void KGraphicGL::blitRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                            bool flipH, bool flipV, float centreX, float centreY) {
  _blitter.blitRectFx(x1, y1, x2, y2, x, y, angle, zoom, flipH, flipV, centreX, centreY);
}
void KGraphicGL::blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) {
  _blitter.blitAlphaRect(x1, y1, x2, y2, x, y, flipH, flipV);
}
void KGraphicGL::blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                                 float alpha, bool flipH, bool flipV, float centreX, float centreY) {
  _blitter.blitAlphaRectFx(x1, y1, x2, y2, x, y, angle, zoom, alpha, flipH, flipV, centreX, centreY);
}
void KGraphicGL::blitTiledRect(short x, short y, short w, short h, float repeat, float angle) {
  _blitter.blitTiledRect(x, y, w, h, repeat, angle);
}
void KGraphicGL::blitArbitraryQuad(float s1, float s2, float s3, float s4, float s5, float s6, float s7, float s8,
                                   float d1, float d2, float d3, float d4, float d5, float d6, float d7, float d8) {
  _blitter.blitArbitraryQuad(s1, s2, s3, s4, s5, s6, s7, s8, d1, d2, d3, d4, d5, d6, d7, d8);
}
void KGraphicGL::blitRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  _blitter.blitRectF(x1, y1, x2, y2, x, y, flipH, flipV);
}
void KGraphicGL::blitRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                             bool flipH, bool flipV, float centreX, float centreY) {
  _blitter.blitRectFxF(x1, y1, x2, y2, x, y, angle, zoom, flipH, flipV, centreX, centreY);
}
void KGraphicGL::blitAlphaRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  _blitter.blitAlphaRectF(x1, y1, x2, y2, x, y, flipH, flipV);
}
void KGraphicGL::blitAlphaRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                                  float alpha, bool flipH, bool flipV, float centreX, float centreY) {
  _blitter.blitAlphaRectFxF(x1, y1, x2, y2, x, y, angle, zoom, alpha, flipH, flipV, centreX, centreY);
}
void KGraphicGL::setAlphaMode(long mode) { _blitter.setAlphaMode(mode); }
void KGraphicGL::setAlphaMode(long source, long destination) { _blitter.setAlphaMode(source, destination); }
void KGraphicGL::stretchAlphaRect(float x1, float y1, float x2, float y2, float X1, float Y1, float X2, float Y2,
                                  float alpha, float angle, bool flipH, bool flipV) {
  _blitter.stretchAlphaRect(x1, y1, x2, y2, X1, Y1, X2, Y2, alpha, angle, flipH, flipV);
}
void KGraphicGL::setBlitColor(float red, float green, float blue, float alpha) {
  _blitter.setBlitColor(red, green, blue, alpha);
}
void KGraphicGL::blitAlphaRect() { _blitter.blitAlphaRect(); }
void KGraphicGL::blitAlphaRectFxCenterAdjust(float x1, float y1, float x2, float y2, short x, short y, float angle,
                                             float zoom, float alpha, bool centreH, bool centreV) {
  _blitter.blitAlphaRectFxCenterAdjust(x1, y1, x2, y2, x, y, angle, zoom, alpha, centreH, centreV);
}
void KGraphicGL::blitFromBackToBack(short a, short b, short c, short d, short e, short f) {
  _blitter.blitFromBackToBack(a, b, c, d, e, f);
}
