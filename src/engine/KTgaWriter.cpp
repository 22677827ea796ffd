#include "engine/KTgaWriter.h"

#include <cerrno>
#include <cstdio>

int KTgaWriter::write(const char *path, const unsigned char *bgra, int width, int height) {
  if (!path || !bgra || width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return -1;
  unsigned char header[18] = {0};
  header[2] = 2; // uncompressed true colour
  header[12] = (unsigned char)(width & 0xFF);
  header[13] = (unsigned char)(width >> 8);
  header[14] = (unsigned char)(height & 0xFF);
  header[15] = (unsigned char)(height >> 8);
  header[16] = 32;
  header[17] = 0x28; // 8 alpha bits, rows stored from the top
  errno = 0;
  FILE *f = std::fopen(path, "wb");
  if (!f) return errno ? errno : -1;
  size_t rowBytes = (size_t)width * 4;
  bool ok = std::fwrite(header, 1, sizeof(header), f) == sizeof(header);
  for (int y = 0; ok && y < height; ++y)
    ok = std::fwrite(bgra + (size_t)y * rowBytes, 1, rowBytes, f) == rowBytes;
  int err = ok ? 0 : (errno ? errno : -1);
  if (std::fclose(f) != 0 && err == 0) err = errno ? errno : -1;
  if (err != 0) std::remove(path);
  return err;
}
