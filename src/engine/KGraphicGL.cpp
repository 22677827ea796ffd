#include "engine/KGraphicGL.h"

#include "engine/KDrawList.h"
#include "engine/KMiscTools.h"
#include "engine/KPrefetch.h"
#include "engine/KResource.h"
#include "engine/KTextureReady.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#ifndef GL_TEXTURE_RECTANGLE_EXT
#define GL_TEXTURE_RECTANGLE_EXT 0x84F5
#endif
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

short KGraphicGL::screenWidth = 0;
short KGraphicGL::screenHeight = 0;
short KGraphicGL::screenDepth = 0;
int KGraphicGL::_oldBindedText = -1;
int KGraphicGL::_graphicQuality = 1;
bool KGraphicGL::_viewOneToOne = false;

namespace {
const int kModeAuto = 0, kModeNpot = 1, kModeRectangle = 2, kModePow2 = 3;
int g_forcedMode = kModeAuto;
int g_probedMode = kModeAuto; // resolved once a context answers
bool g_hasRectangle = false;

bool hasExtension(const char *list, const char *name) {
  if (!list) return false;
  size_t n = std::strlen(name);
  for (const char *p = std::strstr(list, name); p; p = std::strstr(p + 1, name)) {
    bool startOk = p == list || p[-1] == ' ';
    bool endOk = p[n] == 0 || p[n] == ' ';
    if (startOk && endOk) return true;
  }
  return false;
}

void probeContext() {
  if (g_probedMode != kModeAuto) return;
  const char *version = (const char *)glGetString(GL_VERSION);
  const char *ext = (const char *)glGetString(GL_EXTENSIONS);
  if (!version) return; // no context yet; ask again next time
  g_hasRectangle = hasExtension(ext, "GL_ARB_texture_rectangle") || hasExtension(ext, "GL_EXT_texture_rectangle") ||
                   hasExtension(ext, "GL_NV_texture_rectangle");
  bool npot = std::atoi(version) >= 2 || hasExtension(ext, "GL_ARB_texture_non_power_of_two");
  g_probedMode = npot ? kModeNpot : (g_hasRectangle ? kModeRectangle : kModePow2);
}

int resolvedMode() {
  probeContext();
  if (g_forcedMode != kModeAuto) return g_forcedMode;
  return g_probedMode == kModeAuto ? kModeNpot : g_probedMode;
}

void disableTargets() {
  glDisable(GL_TEXTURE_2D);
  if (g_hasRectangle) glDisable(GL_TEXTURE_RECTANGLE_EXT);
}

// Binds a texture for work on it (not drawing): what was drawn is sent first.
void makeCurrent(GLenum target, GLuint name) {
  KDrawList::flush();
  disableTargets();
  glEnable(target);
  glBindTexture(target, name);
  KDrawList::stateUnknown();
  KGraphicGL::_oldBindedText = (int)name;
}

long pow2Size(long w, long h) {
  long size = 4;
  long m = w > h ? w : h;
  while (m > size) size *= 2;
  return size;
}

long pow2Up(long v) {
  long s = 1;
  while (s < v) s *= 2;
  return s;
}

int readLE16(const unsigned char *p) { return p[0] | (p[1] << 8); }

// SDL_image reads TGA pixel data without checking that it is all there, so a short or
// hollow file is refused here before it is decoded.
bool tgaLooksWhole(const unsigned char *d, long size) {
  if (size < 18) {
    SDL_SetError("TGA header cut short");
    return false;
  }
  int idLength = d[0], mapType = d[1], type = d[2];
  long mapLength = readLE16(d + 5), mapEntryBits = d[7];
  long w = readLE16(d + 12), h = readLE16(d + 14);
  int bits = d[16];
  bool rle = type >= 9 && type <= 11;
  if ((type < 1 || type > 3) && !rle) {
    SDL_SetError("TGA image type %d is not supported", type);
    return false;
  }
  if (w <= 0 || h <= 0 || bits == 0 || bits > 32) {
    SDL_SetError("TGA header is not valid");
    return false;
  }
  long pos = 18 + idLength + (mapType ? mapLength * ((mapEntryBits + 7) / 8) : 0);
  long bytes = (bits + 7) / 8;
  long pixels = w * h;
  if (!rle) {
    if (pos + pixels * bytes > size) {
      SDL_SetError("TGA pixel data cut short");
      return false;
    }
    return true;
  }
  while (pixels > 0) {
    if (pos >= size) break;
    int packet = d[pos++];
    long count = (packet & 0x7F) + 1;
    pos += (packet & 0x80) ? bytes : count * bytes;
    pixels -= count;
  }
  if (pixels > 0 || pos > size) {
    SDL_SetError("TGA pixel data cut short");
    return false;
  }
  return true;
}

// Decoders allocate the whole picture as its header declares before reading a pixel, so a few
// hundred bytes can ask for gigabytes; no picture of the game comes near this side.
const long kMaxPictureSide = 4096;

enum class PictureKind { Png, Jpeg, Tga, Bmp, Other };

long readBE16(const unsigned char *p) { return (long)p[0] << 8 | p[1]; }
long readBE32(const unsigned char *p) { return (long)p[0] << 24 | (long)p[1] << 16 | (long)p[2] << 8 | p[3]; }
long readLE32(const unsigned char *p) {
  return (long)(int32_t)((uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24);
}

// The frame header (SOFn) gives the size; markers before it are stepped over by their lengths.
bool jpegSize(const unsigned char *d, long size, long &w, long &h) {
  if (size < 4 || d[0] != 0xFF || d[1] != 0xD8) return false;
  long i = 2;
  while (i < size) {
    if (d[i] != 0xFF) {
      ++i; // stray bytes between segments, which the decoder skips too
      continue;
    }
    while (i < size && d[i] == 0xFF) ++i;
    if (i >= size) return false;
    int marker = d[i];
    if (marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7)) {
      ++i;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA || i + 2 >= size) return false;
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      if (i + 7 >= size) return false;
      h = readBE16(d + i + 4);
      w = readBE16(d + i + 6);
      return true;
    }
    i += 1 + readBE16(d + i + 1);
  }
  return false;
}

// The side lengths the header declares; false when it gives none.
bool declaredSize(PictureKind kind, const unsigned char *d, long size, long &w, long &h) {
  switch (kind) {
  case PictureKind::Png:
    if (size < 24 || std::memcmp(d + 12, "IHDR", 4) != 0) return false;
    w = readBE32(d + 16);
    h = readBE32(d + 20);
    return true;
  case PictureKind::Jpeg:
    return jpegSize(d, size, w, h);
  case PictureKind::Tga:
    if (size < 18) return false;
    w = readLE16(d + 12);
    h = readLE16(d + 14);
    return true;
  case PictureKind::Bmp:
    if (size < 26) return false;
    if (readLE32(d + 14) == 12) {
      w = readLE16(d + 18);
      h = readLE16(d + 20);
    } else {
      // A negative height stores the rows top first.
      w = readLE32(d + 18);
      h = readLE32(d + 22);
      if (h < 0) h = -h;
    }
    return true;
  case PictureKind::Other:
    break;
  }
  return false;
}

bool sidesFit(long w, long h) {
  if (w <= kMaxPictureSide && h <= kMaxPictureSide) return true;
  SDL_SetError("picture of %ldx%ld is larger than %ld a side", w, h, kMaxPictureSide);
  return false;
}

// A picture file's bytes decoded into a surface of 32-bit ARGB pixels, or null (the reason in
// SDL's error). The name picks the decoder, which takes only its own format; other names go by
// content. Only the file's own name counts: the install folder may have any name.
SDL_Surface *decodeRaw(const char *name, const char *data, long size) {
  SDL_RWops *rw = SDL_RWFromConstMem(data, (int)size);
  if (!rw) return nullptr;
  const char *file = name ? std::strrchr(name, '/') : nullptr;
  file = file ? file + 1 : name;
  PictureKind kind = PictureKind::Other;
  if (file && std::strstr(file, ".jpg")) {
    kind = PictureKind::Jpeg;
  } else if (file && std::strstr(file, ".tga")) {
    kind = PictureKind::Tga;
  } else if (file && std::strstr(file, ".png")) {
    kind = PictureKind::Png;
  } else {
    kind = IMG_isPNG(rw)   ? PictureKind::Png
           : IMG_isJPG(rw) ? PictureKind::Jpeg
           : IMG_isBMP(rw) ? PictureKind::Bmp
                           : PictureKind::Other;
  }

  const unsigned char *bytes = (const unsigned char *)data;
  long w = 0, h = 0;
  bool sized = declaredSize(kind, bytes, size, w, h);
  if (kind != PictureKind::Other && !sized) SDL_SetError("picture header gives no size");
  SDL_Surface *decoded = nullptr;
  // Only the formats whose header has given the size above are decoded, each by its own decoder.
  if (kind == PictureKind::Other)
    SDL_SetError("not a PNG, JPEG, TGA or BMP picture");
  else if (sized && sidesFit(w, h)) {
    switch (kind) {
    case PictureKind::Jpeg:
      decoded = IMG_isJPG(rw) ? IMG_LoadJPG_RW(rw) : nullptr;
      break;
    case PictureKind::Tga:
      decoded = tgaLooksWhole(bytes, size) ? IMG_LoadTGA_RW(rw) : nullptr;
      break;
    case PictureKind::Png:
      decoded = IMG_isPNG(rw) ? IMG_LoadPNG_RW(rw) : nullptr;
      break;
    case PictureKind::Bmp:
      decoded = IMG_LoadBMP_RW(rw);
      break;
    case PictureKind::Other:
      break;
    }
  }
  SDL_RWclose(rw);
  if (!decoded) return nullptr;
  // Formats whose header is not read here are held to the same bound once decoded.
  if (!sidesFit(decoded->w, decoded->h)) {
    SDL_FreeSurface(decoded);
    return nullptr;
  }
  return decoded;
}

SDL_Surface *decodeSurface(const char *name, const char *data, long size) {
  SDL_Surface *decoded = decodeRaw(name, data, size);
  if (!decoded) return nullptr;
  SDL_Surface *converted = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(decoded);
  return converted;
}

// RGBA rows from the top, as the texture takes them; RGB pictures are opaque. Null without memory.
unsigned char *rgbaOfSurface(SDL_Surface *surface) {
  const long w = surface->w, h = surface->h;
  SDL_Surface *source = surface;
  const Uint32 format = surface->format->format;
  const bool rgb = format == SDL_PIXELFORMAT_RGB24 || format == SDL_PIXELFORMAT_BGR24;
  if (format != SDL_PIXELFORMAT_RGBA32 && !rgb) {
    source = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    if (!source) return nullptr;
  }
  unsigned char *out = new (std::nothrow) unsigned char[(size_t)w * (size_t)h * 4];
  if (out) {
    SDL_LockSurface(source);
    for (long y = 0; y < h; ++y) {
      const unsigned char *row = (const unsigned char *)source->pixels + y * source->pitch;
      unsigned char *o = out + y * w * 4;
      if (!rgb) {
        std::memcpy(o, row, (size_t)w * 4);
        continue;
      }
      const bool bgr = format == SDL_PIXELFORMAT_BGR24;
      for (long x = 0; x < w; ++x, row += 3, o += 4) {
        o[0] = bgr ? row[2] : row[0];
        o[1] = row[1];
        o[2] = bgr ? row[0] : row[2];
        o[3] = 255;
      }
    }
    SDL_UnlockSurface(source);
  }
  if (source != surface) SDL_FreeSurface(source);
  return out;
}

// The image a picture is built from: an 18-byte TGA-style header and BGRA rows bottom first,
// the key colour made transparent when asked. Null without memory.
unsigned char *imageOfSurface(SDL_Surface *surface, bool keyOn, unsigned char keyRed, unsigned char keyGreen,
                              unsigned char keyBlue) {
  long w = surface->w, h = surface->h;
  if (w > 32767 || h > 32767) return nullptr;
  unsigned char *image = new (std::nothrow) unsigned char[18 + (size_t)w * (size_t)h * 4]();
  if (!image) return nullptr;
  image[12] = (unsigned char)(w & 0xFF);
  image[13] = (unsigned char)(w >> 8);
  image[14] = (unsigned char)(h & 0xFF);
  image[15] = (unsigned char)(h >> 8);
  image[16] = 32;
  SDL_LockSurface(surface);
  const unsigned char *pixels = (const unsigned char *)surface->pixels;
  int pitch = surface->pitch;
  for (long k = 0; k < h; ++k) {
    const uint32_t *row = (const uint32_t *)(pixels + (h - 1 - k) * pitch);
    unsigned char *out = image + 18 + k * w * 4;
    for (long x = 0; x < w; ++x) {
      uint32_t v = row[x];
      unsigned char a = (unsigned char)(v >> 24), r = (unsigned char)(v >> 16), g = (unsigned char)(v >> 8),
                    b = (unsigned char)v;
      if (keyOn && r == keyRed && g == keyGreen && b == keyBlue) a = 0;
      out[x * 4 + 0] = b;
      out[x * 4 + 1] = g;
      out[x * 4 + 2] = r;
      out[x * 4 + 3] = a;
    }
  }
  SDL_UnlockSurface(surface);
  return image;
}
} // namespace

KGraphicGL::KGraphicGL()
    : textureName(0), staging(nullptr), blendSource(GL_SRC_ALPHA), blendDest(GL_ONE_MINUS_SRC_ALPHA),
      target(GL_TEXTURE_2D), offscreen(nullptr), colorKeyOn(false), keyRed(0), keyGreen(0), keyBlue(0),
      wrapAllowed(false), blitColorSet(false), blitRed(1), blitGreen(1), blitBlue(1), blitAlpha(1), mask(nullptr),
      maskWidth(0), maskHeight(0), width(0), height(0), textureWidth(0), textureHeight(0), positionX(0),
      positionY(0), hotSpot{0, 0, 0, 0, 0, 0}, quality(false), filterLinear(false), pixelArray(nullptr),
      texelTiling(false) {
  if (screenWidth == 0)
    KMiscTools::messageBox("Screen Dimensions not specified, you will not see anything",
                           "KGraphicGL::SetScreenSize Not Called!");
}

KGraphicGL::~KGraphicGL() {
  delete[] staging;
  staging = nullptr;
  freePicture();
  delete[] mask;
  mask = nullptr;
  QTDeleteBitmap();
}

void KGraphicGL::setScreenSize(short w, short h, short depth) {
  KDrawList::flush();
  screenWidth = w;
  screenHeight = h;
  screenDepth = depth;
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
  KDrawList::stateUnknown();
}

void KGraphicGL::setTextureMode(int mode) {
  g_forcedMode = (mode >= kModeNpot && mode <= kModePow2) ? mode : kModeAuto;
  if (g_forcedMode == kModeRectangle) probeContext();
}

int KGraphicGL::textureMode() { return resolvedMode(); }

void KGraphicGL::setViewOneToOne(bool oneToOne) { _viewOneToOne = oneToOne; }

void KGraphicGL::ptk_glBindTexture() { makeCurrent(target, textureName); }

void KGraphicGL::ptk_glUnbindTexture() { _oldBindedText = -37; }

void KGraphicGL::chooseStorage(long w, long h) {
  long size = pow2Size(w, h);
  texelTiling = !(w == size && h == w);
  if (!texelTiling) {
    target = GL_TEXTURE_2D;
    textureWidth = textureHeight = (float)size;
    return;
  }
  switch (resolvedMode()) {
  case kModeRectangle:
    target = GL_TEXTURE_RECTANGLE_EXT;
    textureWidth = (float)w;
    textureHeight = (float)h;
    break;
  case kModePow2:
    target = GL_TEXTURE_2D;
    textureWidth = (float)pow2Up(w);
    textureHeight = (float)pow2Up(h);
    break;
  default:
    target = GL_TEXTURE_2D;
    textureWidth = (float)w;
    textureHeight = (float)h;
    break;
  }
}

bool KGraphicGL::textureFits(const char *what) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (maxSize > 0 && (textureWidth > (float)maxSize || textureHeight > (float)maxSize)) {
    std::fprintf(stderr, "KGraphicGL: %s is %dx%d, larger than the largest texture (%d)\n", what ? what : "picture",
                 (int)width, (int)height, (int)maxSize);
    return false;
  }
  return true;
}

// The bound texture's filter and wrap as this picture draws.
void KGraphicGL::applyParams(bool linear) {
  KDrawList::setTextureParams(textureName, target, linear, wrapAllowed && target == GL_TEXTURE_2D);
}


// ---- loading ----

bool KGraphicGL::loadPicture(const char *path, bool sizedFormat, bool useAlpha) {
  delete[] mask;
  mask = nullptr;
  freePicture();
  if (!path) return false;
  // A picture made ready on a worker (with this picture's options) needs only its upload.
  if (!colorKeyOn) {
    KTextureReady *ready = KPrefetch::take(path);
    bool same = ready && ready->useAlpha == useAlpha && !wrapAllowed && sameRegions(ready->regions, regions);
    bool ok = same && installTexture(*ready, sizedFormat, useAlpha);
    delete ready;
    if (ok) return true;
    if (same) {
      width = height = 0;
      return false;
    }
  }
  // Work on a copy: the caller's string stays as it was.
  std::string copy = path;
  bool ok = buildGLTexture(LoadGeneric(&copy[0]), sizedFormat, useAlpha);
  if (!ok) width = height = 0;
  return ok;
}

bool KGraphicGL::loadPictureWithMask(const char *picture, const char *maskFile, bool sizedFormat) {
  delete[] mask;
  mask = nullptr;
  maskWidth = maskHeight = 0;
  freePicture();
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
  if (!ok) width = height = 0;
  // A picture that did not load is a failure, whatever the mask gave.
  return ok;
}

bool KGraphicGL::loadPictureFromPtr(const char *name, unsigned char *data, unsigned long size, bool sizedFormat,
                                    bool useAlpha) {
  delete[] mask;
  mask = nullptr;
  // Made for empty pictures; a loaded one gives its texture back first instead of leaking it.
  freePicture();
  std::string copy = name ? name : "";
  if (!data || size == 0 || size > 0x7FFFFFFFul) return false;
  if (!LoadRamPicture(&copy[0], (char *)data, (long)size)) {
    std::fprintf(stderr, "KGraphicGL: cannot decode picture %s: %s\n", copy.c_str(), IMG_GetError());
    QTDeleteBitmap();
    return false;
  }
  bool ok = buildGLTexture(imageFromOffscreen(), sizedFormat, useAlpha);
  if (!ok) width = height = 0;
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
    std::fprintf(stderr, "KGraphicGL: cannot decode picture %s: %s\n", path, IMG_GetError());
    QTDeleteBitmap();
    return nullptr;
  }
  return imageFromOffscreen();
}

bool KGraphicGL::readFile(const char *path, std::vector<char> &data, bool report) {
  KResource res;
  if (res.open(path, K_RES_READ) != K_RES_OK) {
    if (report) std::fprintf(stderr, "KGraphicGL: cannot open picture %s\n", path);
    return false;
  }
  int size = 0;
  if (res.seek(K_RES_END, 0) != K_RES_OK || res.tell(size) != K_RES_OK || size <= 0) {
    if (report) std::fprintf(stderr, "KGraphicGL: picture %s is empty\n", path);
    return false;
  }
  res.seek(K_RES_BEGIN, 0);
  try {
    data.resize((size_t)size);
  } catch (const std::bad_alloc &) {
    return false;
  }
  int code = res.read(data.data(), (unsigned long)size);
  res.close();
  if (code != K_RES_OK) {
    if (report) std::fprintf(stderr, "KGraphicGL: cannot read picture %s\n", path);
    return false;
  }
  return true;
}

KTextureReady *KGraphicGL::readyFromFile(const char *path, const KTextureOptions &options) {
  std::vector<char> data;
  if (!path || !readFile(path, data, false)) return nullptr;
  std::string name = path;
  K_strlower(&name[0]);
  SDL_Surface *surface = decodeRaw(name.c_str(), data.data(), (long)data.size());
  if (!surface) return nullptr;
  const long w = surface->w, h = surface->h;
  KTextureReady *ready = new (std::nothrow) KTextureReady();
  bool ok = false;
  if (ready && surface->format->format == SDL_PIXELFORMAT_RGBA32) {
    SDL_LockSurface(surface);
    ok = ready->fromRows((const unsigned char *)surface->pixels, surface->pitch, w, h, options);
    SDL_UnlockSurface(surface);
  } else if (ready) {
    ok = ready->adopt(rgbaOfSurface(surface), w, h, options);
  }
  SDL_FreeSurface(surface);
  if (ok) return ready;
  delete ready;
  return nullptr;
}

unsigned char *KGraphicGL::decodeFile(const char *path) {
  std::vector<char> data;
  if (!path || !readFile(path, data, false)) return nullptr;
  std::string name = path;
  K_strlower(&name[0]);
  SDL_Surface *surface = decodeSurface(name.c_str(), data.data(), (long)data.size());
  if (!surface) return nullptr;
  unsigned char *image = imageOfSurface(surface, false, 0, 0, 0);
  SDL_FreeSurface(surface);
  return image;
}

unsigned char *KGraphicGL::imageFromOffscreen() {
  if (!offscreen) return nullptr;
  long w = offscreen->w, h = offscreen->h;
  if (w > 32767 || h > 32767) {
    std::fprintf(stderr, "KGraphicGL: picture of %ldx%ld is too large\n", w, h);
    QTDeleteBitmap();
    return nullptr;
  }
  unsigned char *image = imageOfSurface(offscreen, colorKeyOn, keyRed, keyGreen, keyBlue);
  if (!image) KMiscTools::messageBox("out of memory (tmpBitmapBits)", "error");
  QTDeleteBitmap();
  return image;
}

bool KGraphicGL::LoadRamPicture(char *name, char *data, long size) {
  if (!data || size <= 0) return false;
  SDL_Surface *converted = decodeSurface(name, data, size);
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
  width = w;
  height = h;
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
  KTextureOptions o = textureOptions(useAlpha);
  o.mask = mask;
  o.maskWidth = maskWidth;
  o.maskHeight = maskHeight;
  o.colorKey = colorKeyOn;
  o.keyRed = keyRed;
  o.keyGreen = keyGreen;
  o.keyBlue = keyBlue;
  if (!ready.prepare(image, o)) return false;
  return installTexture(ready, sizedFormat, useAlpha);
}

KTextureOptions KGraphicGL::textureOptions(bool useAlpha) const {
  KTextureOptions o;
  o.storage = resolvedMode();
  o.useAlpha = useAlpha;
  o.wrap = wrapAllowed;
  o.regions = regions;
  return o;
}

bool KGraphicGL::installTexture(KTextureReady &ready, bool sizedFormat, bool useAlpha) {
  KDrawList::flush();
  glLoadIdentity();
  glFlush();
  positionX = ready.positionX;
  positionY = ready.positionY;
  width = (float)ready.width;
  height = (float)ready.height;
  target = ready.rectangle ? GL_TEXTURE_RECTANGLE_EXT : GL_TEXTURE_2D;
  textureWidth = (float)ready.textureWidth;
  textureHeight = (float)ready.textureHeight;
  texelTiling = ready.texelTiling;
  if (!textureFits("picture")) {
    width = height = 0;
    return false;
  }
  placed = std::move(ready.placed);
  packed = !placed.empty();
  opaqueBlocks = std::move(ready.blocks);
  blocksAcross = ready.blocksAcross;
  blocksWide = ready.blocksWide;
  blocksHigh = ready.blocksHigh;
  glLoadIdentity();
  glGenTextures(1, &textureName);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  makeCurrent(target, textureName);
  GLint format = sizedFormat ? (useAlpha ? GL_RGBA8 : GL_RGB8) : (useAlpha ? GL_RGBA : GL_RGB);
  glTexImage2D(target, 0, format, (GLsizei)ready.textureWidth, (GLsizei)ready.textureHeight, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, ready.pixels);
  contentId = KDrawList::newContent();
  setTextureQuality(quality);
  applyParams(quality);
  return true;
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

bool KGraphicGL::makePictureFromArray(uint32_t *pixels, long w, long h, bool sizedFormat, bool swapBytes) {
  if (!pixels || w <= 0 || h <= 0) return false;
  freePicture();
  long count = w * h;
  if (swapBytes)
    for (long i = 0; i < count; ++i) pixels[i] = (uint32_t)KMiscTools::flipUnsignedLong(pixels[i]);
  if (colorKeyOn) {
    uint32_t key = (uint32_t)keyRed + (uint32_t)keyGreen * 256u + (uint32_t)keyBlue * 65536u;
    for (long i = 0; i < count; ++i)
      if ((pixels[i] & 0xFFFFFFu) == key) pixels[i] = 0;
  }
  pixelArray = pixels;
  opaqueBlocks.clear();
  KDrawList::flush();
  glLoadIdentity();
  glFlush();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  width = (float)w;
  height = (float)h;
  chooseStorage(w, h);
  if (!textureFits("array picture")) {
    width = height = 0;
    pixelArray = nullptr;
    return false;
  }
  glLoadIdentity();
  glGenTextures(1, &textureName);
  makeCurrent(target, textureName);
  GLint format = sizedFormat ? GL_RGBA8 : GL_RGBA;
  if ((long)textureWidth == w && (long)textureHeight == h) {
    glTexImage2D(target, 0, format, (GLsizei)w, (GLsizei)h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else {
    glTexImage2D(target, 0, format, (GLsizei)textureWidth, (GLsizei)textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    glTexSubImage2D(target, 0, 0, 0, (GLsizei)w, (GLsizei)h, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  }
  contentId = KDrawList::newContent();
  setTextureQuality(_graphicQuality != 0);
  wrapAllowed = false;
  applyParams(_graphicQuality != 0);
  delete[] staging;
  staging = nullptr;
  return true;
}

void KGraphicGL::pollArray() {
  if (!pixelArray) return;
  KDrawList::flush();
  glLoadIdentity();
  makeCurrent(target, textureName);
  glTexSubImage2D(target, 0, 0, 0, (GLsizei)width, (GLsizei)height, GL_RGBA, GL_UNSIGNED_BYTE, pixelArray);
  contentId = KDrawList::newContent();
}

bool KGraphicGL::grabScreen(bool back, void (*callback)(long, long, long *, long *, long *)) {
  long sw = screenWidth, sh = screenHeight;
  if (sw <= 0 || sh <= 0) return false;
  KDrawList::flush();
  freePicture();
  opaqueBlocks.clear();
  width = (float)sw;
  height = (float)sh;
  chooseStorage(sw, sh);
  long tw = (long)textureWidth, th = (long)textureHeight;
  unsigned char *copy = new (std::nothrow) unsigned char[(size_t)sw * (size_t)sh * 4];
  unsigned char *buffer = new (std::nothrow) unsigned char[(size_t)tw * (size_t)th * 4]();
  if (!copy || !buffer || !textureFits("screen copy")) {
    delete[] copy;
    delete[] buffer;
    width = height = 0;
    return false;
  }
  glReadBuffer(back ? GL_BACK : GL_FRONT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, (GLsizei)sw, (GLsizei)sh, GL_RGBA, GL_UNSIGNED_BYTE, copy);
  for (long y = 0; y < sh; ++y) {
    const unsigned char *src = copy + (sh - 1 - y) * sw * 4;
    unsigned char *dst = buffer + y * tw * 4;
    for (long x = 0; x < sw; ++x) {
      long r = src[x * 4], g = src[x * 4 + 1], b = src[x * 4 + 2];
      if (back && callback) {
        callback(x, y, &r, &g, &b);
        r = r < 0 ? 0 : (r > 255 ? 255 : r);
        g = g < 0 ? 0 : (g > 255 ? 255 : g);
        b = b < 0 ? 0 : (b > 255 ? 255 : b);
      }
      dst[x * 4] = (unsigned char)r;
      dst[x * 4 + 1] = (unsigned char)g;
      dst[x * 4 + 2] = (unsigned char)b;
    }
  }
  glLoadIdentity();
  glGenTextures(1, &textureName);
  makeCurrent(target, textureName);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(target, 0, GL_RGB, (GLsizei)tw, (GLsizei)th, 0, GL_RGBA, GL_UNSIGNED_BYTE, buffer);
  contentId = KDrawList::newContent();
  wrapAllowed = false;
  // A fresh 2-D texture would wait for mipmaps; filter as a rectangle texture does by default.
  filterLinear = true;
  applyParams(true);
  delete[] copy;
  delete[] buffer;
  if (!back) glReadBuffer(GL_BACK);
  return true;
}

bool KGraphicGL::grabBackBuffer(void (*callback)(long, long, long *, long *, long *)) {
  return grabScreen(true, callback);
}

bool KGraphicGL::grabFrontBuffer() { return grabScreen(false, nullptr); }

void KGraphicGL::freePicture() {
  if (width > 0) {
    KDrawList::textureGone(textureName);
    glDeleteTextures(1, &textureName);
    opaqueBlocks.clear();
    placed.clear();
    packed = false;
    // GL hands the name out again; the cache must not believe it is still bound.
    if ((int)textureName == _oldBindedText) _oldBindedText = -1;
    textureName = 0;
    width = 0;
    height = 0;
  }
}

float KGraphicGL::getWidth() { return width; }
float KGraphicGL::getHeight() { return height; }

// Each quad carries its filter to GL when it is sent.
void KGraphicGL::setTextureQuality(bool linear) {
  quality = linear;
  filterLinear = linear;
}

// Whole source pixels drawn at their own size on a one-to-one view put every texel centre on a
// pixel centre, where linear filtering reads that texel alone: nearest draws the same picture,
// and the software rasteriser does it for far less.
bool KGraphicGL::wholePixels(float x1, float y1, float x2, float y2) const {
  auto whole = [](float v) { return std::floor(v) == v; };
  return _viewOneToOne && whole(x1) && whole(y1) && whole(x2) && whole(y2);
}

void KGraphicGL::setColorKey(bool on, unsigned char red, unsigned char green, unsigned char blue) {
  colorKeyOn = on;
  keyRed = red;
  keyGreen = green;
  keyBlue = blue;
}

void KGraphicGL::allowTextureWrap(bool allow) { wrapAllowed = allow; }

void KGraphicGL::selectTexture() {
  KDrawList::flush();
  if (g_hasRectangle) glDisable(GL_TEXTURE_RECTANGLE_EXT);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, textureName);
  KDrawList::stateUnknown();
  _oldBindedText = (int)textureName;
}

void KGraphicGL::setRegions(const std::vector<KRegion> &parts) { regions = parts; }

bool KGraphicGL::sameRegions(const std::vector<KRegion> &a, const std::vector<KRegion> &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].w != b[i].w || a[i].h != b[i].h) return false;
  return true;
}


const KPlacedRegion *KGraphicGL::regionOf(float x1, float y1, float x2, float y2) const {
  const float left = std::min(x1, x2), right = std::max(x1, x2), top = std::min(y1, y2), bottom = std::max(y1, y2);
  for (const KPlacedRegion &p : placed) {
    const KRegion &r = p.from;
    if (left >= r.x && top >= r.y && right <= r.x + r.w && bottom <= r.y + r.h) return &p;
  }
  return nullptr;
}

// What a packed texture keeps of the source rectangle, moved to where it keeps it; the cut-off
// parts were transparent. (ox, oy) is how far the kept part's corner lies from the quad's, along
// the quad's own x and down its y. False when nothing of it shows or no region holds it.
bool KGraphicGL::toTexture(float &x1, float &y1, float &x2, float &y2, bool flipH, bool flipV, float &ox,
                           float &oy) const {
  ox = oy = 0;
  if (!packed) return true;
  const KPlacedRegion *p = regionOf(x1, y1, x2, y2);
  if (!p) return false;
  const KRegion &k = p->kept;
  const float nx1 = std::max(x1, (float)k.x), ny1 = std::max(y1, (float)k.y);
  const float nx2 = std::min(x2, (float)(k.x + k.w)), ny2 = std::min(y2, (float)(k.y + k.h));
  if (nx2 <= nx1 || ny2 <= ny1) return false;
  ox = flipH ? x2 - nx2 : nx1 - x1;
  oy = flipV ? y2 - ny2 : ny1 - y1;
  const float dx = (float)(p->x - k.x), dy = (float)(p->y - k.y);
  x1 = nx1 + dx;
  x2 = nx2 + dx;
  y1 = ny1 + dy;
  y2 = ny2 + dy;
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

// ---- drawing ----

void KGraphicGL::setAlphaMode(long mode) {
  switch (mode) {
  case 0:
    blendSource = GL_SRC_ALPHA;
    blendDest = GL_DST_ALPHA;
    break;
  case 1:
    blendSource = GL_SRC_ALPHA;
    blendDest = GL_ONE_MINUS_SRC_ALPHA;
    break;
  case 2:
    blendSource = GL_ONE;
    blendDest = GL_ONE_MINUS_SRC_ALPHA;
    break;
  case 3:
    blendSource = GL_ZERO;
    blendDest = GL_ONE_MINUS_SRC_ALPHA;
    break;
  case 4:
    blendSource = GL_SRC_ALPHA;
    blendDest = GL_ONE;
    break;
  default:
    break;
  }
}

void KGraphicGL::setAlphaMode(long source, long destination) {
  blendSource = (unsigned short)source;
  blendDest = (unsigned short)destination;
}

void KGraphicGL::setBlitColor(float red, float green, float blue, float alpha) {
  auto clamp = [](float v) { return v > 1.0f ? 1.0f : (v <= 0.0f ? 0.0f : v); };
  blitRed = clamp(red);
  blitGreen = clamp(green);
  blitBlue = clamp(blue);
  blitAlpha = clamp(alpha);
  blitColorSet = true;
}

void KGraphicGL::blitColour(KDrawQuad &q, float alpha, bool scaleBlitAlpha) {
  if (blitColorSet)
    setColour(q, blitRed, blitGreen, blitBlue, scaleBlitAlpha ? alpha * blitAlpha : blitAlpha);
  else
    setColour(q, 1, 1, 1, alpha);
}

void KGraphicGL::setColour(KDrawQuad &q, float red, float green, float blue, float alpha) {
  q.colour[0] = red;
  q.colour[1] = green;
  q.colour[2] = blue;
  q.colour[3] = alpha;
}

KDrawQuad KGraphicGL::quadOf(bool blended) const {
  KDrawQuad q;
  q.texture = textureName;
  q.target = target;
  q.content = contentId;
  q.blend = blended;
  q.source = blendSource;
  q.destination = blendDest;
  q.repeat = wrapAllowed && target == GL_TEXTURE_2D;
  return q;
}

void KGraphicGL::setCorner(KDrawQuad &q, int i, float x, float y, float s, float t) const {
  q.v[i * 2] = x;
  q.v[i * 2 + 1] = y;
  if (target == GL_TEXTURE_2D) {
    s /= textureWidth;
    t /= textureHeight;
  }
  q.t[i * 2] = s;
  q.t[i * 2 + 1] = t;
}

// One textured quad from (x, y) down to (x + w, y - h), the source flipped as asked.
void KGraphicGL::texturedQuad(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, float w,
                              float h, bool flipH, bool flipV) {
  float uL = flipH ? x2 : x1, uR = flipH ? x1 : x2;
  float vT = flipV ? y2 : y1, vB = flipV ? y1 : y2;
  setCorner(q, 0, x, y, uL, vT);
  setCorner(q, 1, x, y - h, uL, vB);
  setCorner(q, 2, x + w, y - h, uR, vB);
  setCorner(q, 3, x + w, y, uR, vT);
  KDrawList::add() = q;
}

// The part of the source rectangle whose blocks hold a visible pixel; false when none does.
bool KGraphicGL::visiblePart(int &x1, int &y1, int &x2, int &y2) const {
  if (opaqueBlocks.empty() || x1 < 0 || y1 < 0 || x2 > blocksWide || y2 > blocksHigh || x2 <= x1 || y2 <= y1)
    return true;
  const int b = kBlock;
  int left = x2, right = x1, top = y2, bottom = y1;
  for (int by = y1 / b; by <= (y2 - 1) / b; ++by)
    for (int bx = x1 / b; bx <= (x2 - 1) / b; ++bx) {
      if (!opaqueBlocks[(size_t)by * blocksAcross + bx]) continue;
      left = std::min(left, bx * b);
      right = std::max(right, (bx + 1) * b);
      top = std::min(top, by * b);
      bottom = std::max(bottom, (by + 1) * b);
    }
  if (right <= left) return false;
  x1 = std::max(x1, left);
  x2 = std::min(x2, right);
  y1 = std::max(y1, top);
  y2 = std::min(y2, bottom);
  return true;
}

void KGraphicGL::GenericBlit(KDrawQuad &q, float x1, float y1, float x2, float y2, short x, short y, bool flipH,
                             bool flipV, bool transformed) {
  float ox, oy;
  if (!toTexture(x1, y1, x2, y2, flipH, flipV, ox, oy)) return;
  x = (short)(x + (int)ox);
  y = (short)(y - (int)oy);
  q.linear = filterLinear && (transformed || !wholePixels(x1, y1, x2, y2));
  // Whole pixels: the size is cut as the integer blits always have.
  int w = (short)(int)(x2 - x1);
  int h = (short)(int)(y2 - y1);
  // Fully transparent borders change no pixel under the blends that weigh the source by its
  // alpha, so only the part that shows is sent (small quads, glyphs, are not worth the look).
  bool trim = w * h >= 1024 && !transformed && !q.linear && q.blend && q.source == GL_SRC_ALPHA &&
              (q.destination == GL_ONE_MINUS_SRC_ALPHA || q.destination == GL_ONE) && w == x2 - x1 &&
              h == y2 - y1 && wholePixels(x1, y1, x2, y2);
  if (trim) {
    int sx1 = (int)x1, sy1 = (int)y1, sx2 = (int)x2, sy2 = (int)y2;
    if (!visiblePart(sx1, sy1, sx2, sy2)) return;
    int dx = flipH ? (int)x2 - sx2 : sx1 - (int)x1;
    int dy = flipV ? (int)y2 - sy2 : sy1 - (int)y1;
    texturedQuad(q, (float)sx1, (float)sy1, (float)sx2, (float)sy2, (float)(x + dx), (float)(y - dy),
                 (float)(sx2 - sx1), (float)(sy2 - sy1), flipH, flipV);
    return;
  }
  texturedQuad(q, x1, y1, x2, y2, (float)x, (float)y, (float)w, (float)h, flipH, flipV);
}

void KGraphicGL::GenericBlitF(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, bool flipH,
                              bool flipV) {
  float ox, oy;
  if (!toTexture(x1, y1, x2, y2, flipH, flipV, ox, oy)) return;
  x += ox;
  y -= oy;
  q.linear = filterLinear;
  texturedQuad(q, x1, y1, x2, y2, x, y, x2 - x1, y2 - y1, flipH, flipV);
}

void KGraphicGL::genericStretchBlit(KDrawQuad &q, float x1, float y1, float x2, float y2, float X1, float Y1,
                                    float X2, float Y2, bool flipH, bool flipV) {
  // A stretch is moved into a packed texture only when the texture kept all of it.
  float ox, oy;
  const float w0 = x2 - x1, h0 = y2 - y1;
  if (!toTexture(x1, y1, x2, y2, flipH, flipV, ox, oy) || x2 - x1 != w0 || y2 - y1 != h0) return;
  q.linear = filterLinear;
  float uL = flipH ? x2 : x1, uR = flipH ? x1 : x2;
  float vT = flipV ? y2 : y1, vB = flipV ? y1 : y2;
  setCorner(q, 0, (float)(int)X1, (float)(int)Y1, uL, vT);
  setCorner(q, 1, (float)(int)X1, (float)(int)Y2, uL, vB);
  setCorner(q, 2, (float)(int)X2, (float)(int)Y2, uR, vB);
  setCorner(q, 3, (float)(int)X2, (float)(int)Y1, uR, vT);
  KDrawList::add() = q;
}

void KGraphicGL::setTransform(KDrawQuad &q, float tx, float ty, float angle, float zoom, bool always) {
  q.translate = true;
  q.tx = tx;
  q.ty = ty;
  q.rotate = always || angle != 0;
  q.angle = angle;
  q.scale = always || zoom != 1;
  q.zoom = zoom;
}

// Plain blits draw the picture as it is: the colour an earlier tinted blit used would otherwise
// tint every background and tile drawn after it.
void KGraphicGL::blitRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(false);
  GenericBlit(q, x1, y1, x2, y2, x, (short)(screenHeight - y), flipH, flipV, false);
}

void KGraphicGL::blitRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(false);
  GenericBlitF(q, x1, y1, x2, y2, x, (float)screenHeight - y, flipH, flipV);
}

void KGraphicGL::blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(true);
  blitColour(q, 1.0f, false);
  filterLinear = quality;
  GenericBlit(q, x1, y1, x2, y2, x, (short)(screenHeight - y), flipH, flipV, false);
}

void KGraphicGL::blitAlphaRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(true);
  blitColour(q, 1.0f, false);
  GenericBlitF(q, x1, y1, x2, y2, x, (float)screenHeight - y, flipH, flipV);
}

void KGraphicGL::blitAlphaRect() {
  KDrawQuad q = quadOf(true);
  blitColour(q, 1.0f, false);
  GenericBlit(q, 0, 0, width, height, (short)positionX, (short)(screenHeight - (short)positionY), false, false,
              false);
}

void KGraphicGL::blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                                 float alpha, bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0 || alpha <= 0) return;
  short Y = (short)(screenHeight - y);
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  KDrawQuad q = quadOf(true);
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) setTransform(q, (float)x + px, (float)Y - py, angle, zoom, false);
  blitColour(q, alpha, true);
  filterLinear = quality;
  if (transformed)
    GenericBlit(q, x1, y1, x2, y2, (short)(-px), (short)py, flipH, flipV, true);
  else
    GenericBlit(q, x1, y1, x2, y2, x, Y, flipH, flipV, false);
}

void KGraphicGL::blitAlphaRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                                  float alpha, bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0 || alpha <= 0) return;
  float Y = (float)screenHeight - y;
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  KDrawQuad q = quadOf(true);
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) setTransform(q, x + px, Y - py, angle, zoom, false);
  blitColour(q, alpha, true);
  if (transformed)
    GenericBlitF(q, x1, y1, x2, y2, -px, py, flipH, flipV);
  else
    GenericBlitF(q, x1, y1, x2, y2, x, Y, flipH, flipV);
}

void KGraphicGL::blitAlphaRectFxCenterAdjust(float x1, float y1, float x2, float y2, short x, short y, float angle,
                                             float zoom, float alpha, bool centreH, bool centreV) {
  if (zoom == 0 || alpha <= 0) return;
  short Y = (short)(screenHeight - y);
  float px = centreH ? (x2 - x1) * 0.5f : 0.0f;
  float py = centreV ? (y2 - y1) * 0.5f : 0.0f;
  KDrawQuad q = quadOf(true);
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) setTransform(q, (float)x + px, (float)Y - py, angle, zoom, false);
  blitColour(q, alpha, false);
  if (transformed)
    GenericBlit(q, x1, y1, x2, y2, (short)(-px), (short)py, false, false, true);
  else
    GenericBlit(q, x1, y1, x2, y2, x, Y, false, false, false);
}

void KGraphicGL::blitRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                            bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0) return;
  short Y = (short)(screenHeight - y);
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  KDrawQuad q = quadOf(false);
  setTransform(q, (float)x + px, (float)Y - py, angle, zoom, true);
  GenericBlit(q, x1, y1, x2, y2, (short)(-px), (short)py, flipH, flipV, true);
}

void KGraphicGL::blitRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                             bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0) return;
  float Y = (float)screenHeight - y;
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  KDrawQuad q = quadOf(false);
  setTransform(q, x + px, Y - py, angle, zoom, true);
  GenericBlitF(q, x1, y1, x2, y2, -px, py, flipH, flipV);
}

void KGraphicGL::stretchAlphaRect(float x1, float y1, float x2, float y2, float X1, float Y1, float X2, float Y2,
                                  float alpha, float angle, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(true);
  if (blitColorSet)
    setColour(q, blitRed, blitGreen, blitBlue, alpha * blitAlpha);
  else if (alpha < 0 || alpha == 1)
    setColour(q, 1, 1, 1, 1);
  else
    setColour(q, 1, 1, 1, alpha);
  if (angle != 0) {
    float hw = (X2 - X1) * 0.5f, hh = (Y2 - Y1) * 0.5f;
    setTransform(q, X1 + hw, ((float)screenHeight - Y1) - hh, angle, 1, false);
    genericStretchBlit(q, x1, y1, x2, y2, -hw, hh, hw, -hh, flipH, flipV);
  } else {
    genericStretchBlit(q, x1, y1, x2, y2, X1, (float)screenHeight - Y1, X2, (float)screenHeight - Y2, flipH, flipV);
  }
}

void KGraphicGL::blitArbitraryQuad(float s1, float s2, float s3, float s4, float s5, float s6, float s7, float s8,
                                   float d1, float d2, float d3, float d4, float d5, float d6, float d7, float d8) {
  KDrawQuad q = quadOf(true);
  blitColour(q, 1.0f, false);
  q.linear = filterLinear;
  if (packed) {
    float ox, oy, x1 = std::min({s1, s3, s5, s7}), x2 = std::max({s1, s3, s5, s7});
    float y1 = std::min({s2, s4, s6, s8}), y2 = std::max({s2, s4, s6, s8});
    const float w0 = x2 - x1, h0 = y2 - y1, left = x1, top = y1;
    if (!toTexture(x1, y1, x2, y2, false, false, ox, oy) || x2 - x1 != w0 || y2 - y1 != h0) return;
    const float dx = x1 - left, dy = y1 - top;
    s1 += dx, s3 += dx, s5 += dx, s7 += dx;
    s2 += dy, s4 += dy, s6 += dy, s8 += dy;
  }
  float H = (float)screenHeight;
  setCorner(q, 0, (float)(int)d1, (float)(int)(H - d2), s1, s2);
  setCorner(q, 1, (float)(int)d3, (float)(int)(H - d4), s3, s4);
  setCorner(q, 2, (float)(int)d5, (float)(int)(H - d6), s5, s6);
  setCorner(q, 3, (float)(int)d7, (float)(int)(H - d8), s7, s8);
  KDrawList::add() = q;
}

void KGraphicGL::blitTiledRect(short x, short y, short w, short h, float repeat, float angle) {
  // A packed texture holds no whole picture to repeat.
  if (packed) return;
  KDrawQuad q = quadOf(false);
  q.linear = filterLinear;
  int hw = w / 2, hh = h / 2;
  setTransform(q, (float)(hw + x), (float)((screenHeight - y) - hh), angle, 1, false);
  q.rotate = true;
  // A picture that is not a square power of two counts its repeat in texels.
  const float corners[4][4] = {{(float)-hw, (float)hh, repeat, repeat},
                               {(float)-hw, (float)-hh, repeat, 0},
                               {(float)hw, (float)-hh, 0, 0},
                               {(float)hw, (float)hh, 0, repeat}};
  for (int i = 0; i < 4; ++i) {
    if (texelTiling) {
      setCorner(q, i, corners[i][0], corners[i][1], corners[i][2], corners[i][3]);
    } else {
      q.v[i * 2] = corners[i][0];
      q.v[i * 2 + 1] = corners[i][1];
      q.t[i * 2] = corners[i][2];
      q.t[i * 2 + 1] = corners[i][3];
    }
  }
  KDrawList::add() = q;
}

void KGraphicGL::blitFromBackToBack(short, short, short, short, short, short) {}

void KGraphicGL::drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) {
  KDrawQuad q;
  q.blend = alpha != 1;
  q.source = blendSource;
  q.destination = blendDest;
  setColour(q, red, green, blue, alpha != 1 ? alpha : 1.0f);
  float Y1 = (float)(int)((float)screenHeight - y1), Y2 = (float)(int)((float)screenHeight - y2);
  const float v[8] = {(float)(int)x1, Y1, (float)(int)x2, Y1, (float)(int)x2, Y2, (float)(int)x1, Y2};
  std::memcpy(q.v, v, sizeof v);
  KDrawList::add() = q;
  _oldBindedText = -1;
}

void KGraphicGL::drawLine(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) {
  KDrawQuad q;
  q.blend = true;
  q.source = GL_SRC_ALPHA;
  q.destination = GL_ONE_MINUS_SRC_ALPHA;
  q.line = true;
  setColour(q, red, green, blue, alpha);
  q.v[0] = x1;
  q.v[1] = (float)screenHeight - y1;
  q.v[2] = x2;
  q.v[3] = (float)screenHeight - y2;
  KDrawList::add() = q;
  _oldBindedText = -1;
}

void KGraphicGL::plotPixel(float x, float y, float red, float green, float blue, float alpha) {
  drawLine(x, y, x + 1, y, red, green, blue, alpha);
}
