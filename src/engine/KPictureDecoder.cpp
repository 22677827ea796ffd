#include "engine/KPictureDecoder.h"

#include "engine/KMiscTools.h"
#include "engine/KResource.h"
#include "engine/KTextureReady.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <set>
#include <string>

namespace {
int readLE16(const unsigned char *p) { return p[0] | (p[1] << 8); }
long readBE16(const unsigned char *p) { return (long)p[0] << 8 | p[1]; }

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

// libpng skips an unknown chunk by reading its whole declared length, however little of the
// file is left: a damaged length took seconds to refuse. Every chunk must lie within the file.
bool pngLooksWhole(const unsigned char *d, long size) {
  long at = 8;
  while (at + 12 <= size) {
    const unsigned long length = (unsigned long)d[at] << 24 | (unsigned long)d[at + 1] << 16 |
                                 (unsigned long)d[at + 2] << 8 | d[at + 3];
    if (length > (unsigned long)(size - at - 12)) break;
    if (std::memcmp(d + at + 4, "IEND", 4) == 0) return true;
    at += 12 + (long)length;
  }
  SDL_SetError("PNG chunk cut short");
  return false;
}

// libjpeg fills whatever is missing of a picture cut short with grey and only warns, which
// SDL_image does not pass on: the data must run on to its end marker.
bool jpegLooksWhole(const unsigned char *d, long size) {
  long i = 2;
  while (i + 1 < size) {
    if (d[i] != 0xFF) {
      ++i; // the coded picture itself
      continue;
    }
    const int marker = d[i + 1];
    if (marker == 0xD9) return true;
    if (marker == 0xFF) {
      ++i;
    } else if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      i += 2; // a stuffed byte or a restart marker inside the coded picture
    } else {
      if (i + 3 >= size) break;
      i += 2 + readBE16(d + i + 2);
    }
  }
  SDL_SetError("JPEG data cut short");
  return false;
}

// Decoders allocate the whole picture as its header declares before reading a pixel, so a few
// hundred bytes can ask for gigabytes; no picture of the game comes near this side.
const long kMaxPictureSide = 4096;

enum class PictureKind { Png, Jpeg, Tga, Bmp, Other };

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
      decoded = IMG_isJPG(rw) && jpegLooksWhole(bytes, size) ? IMG_LoadJPG_RW(rw) : nullptr;
      break;
    case PictureKind::Tga:
      decoded = tgaLooksWhole(bytes, size) ? IMG_LoadTGA_RW(rw) : nullptr;
      break;
    case PictureKind::Png:
      decoded = IMG_isPNG(rw) && pngLooksWhole(bytes, size) ? IMG_LoadPNG_RW(rw) : nullptr;
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
} // namespace

SDL_Surface *KPictureDecoder::decodeSurface(const char *name, const char *data, long size) {
  SDL_Surface *decoded = decodeRaw(name, data, size);
  if (!decoded) return nullptr;
  SDL_Surface *converted = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(decoded);
  return converted;
}

// The image a picture is built from: an 18-byte TGA-style header and BGRA rows bottom first,
// the key colour made transparent when asked. Null without memory.
unsigned char *KPictureDecoder::imageOfSurface(SDL_Surface *surface, bool keyOn, unsigned char keyRed,
                                               unsigned char keyGreen, unsigned char keyBlue) {
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

bool KPictureDecoder::readFile(const char *path, std::vector<char> &data, bool report) {
  KResource res;
  const int opened = res.open(path, K_RES_READ);
  // One that is there but may not be read is as lost to the player as a damaged one.
  if (opened == K_RES_UNREADABLE && report) reportDamaged(path, KResource::openFault());
  else if (opened != K_RES_OK && report)
    std::fprintf(stderr, "KGraphicGL: cannot open picture %s\n", KResource::diskName(path).c_str());
  if (opened != K_RES_OK) return false;
  int size = -1;
  // There but empty or unreadable, the picture is damaged, and told as a damaged one is.
  if (res.seek(K_RES_END, 0) != K_RES_OK || res.tell(size) != K_RES_OK || size <= 0) {
    if (report) reportDamaged(path, size == 0 ? "the file is empty" : "it cannot be read");
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
    if (report) reportDamaged(path, "it cannot be read");
    return false;
  }
  return true;
}

namespace {
// A file's picture, silently null when it cannot be read or decoded. The decoder is chosen by the
// lower-case name, as the file was opened; `converted` gives 32-bit ARGB pixels.
SDL_Surface *surfaceOfFile(const char *path, bool converted) {
  std::vector<char> data;
  if (!path || !KPictureDecoder::readFile(path, data, false)) return nullptr;
  std::string name = path;
  K_strlower(&name[0]);
  return converted ? KPictureDecoder::decodeSurface(name.c_str(), data.data(), (long)data.size())
                   : decodeRaw(name.c_str(), data.data(), (long)data.size());
}
} // namespace

KTextureReady *KPictureDecoder::readyFromFile(const char *path, const KTextureOptions &options) {
  SDL_Surface *surface = surfaceOfFile(path, false);
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

unsigned char *KPictureDecoder::decodeFile(const char *path) {
  SDL_Surface *surface = surfaceOfFile(path, true);
  if (!surface) return nullptr;
  unsigned char *image = imageOfSurface(surface, false, 0, 0, 0);
  SDL_FreeSurface(surface);
  return image;
}

namespace {
std::mutex g_damagedLock;
std::set<std::string> g_told;
int g_gathering = 0;
std::vector<std::string> g_gathered;

// The box names this many and counts the rest; standard error names each as it is found.
const size_t kNamedInBox = 3;

void tellDamaged(const std::vector<std::string> &pictures) {
  if (pictures.empty()) return;
  const size_t n = pictures.size();
  std::string text = n == 1   ? std::string("A picture of the game is damaged:\n")
                     : n <= kNamedInBox ? std::to_string(n) + " pictures of the game are damaged:\n"
                                        : std::to_string(n) + " pictures of the game are damaged, among them:\n";
  for (size_t i = 0; i < n && i < kNamedInBox; ++i) text += pictures[i] + "\n";
  if (n > kNamedInBox) text += "and " + std::to_string(n - kNamedInBox) + " more.\n";
  text += n == 1 ? "\nThe game goes on without it. Installing the game again mends it."
                 : "\nThe game goes on without them. Installing the game again mends them.";
  KMiscTools::messageBox(text.c_str(), n == 1 ? "Tobrulant: a damaged picture" : "Tobrulant: damaged pictures");
}
} // namespace

void KPictureDecoder::reportDamaged(const char *path, const char *why) {
  const std::string picture = KResource::diskName(path) + "\n(" + (why && *why ? why : "it cannot be decoded") + ")";
  {
    std::lock_guard<std::mutex> hold(g_damagedLock);
    if (!g_told.insert(path ? path : "").second) return;
    if (g_gathering > 0) {
      g_gathered.push_back(picture);
      std::fprintf(stderr, "A damaged picture: %s\n", picture.c_str());
      return;
    }
  }
  tellDamaged({picture});
}

KPictureDecoder::OneBox::OneBox() {
  std::lock_guard<std::mutex> hold(g_damagedLock);
  ++g_gathering;
}

KPictureDecoder::OneBox::~OneBox() {
  std::vector<std::string> pictures;
  {
    std::lock_guard<std::mutex> hold(g_damagedLock);
    if (--g_gathering == 0) pictures.swap(g_gathered);
  }
  tellDamaged(pictures);
}
