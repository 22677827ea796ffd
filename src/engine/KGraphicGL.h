#pragma once
#include <vector>

#include "engine/KGLBlitter.h"

struct SDL_Surface;

// The OpenGL picture: loads picture files (decoded by KPictureDecoder, or taken ready from the
// workers' prefetch), with an optional mask file and key colour, into its texture (KGLTexture)
// and draws it (KGLBlitter).
class KGraphicGL : public KGLBlitter {
public:
  KGraphicGL();
  ~KGraphicGL() override;

  bool loadPictureWithMask(const char *picture, const char *mask, bool sizedFormat) override;
  bool loadPictureFromPtr(const char *name, unsigned char *data, unsigned long size, bool sizedFormat,
                          bool useAlpha) override;
  bool loadPicture(const char *path, bool sizedFormat, bool useAlpha) override;
  bool loadPictureReady(const char *path, KTextureReady *ready, bool sizedFormat, bool useAlpha) override;
  void setHotSpot(short a, short b, short c, short d, short e, short f) override;

  // Picture image (18-byte TGA-style header, BGR(A) rows bottom first) builders and steps.
  // decodeFile reads and decodes a file without a picture (any thread may call it); null
  // when it cannot, silently.
  static unsigned char *decodeFile(const char *path);
  // The same straight into a texture made ready (no mask, no key colour); null when it cannot.
  static KTextureReady *readyFromFile(const char *path, const KTextureOptions &options);
  static bool readFile(const char *path, std::vector<char> &data, bool report);
  unsigned char *LoadGeneric(char *path);
  bool LoadRamPicture(char *name, char *data, long size);
  bool CreateBitmap(short width, short height);
  bool buildGLTexture(unsigned char *image, bool sizedFormat, bool useAlpha);
  unsigned char *LoadTGA(char *path);
  bool LoadQuicktimeBitmap(char *path);
  void QTDeleteBitmap();

  SDL_Surface *offscreen;
  unsigned char *mask;
  long maskWidth, maskHeight;
  int hotSpot[6];

private:
  unsigned char *imageFromOffscreen();
};
