#include "engine/KTextureReady.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace {
int readLE16(const unsigned char *p) { return p[0] | (p[1] << 8); }

long pow2Up(long v) {
  long s = 1;
  while (s < v) s *= 2;
  return s;
}
} // namespace

void KTextureReady::begin(long w, long h, const KTextureOptions &o) {
  width = w;
  height = h;
  useAlpha = o.useAlpha;
  regions = o.regions;
  storage = o.storage;
  choose(w, h, storage);
}

void KTextureReady::choose(long w, long h, int storage) {
  long size = 4;
  while (std::max(w, h) > size) size *= 2;
  texelTiling = !(w == size && h == w);
  rectangle = false;
  if (!texelTiling) {
    textureWidth = textureHeight = size;
  } else if (storage == 2) {
    rectangle = true;
    textureWidth = w;
    textureHeight = h;
  } else if (storage == 3) {
    textureWidth = pow2Up(w);
    textureHeight = pow2Up(h);
  } else {
    textureWidth = w;
    textureHeight = h;
  }
}

bool KTextureReady::prepare(unsigned char *image, const KTextureOptions &o) {
  if (!image) return false;
  positionX = (float)readLE16(image + 8);
  positionY = (float)readLE16(image + 10);
  int bits = image[16];
  long w = (short)readLE16(image + 12), h = (short)readLE16(image + 14);
  if (bits < 24 || w <= 0 || h <= 0) {
    delete[] image;
    return false;
  }
  begin(w, h, o);
  const unsigned char *mask = o.mask;
  if (mask && (o.maskWidth != w || o.maskHeight != h)) {
    std::fprintf(stderr, "KGraphicGL: mask of %ldx%ld does not fit a picture of %ldx%ld, ignored\n", o.maskWidth,
                 o.maskHeight, w, h);
    mask = nullptr;
  }
  const long tw = textureWidth;
  pixels = new (std::nothrow) unsigned char[(size_t)tw * (size_t)textureHeight * 4]();
  if (!pixels) {
    delete[] image;
    return false;
  }
  const int step = bits / 8;
  if (bits == 24 || bits == 32) {
    for (long k = 0; k < h; ++k) {
      const unsigned char *row = image + 18 + (h - 1 - k) * w * step;
      unsigned char *t = pixels + k * tw * 4;
      const long maskRow = (h - 1 - k) * w;
      for (long x = 0; x < w; ++x, t += 4) {
        const unsigned char *p = row + x * step;
        t[0] = p[2];
        t[1] = p[1];
        t[2] = p[0];
        if (bits == 24) {
          t[3] = mask ? mask[maskRow + x] : 255;
          if (o.colorKey && p[2] == o.keyRed && p[1] == o.keyGreen && p[0] == o.keyBlue) t[3] = 0;
        } else {
          t[3] = mask ? mask[maskRow + x] : p[3];
          if (!o.useAlpha) t[3] = 255;
        }
      }
    }
  }
  delete[] image;
  finish(o);
  return true;
}

bool KTextureReady::adopt(unsigned char *rgba, long w, long h, const KTextureOptions &o) {
  bool ok = rgba && fromRows(rgba, w * 4, w, h, o);
  delete[] rgba;
  return ok;
}

bool KTextureReady::fromRows(const unsigned char *rows, long pitch, long w, long h, const KTextureOptions &o) {
  if (!rows || w <= 0 || h <= 0 || w > 32767 || h > 32767) return false;
  begin(w, h, o);
  // Whole pictures are laid out straight from the rows; packed ones take only their regions.
  if (!(o.useAlpha && !o.wrap && !o.regions.empty() && pack(o.regions, rows, pitch))) {
    pixels = new (std::nothrow) unsigned char[(size_t)textureWidth * (size_t)textureHeight * 4]();
    if (!pixels) return false;
    for (long y = 0; y < h; ++y) std::memcpy(pixels + y * textureWidth * 4, rows + y * pitch, (size_t)w * 4);
  }
  if (!o.useAlpha)
    for (long y = 0; y < h; ++y)
      for (long x = 0; x < w; ++x) pixels[(y * textureWidth + x) * 4 + 3] = 255;
  if (o.useAlpha) findBlocks(placed.empty() ? width : textureWidth, placed.empty() ? height : textureHeight);
  return true;
}

void KTextureReady::finish(const KTextureOptions &o) {
  unsigned char *whole = pixels;
  bool packed = o.useAlpha && !o.wrap && !o.regions.empty() && pack(o.regions, whole, textureWidth * 4);
  if (packed) delete[] whole;
  if (o.useAlpha) findBlocks(packed ? textureWidth : width, packed ? textureHeight : height);
}

// Keeps only the regions, each with a ring of the texels around it (so filtering at its edge
// reads what it read in the whole texture), packed in rows as wide as the picture. Worth it only
// when they cover well under the picture.
// Keeps only the regions, each cut to the part that shows (with one transparent texel around it,
// so filtering reaches what it always reached) and framed by a ring of the texels beyond it (so
// filtering at its edge reads what it read in the whole texture), packed in rows as wide as the
// picture. Worth it only when they take well under the picture.
bool KTextureReady::pack(const std::vector<KRegion> &wanted, const unsigned char *rows, long pitch) {
  const long w = width, h = height;
  std::vector<KPlacedRegion> at;
  long area = 0;
  for (const KRegion &r : wanted) {
    if (r.w <= 0 || r.h <= 0 || r.x < 0 || r.y < 0 || r.x + r.w > w || r.y + r.h > h || r.w + 2 > w) return false;
    bool seen = false;
    for (const KPlacedRegion &p : at) seen = seen || (p.from.x == r.x && p.from.y == r.y && p.from.w == r.w && p.from.h == r.h);
    if (seen) continue;
    long left = r.x + r.w, right = r.x, top = r.y + r.h, bottom = r.y;
    for (long y = r.y; y < r.y + r.h; ++y) {
      const unsigned char *row = rows + y * pitch;
      for (long x = r.x; x < r.x + r.w; ++x) {
        if (!row[x * 4 + 3]) continue;
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
    }
    KRegion kept{(int)r.x, (int)r.y, 0, 0};
    if (right > left) {
      left = std::max((long)r.x, left - 1);
      top = std::max((long)r.y, top - 1);
      right = std::min((long)(r.x + r.w), right + 1);
      bottom = std::min((long)(r.y + r.h), bottom + 1);
      kept = {(int)left, (int)top, (int)(right - left), (int)(bottom - top)};
      area += (long)(kept.w + 2) * (kept.h + 2);
    }
    at.push_back({r, kept, 0, 0});
  }
  if (at.empty() || area * 10 > w * h * 6) return false;
  std::vector<KPlacedRegion *> order;
  for (KPlacedRegion &p : at) order.push_back(&p);
  std::stable_sort(order.begin(), order.end(),
                   [](const KPlacedRegion *a, const KPlacedRegion *b) { return a->kept.h > b->kept.h; });
  long px = 0, py = 0, rowH = 0;
  for (KPlacedRegion *p : order) {
    if (p->kept.w == 0) continue;
    if (px + p->kept.w + 2 > w) {
      py += rowH;
      px = 0;
      rowH = 0;
    }
    p->x = (int)px + 1;
    p->y = (int)py + 1;
    px += p->kept.w + 2;
    rowH = std::max(rowH, (long)p->kept.h + 2);
  }
  const long fullW = textureWidth, fullH = textureHeight;
  const bool fullTiling = texelTiling, fullRectangle = rectangle;
  choose(w, std::max(py + rowH, 1L), storage);
  const long tw = textureWidth, th = textureHeight;
  unsigned char *out = new (std::nothrow) unsigned char[(size_t)tw * (size_t)th * 4]();
  if (!out) {
    textureWidth = fullW;
    textureHeight = fullH;
    texelTiling = fullTiling;
    rectangle = fullRectangle;
    return false;
  }
  // Texels beyond the whole texture's edge clamp to it, as its sampling did; the texture's
  // padding past the picture is empty.
  static const unsigned char empty[4] = {0, 0, 0, 0};
  auto clampTo = [](long v, long hi) { return v < 0 ? 0 : (v > hi ? hi : v); };
  for (const KPlacedRegion &p : at)
    for (long yy = -1; p.kept.w && yy <= p.kept.h; ++yy) {
      const long sy = clampTo(p.kept.y + yy, fullH - 1);
      for (long xx = -1; xx <= p.kept.w; ++xx) {
        const long sx = clampTo(p.kept.x + xx, fullW - 1);
        const unsigned char *texel = sx < w && sy < h ? rows + sy * pitch + sx * 4 : empty;
        std::memcpy(out + ((p.y + yy) * tw + (p.x + xx)) * 4, texel, 4);
      }
    }
  pixels = out;
  placed = at;
  return true;
}

void KTextureReady::findBlocks(long w, long h) {
  blocksWide = (int)w;
  blocksHigh = (int)h;
  blocksAcross = (int)((w + kBlock - 1) / kBlock);
  const int down = (int)((h + kBlock - 1) / kBlock);
  blocks.assign((size_t)blocksAcross * down, 0);
  for (long y = 0; y < h; ++y) {
    const unsigned char *row = pixels + (size_t)y * textureWidth * 4;
    uint16_t *b = blocks.data() + (size_t)(y / kBlock) * blocksAcross;
    const uint16_t rowBit = (uint16_t)(0x100 << (y % kBlock));
    for (long x = 0; x < w; ++x)
      if (row[x * 4 + 3]) b[x / kBlock] |= (uint16_t)(rowBit | 1 << (x % kBlock));
  }
}
