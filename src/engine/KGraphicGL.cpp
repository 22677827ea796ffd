#include "engine/KGraphicGL.h"

#include "engine/KMiscTools.h"
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
    : offscreen(nullptr), mask(nullptr), maskWidth(0), maskHeight(0), hotSpot{0, 0, 0, 0, 0, 0} {
  if (screenWidth == 0)
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
  freePicture();
  if (!path) return false;
  // Work on a copy: the caller's string stays as it was.
  std::string copy = path;
  bool ok = buildGLTexture(LoadGeneric(&copy[0]), sizedFormat, useAlpha);
  if (!ok) width = height = 0;
  return ok;
}

bool KGraphicGL::loadPictureReady(const char *path, KTextureReady *ready, bool sizedFormat, bool useAlpha) {
  // Made with this picture's options, it needs only its upload.
  const bool same = ready && path && !colorKeyOn && ready->useAlpha == useAlpha && !wrapAllowed &&
                    sameRegions(ready->regions, regions);
  if (same) {
    delete[] mask;
    mask = nullptr;
    freePicture();
    const bool ok = installTexture(*ready, sizedFormat, useAlpha);
    delete ready;
    if (!ok) width = height = 0;
    return ok;
  }
  delete ready;
  return loadPicture(path, sizedFormat, useAlpha);
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

unsigned char *KGraphicGL::imageFromOffscreen() {
  if (!offscreen) return nullptr;
  long w = offscreen->w, h = offscreen->h;
  if (w > 32767 || h > 32767) {
    std::fprintf(stderr, "KGraphicGL: picture of %ldx%ld is too large\n", w, h);
    QTDeleteBitmap();
    return nullptr;
  }
  unsigned char *image = KPictureDecoder::imageOfSurface(offscreen, colorKeyOn, keyRed, keyGreen, keyBlue);
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
