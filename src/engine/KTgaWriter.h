#pragma once

// Writes uncompressed 32-bit TGA pictures (the screenshot format).
class KTgaWriter {
public:
  // bgra: width x height pixels of B, G, R, A bytes, rows from the top.
  // Returns 0 when the whole file was written, otherwise an error number (errno, or -1).
  static int write(const char *path, const unsigned char *bgra, int width, int height);
};
