#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/KGraphic.h"

// A region of a picture and where a packed texture keeps it: only `kept`, the part with visible
// pixels and a transparent texel around them (empty when nothing shows), lies at (x, y).
struct KPlacedRegion {
  KRegion from;
  KRegion kept;
  int x, y;
};

// How a picture's pixels become its texture.
struct KTextureOptions {
  // 1 plain 2-D texture of the picture's size, 2 rectangle texture, 3 padded to a power of two.
  int storage = 1;
  bool useAlpha = true;
  bool wrap = false;
  const unsigned char *mask = nullptr;
  long maskWidth = 0, maskHeight = 0;
  bool colorKey = false;
  unsigned char keyRed = 0, keyGreen = 0, keyBlue = 0;
  std::vector<KRegion> regions;
};

// A picture's texture made ready without GL, so that a worker thread can do it: the pixels laid
// out as the texture holds them (RGBA rows from the top) and what the picture keeps about them.
class KTextureReady {
public:
  KTextureReady() = default;
  ~KTextureReady() { delete[] pixels; }
  KTextureReady(const KTextureReady &) = delete;
  KTextureReady &operator=(const KTextureReady &) = delete;

  // From a decoded image (18-byte TGA-style header, BGR(A) rows bottom first), which it deletes;
  // false for an image it cannot read or without memory.
  bool prepare(unsigned char *image, const KTextureOptions &options);
  // From w x h RGBA rows from the top (new[]), which it deletes; no mask or key colour.
  bool adopt(unsigned char *rgba, long w, long h, const KTextureOptions &options);
  // The same from rows it only reads, `pitch` bytes apart.
  bool fromRows(const unsigned char *rows, long pitch, long w, long h, const KTextureOptions &options);

  long width = 0, height = 0;
  float positionX = 0, positionY = 0;
  bool rectangle = false;
  long textureWidth = 0, textureHeight = 0;
  bool texelTiling = false;
  unsigned char *pixels = nullptr;
  // Filled when only the regions are kept.
  std::vector<KPlacedRegion> placed;
  // Per 8 x 8 block of what the texture holds of the picture: the columns (low byte, bit per
  // column from the left) and rows (high byte, from the top) where a pixel shows; 0 for none.
  static const int kBlock = 8;
  std::vector<uint16_t> blocks;
  int blocksAcross = 0, blocksWide = 0, blocksHigh = 0;
  // For the prefetch: the options it was made with.
  bool useAlpha = true;
  std::vector<KRegion> regions;

private:
  void finish(const KTextureOptions &options);
  int storage = 1;
  // Takes the picture's size and the options every way of filling the texture starts from.
  void begin(long w, long h, const KTextureOptions &options);
  void choose(long w, long h, int storage);
  // Lays out only the regions, read from the whole texture's rows; false when not worth it.
  bool pack(const std::vector<KRegion> &parts, const unsigned char *rows, long pitch);
  void findBlocks(long w, long h);
};
