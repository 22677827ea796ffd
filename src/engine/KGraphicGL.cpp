#include "engine/KGraphicGL.h"

#include "engine/KMiscTools.h"
#include "engine/KResource.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

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

void makeCurrent(GLenum target, GLuint name) {
  disableTargets();
  glEnable(target);
  glBindTexture(target, name);
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
  screenWidth = w;
  screenHeight = h;
  screenDepth = depth;
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
}

void KGraphicGL::setTextureMode(int mode) {
  g_forcedMode = (mode >= kModeNpot && mode <= kModePow2) ? mode : kModeAuto;
  if (g_forcedMode == kModeRectangle) probeContext();
}

int KGraphicGL::textureMode() { return resolvedMode(); }

void KGraphicGL::setViewOneToOne(bool oneToOne) { _viewOneToOne = oneToOne; }

void KGraphicGL::ptk_glBindTexture() {
  if ((int)textureName != _oldBindedText) makeCurrent(target, textureName);
}

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

void KGraphicGL::texCoord(float s, float t) {
  if (target == GL_TEXTURE_2D)
    glTexCoord2f(s / textureWidth, t / textureHeight);
  else
    glTexCoord2f(s, t);
}

void KGraphicGL::applyWrap(bool repeat) {
  GLint mode = (repeat && target == GL_TEXTURE_2D) ? GL_REPEAT : GL_CLAMP_TO_EDGE;
  glTexParameteri(target, GL_TEXTURE_WRAP_S, mode);
  glTexParameteri(target, GL_TEXTURE_WRAP_T, mode);
}

// ---- loading ----

bool KGraphicGL::loadPicture(const char *path, bool sizedFormat, bool useAlpha) {
  delete[] mask;
  mask = nullptr;
  freePicture();
  if (!path) return false;
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

  KResource res;
  if (res.open(path, K_RES_READ) != K_RES_OK) {
    std::fprintf(stderr, "KGraphicGL: cannot open picture %s\n", path);
    return nullptr;
  }
  int size = 0;
  if (res.seek(K_RES_END, 0) != K_RES_OK || res.tell(size) != K_RES_OK || size <= 0) {
    std::fprintf(stderr, "KGraphicGL: picture %s is empty\n", path);
    return nullptr;
  }
  res.seek(K_RES_BEGIN, 0);
  char *buffer = new (std::nothrow) char[(size_t)size];
  if (!buffer) return nullptr;
  int code = res.read(buffer, (unsigned long)size);
  res.close();
  if (code != K_RES_OK) {
    std::fprintf(stderr, "KGraphicGL: cannot read picture %s\n", path);
    delete[] buffer;
    return nullptr;
  }

  // The decoder is chosen by the lower-case name, as the file was opened.
  std::string name = path;
  K_strlower(&name[0]);
  bool decoded = LoadRamPicture(&name[0], buffer, size);
  delete[] buffer;
  if (!decoded) {
    std::fprintf(stderr, "KGraphicGL: cannot decode picture %s: %s\n", path, IMG_GetError());
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
  unsigned char *image = new (std::nothrow) unsigned char[18 + (size_t)w * (size_t)h * 4]();
  if (!image) {
    KMiscTools::messageBox("out of memory (tmpBitmapBits)", "error");
    QTDeleteBitmap();
    return nullptr;
  }
  image[12] = (unsigned char)(w & 0xFF);
  image[13] = (unsigned char)(w >> 8);
  image[14] = (unsigned char)(h & 0xFF);
  image[15] = (unsigned char)(h >> 8);
  image[16] = 32;

  SDL_LockSurface(offscreen);
  const unsigned char *pixels = (const unsigned char *)offscreen->pixels;
  int pitch = offscreen->pitch;
  for (long k = 0; k < h; ++k) {
    const uint32_t *row = (const uint32_t *)(pixels + (h - 1 - k) * pitch);
    unsigned char *out = image + 18 + k * w * 4;
    for (long x = 0; x < w; ++x) {
      uint32_t v = row[x];
      unsigned char a = (unsigned char)(v >> 24), r = (unsigned char)(v >> 16), g = (unsigned char)(v >> 8),
                    b = (unsigned char)v;
      if (colorKeyOn && r == keyRed && g == keyGreen && b == keyBlue) a = 0;
      out[x * 4 + 0] = b;
      out[x * 4 + 1] = g;
      out[x * 4 + 2] = r;
      out[x * 4 + 3] = a;
    }
  }
  SDL_UnlockSurface(offscreen);
  QTDeleteBitmap();
  return image;
}

bool KGraphicGL::LoadRamPicture(char *name, char *data, long size) {
  if (!data || size <= 0) return false;
  SDL_RWops *rw = SDL_RWFromConstMem(data, (int)size);
  if (!rw) {
    KMiscTools::messageBox(" hImageDF == 0 ", name);
    return false;
  }
  // The name picks the decoder, which takes only its own format; other names go by content.
  // Only the file's own name counts: the install folder may have any name on this system.
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
  if (!decoded) return false;
  // Formats whose header is not read here are held to the same bound once decoded.
  if (!sidesFit(decoded->w, decoded->h)) {
    SDL_FreeSurface(decoded);
    return false;
  }

  SDL_Surface *converted = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(decoded);
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
  positionX = (float)readLE16(image + 8);
  positionY = (float)readLE16(image + 10);
  int bits = image[16];
  long w = (short)readLE16(image + 12), h = (short)readLE16(image + 14);
  if (bits < 24 || w <= 0 || h <= 0) {
    delete[] image;
    return false;
  }
  glLoadIdentity();
  glFlush();
  width = (float)w;
  height = (float)h;
  chooseStorage(w, h);
  if (!textureFits("picture")) {
    delete[] image;
    width = height = 0;
    return false;
  }

  const unsigned char *useMask = mask;
  if (mask && (maskWidth != w || maskHeight != h)) {
    std::fprintf(stderr, "KGraphicGL: mask of %ldx%ld does not fit a picture of %ldx%ld, ignored\n", maskWidth,
                 maskHeight, w, h);
    useMask = nullptr;
  }

  long tw = (long)textureWidth, th = (long)textureHeight;
  staging = new (std::nothrow) unsigned char[(size_t)tw * (size_t)th * 4]();
  if (!staging) {
    delete[] image;
    width = height = 0;
    return false;
  }
  int step = bits / 8;
  if (bits == 24 || bits == 32) {
    for (long k = 0; k < h; ++k) {
      for (long x = 0; x < w; ++x) {
        long i = (h - 1 - k) * w + x;
        const unsigned char *p = image + 18 + i * step;
        unsigned char *t = staging + (k * tw + x) * 4;
        t[0] = p[2];
        t[1] = p[1];
        t[2] = p[0];
        if (bits == 24) {
          t[3] = useMask ? useMask[i] : 255;
          if (colorKeyOn && p[2] == keyRed && p[1] == keyGreen && p[0] == keyBlue) t[3] = 0;
        } else {
          t[3] = useMask ? useMask[i] : p[3];
          if (!useAlpha) t[3] = 255;
        }
      }
    }
  }
  delete[] image;

  glLoadIdentity();
  glGenTextures(1, &textureName);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  makeCurrent(target, textureName);
  GLint format = sizedFormat ? (useAlpha ? GL_RGBA8 : GL_RGB8) : (useAlpha ? GL_RGBA : GL_RGB);
  glTexImage2D(target, 0, format, (GLsizei)tw, (GLsizei)th, 0, GL_RGBA, GL_UNSIGNED_BYTE, staging);
  applyWrap(wrapAllowed);
  delete[] staging;
  staging = nullptr;
  setTextureQuality(quality);
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
  setTextureQuality(_graphicQuality != 0);
  applyWrap(false);
  delete[] staging;
  staging = nullptr;
  return true;
}

void KGraphicGL::pollArray() {
  if (!pixelArray) return;
  glLoadIdentity();
  disableTargets();
  glEnable(target);
  ptk_glBindTexture();
  glTexSubImage2D(target, 0, 0, 0, (GLsizei)width, (GLsizei)height, GL_RGBA, GL_UNSIGNED_BYTE, pixelArray);
}

bool KGraphicGL::grabScreen(bool back, void (*callback)(long, long, long *, long *, long *)) {
  long sw = screenWidth, sh = screenHeight;
  if (sw <= 0 || sh <= 0) return false;
  freePicture();
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
  applyWrap(false);
  // A fresh 2-D texture would wait for mipmaps; filter as a rectangle texture does by default.
  filterLinear = true;
  applyFilter(true);
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
    glDeleteTextures(1, &textureName);
    // GL hands the name out again; the cache must not believe it is still bound.
    if ((int)textureName == _oldBindedText) _oldBindedText = -1;
    textureName = 0;
    width = 0;
    height = 0;
  }
}

float KGraphicGL::getWidth() { return width; }
float KGraphicGL::getHeight() { return height; }

void KGraphicGL::setTextureQuality(bool linear) {
  quality = linear;
  filterLinear = linear;
  ptk_glBindTexture();
  applyFilter(linear);
}

// Sets the bound texture's filter; GL leaves an unchanged one alone at no cost.
void KGraphicGL::applyFilter(bool linear) {
  GLint filter = linear ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filter);
  glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filter);
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

void KGraphicGL::allowTextureWrap(bool allow) {
  wrapAllowed = allow;
  ptk_glBindTexture();
  applyWrap(allow);
}

void KGraphicGL::selectTexture() {
  if (g_hasRectangle) glDisable(GL_TEXTURE_RECTANGLE_EXT);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, textureName);
  _oldBindedText = (int)textureName;
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

void KGraphicGL::blitColour(float alpha, bool scaleBlitAlpha) {
  if (blitColorSet)
    glColor4f(blitRed, blitGreen, blitBlue, scaleBlitAlpha ? alpha * blitAlpha : blitAlpha);
  else
    glColor4f(1, 1, 1, alpha);
}

void KGraphicGL::blend() {
  glEnable(GL_BLEND);
  glBlendFunc(blendSource, blendDest);
}

// One textured quad from (x, y) down to (x + w, y - h), the source flipped as asked.
void KGraphicGL::texturedQuad(float x1, float y1, float x2, float y2, float x, float y, float w, float h, bool flipH,
                              bool flipV) {
  float uL = flipH ? x2 : x1, uR = flipH ? x1 : x2;
  float vT = flipV ? y2 : y1, vB = flipV ? y1 : y2;
  glBegin(GL_POLYGON);
  texCoord(uL, vT);
  glVertex3f(x, y, 0);
  texCoord(uL, vB);
  glVertex3f(x, y - h, 0);
  texCoord(uR, vB);
  glVertex3f(x + w, y - h, 0);
  texCoord(uR, vT);
  glVertex3f(x + w, y, 0);
  glEnd();
}

void KGraphicGL::GenericBlit(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV,
                             bool transformed) {
  ptk_glBindTexture();
  applyFilter(filterLinear && (transformed || !wholePixels(x1, y1, x2, y2)));
  // Whole pixels: the size is cut as the integer blits always have.
  int w = (short)(int)(x2 - x1);
  int h = (short)(int)(y2 - y1);
  texturedQuad(x1, y1, x2, y2, (float)x, (float)y, (float)w, (float)h, flipH, flipV);
}

void KGraphicGL::GenericBlitF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  ptk_glBindTexture();
  applyFilter(filterLinear);
  texturedQuad(x1, y1, x2, y2, x, y, x2 - x1, y2 - y1, flipH, flipV);
}

void KGraphicGL::genericStretchBlit(float x1, float y1, float x2, float y2, float X1, float Y1, float X2, float Y2,
                                    bool flipH, bool flipV) {
  glPushMatrix();
  ptk_glBindTexture();
  applyFilter(filterLinear);
  float uL = flipH ? x2 : x1, uR = flipH ? x1 : x2;
  float vT = flipV ? y2 : y1, vB = flipV ? y1 : y2;
  glBegin(GL_POLYGON);
  texCoord(uL, vT);
  glVertex3i((int)X1, (int)Y1, 0);
  texCoord(uL, vB);
  glVertex3i((int)X1, (int)Y2, 0);
  texCoord(uR, vB);
  glVertex3i((int)X2, (int)Y2, 0);
  texCoord(uR, vT);
  glVertex3i((int)X2, (int)Y1, 0);
  glEnd();
  glPopMatrix();
}

void KGraphicGL::genericArbitraryBlit(float s1, float s2, float s3, float s4, float s5, float s6, float s7, float s8,
                                      float d1, float d2, float d3, float d4, float d5, float d6, float d7,
                                      float d8) {
  glPushMatrix();
  ptk_glBindTexture();
  applyFilter(filterLinear);
  disableTargets();
  glEnable(target);
  glBegin(GL_POLYGON);
  texCoord(s1, s2);
  glVertex3i((int)d1, (int)d2, 0);
  texCoord(s3, s4);
  glVertex3i((int)d3, (int)d4, 0);
  texCoord(s5, s6);
  glVertex3i((int)d5, (int)d6, 0);
  texCoord(s7, s8);
  glVertex3i((int)d7, (int)d8, 0);
  glEnd();
  glPopMatrix();
}

// Plain blits draw the picture as it is: the colour an earlier tinted blit left current would
// otherwise tint every background and tile drawn after it.
void KGraphicGL::blitRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) {
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
  glPushMatrix();
  GenericBlit(x1, y1, x2, y2, x, (short)(screenHeight - y), flipH, flipV, false);
  glPopMatrix();
}

void KGraphicGL::blitRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
  ptk_glBindTexture();
  glPushMatrix();
  GenericBlitF(x1, y1, x2, y2, x, (float)screenHeight - y, flipH, flipV);
  glPopMatrix();
}

void KGraphicGL::blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) {
  blitColour(1.0f, false);
  filterLinear = quality;
  blend();
  glPushMatrix();
  GenericBlit(x1, y1, x2, y2, x, (short)(screenHeight - y), flipH, flipV, false);
  glPopMatrix();
}

void KGraphicGL::blitAlphaRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  ptk_glBindTexture();
  blitColour(1.0f, false);
  blend();
  glPushMatrix();
  GenericBlitF(x1, y1, x2, y2, x, (float)screenHeight - y, flipH, flipV);
  glPopMatrix();
}

void KGraphicGL::blitAlphaRect() {
  blitColour(1.0f, false);
  blend();
  glPushMatrix();
  GenericBlit(0, 0, width, height, (short)positionX, (short)(screenHeight - (short)positionY), false, false, false);
  glPopMatrix();
}

void KGraphicGL::blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                                 float alpha, bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0 || alpha <= 0) return;
  short Y = (short)(screenHeight - y);
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  glPushMatrix();
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) {
    glTranslatef((float)x + px, (float)Y - py, 0);
    if (angle != 0) glRotatef(angle, 0, 0, 1);
    if (zoom != 1) glScalef(zoom, zoom, 0);
  }
  blitColour(alpha, true);
  filterLinear = quality;
  blend();
  glPushMatrix();
  if (transformed)
    GenericBlit(x1, y1, x2, y2, (short)(-px), (short)py, flipH, flipV, true);
  else
    GenericBlit(x1, y1, x2, y2, x, Y, flipH, flipV, false);
  glPopMatrix();
  glColor4f(1, 1, 1, 1);
  glPopMatrix();
}

void KGraphicGL::blitAlphaRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                                  float alpha, bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0 || alpha <= 0) return;
  float Y = (float)screenHeight - y;
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  ptk_glBindTexture();
  glPushMatrix();
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) {
    glTranslatef(x + px, Y - py, 0);
    if (angle != 0) glRotatef(angle, 0, 0, 1);
    if (zoom != 1) glScalef(zoom, zoom, 0);
  }
  blitColour(alpha, true);
  blend();
  glPushMatrix();
  if (transformed)
    GenericBlitF(x1, y1, x2, y2, -px, py, flipH, flipV);
  else
    GenericBlitF(x1, y1, x2, y2, x, Y, flipH, flipV);
  glPopMatrix();
  glColor4f(1, 1, 1, 1);
  glPopMatrix();
}

void KGraphicGL::blitAlphaRectFxCenterAdjust(float x1, float y1, float x2, float y2, short x, short y, float angle,
                                             float zoom, float alpha, bool centreH, bool centreV) {
  if (zoom == 0 || alpha <= 0) return;
  short Y = (short)(screenHeight - y);
  float px = centreH ? (x2 - x1) * 0.5f : 0.0f;
  float py = centreV ? (y2 - y1) * 0.5f : 0.0f;
  glPushMatrix();
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) {
    glTranslatef((float)x + px, (float)Y - py, 0);
    if (angle != 0) glRotatef(angle, 0, 0, 1);
    if (zoom != 1) glScalef(zoom, zoom, 0);
  }
  blitColour(alpha, false);
  blend();
  glPushMatrix();
  if (transformed)
    GenericBlit(x1, y1, x2, y2, (short)(-px), (short)py, false, false, true);
  else
    GenericBlit(x1, y1, x2, y2, x, Y, false, false, false);
  glPopMatrix();
  glColor4f(1, 1, 1, 1);
  glPopMatrix();
}

void KGraphicGL::blitRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                            bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0) return;
  short Y = (short)(screenHeight - y);
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  glDisable(GL_BLEND);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef((float)x + px, (float)Y - py, 0);
  glRotatef(angle, 0, 0, 1);
  glScalef(zoom, zoom, 0);
  GenericBlit(x1, y1, x2, y2, (short)(-px), (short)py, flipH, flipV, true);
  glPopMatrix();
}

void KGraphicGL::blitRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                             bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0) return;
  float Y = (float)screenHeight - y;
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  glDisable(GL_BLEND);
  ptk_glBindTexture();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(x + px, Y - py, 0);
  glRotatef(angle, 0, 0, 1);
  glScalef(zoom, zoom, 0);
  GenericBlitF(x1, y1, x2, y2, -px, py, flipH, flipV);
  glPopMatrix();
}

void KGraphicGL::stretchAlphaRect(float x1, float y1, float x2, float y2, float X1, float Y1, float X2, float Y2,
                                  float alpha, float angle, bool flipH, bool flipV) {
  if (blitColorSet)
    glColor4f(blitRed, blitGreen, blitBlue, alpha * blitAlpha);
  else if (alpha < 0 || alpha == 1)
    glColor4f(1, 1, 1, 1);
  else
    glColor4f(1, 1, 1, alpha);
  blend();
  if (angle != 0) {
    float hw = (X2 - X1) * 0.5f, hh = (Y2 - Y1) * 0.5f;
    glPushMatrix();
    glTranslatef(X1 + hw, ((float)screenHeight - Y1) - hh, 0);
    glRotatef(angle, 0, 0, 1);
    genericStretchBlit(x1, y1, x2, y2, -hw, hh, hw, -hh, flipH, flipV);
    glPopMatrix();
  } else {
    genericStretchBlit(x1, y1, x2, y2, X1, (float)screenHeight - Y1, X2, (float)screenHeight - Y2, flipH, flipV);
  }
  glColor4f(1, 1, 1, 1);
}

void KGraphicGL::blitArbitraryQuad(float s1, float s2, float s3, float s4, float s5, float s6, float s7, float s8,
                                   float d1, float d2, float d3, float d4, float d5, float d6, float d7, float d8) {
  blitColour(1.0f, false);
  blend();
  float H = (float)screenHeight;
  genericArbitraryBlit(s1, s2, s3, s4, s5, s6, s7, s8, d1, H - d2, d3, H - d4, d5, H - d6, d7, H - d8);
}

void KGraphicGL::blitTiledRect(short x, short y, short w, short h, float repeat, float angle) {
  glDisable(GL_BLEND);
  ptk_glBindTexture();
  applyFilter(filterLinear);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  int hw = w / 2, hh = h / 2;
  glTranslatef((float)(hw + x), (float)((screenHeight - y) - hh), 0);
  glRotatef(angle, 0, 0, 1);
  // A picture that is not a square power of two counts its repeat in texels.
  auto tc = [this](float s, float t) {
    if (texelTiling)
      texCoord(s, t);
    else
      glTexCoord2f(s, t);
  };
  glBegin(GL_POLYGON);
  tc(repeat, repeat);
  glVertex3i(-hw, hh, 0);
  tc(repeat, 0);
  glVertex3i(-hw, -hh, 0);
  tc(0, 0);
  glVertex3i(hw, -hh, 0);
  tc(0, repeat);
  glVertex3i(hw, hh, 0);
  glEnd();
  glPopMatrix();
}

void KGraphicGL::blitFromBackToBack(short, short, short, short, short, short) {}

void KGraphicGL::drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) {
  disableTargets();
  if (alpha != 1) {
    glEnable(GL_BLEND);
    glColor4f(red, green, blue, alpha);
    glBlendFunc(blendSource, blendDest);
  } else {
    glDisable(GL_BLEND);
    glColor3f(red, green, blue);
  }
  int Y1 = (int)((float)screenHeight - y1), Y2 = (int)((float)screenHeight - y2);
  glBegin(GL_POLYGON);
  glVertex3i((int)x1, Y1, 0);
  glVertex3i((int)x2, Y1, 0);
  glVertex3i((int)x2, Y2, 0);
  glVertex3i((int)x1, Y2, 0);
  glEnd();
  _oldBindedText = -1;
  glDisable(GL_BLEND);
  glColor4f(1, 1, 1, 1);
}

void KGraphicGL::drawLine(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  disableTargets();
  glColor4f(red, green, blue, alpha);
  glBegin(GL_LINE_LOOP);
  glVertex3f(x1, (float)screenHeight - y1, 0);
  glVertex3f(x2, (float)screenHeight - y2, 0);
  glEnd();
  _oldBindedText = -1;
  glColor4f(1, 1, 1, 1);
}

void KGraphicGL::plotPixel(float x, float y, float red, float green, float blue, float alpha) {
  drawLine(x, y, x + 1, y, red, green, blue, alpha);
}
