#pragma once
#include <vector>

struct KTextureOptions;
class KTextureReady;
struct SDL_Surface;

// Picture files to pixels, without GL, so any thread may decode. The header's declared size is
// checked before a decoder allocates for it, and a TGA's data before SDL_image trusts it.
// The image the pictures are built from has an 18-byte TGA-style header and BGR(A) rows
// bottom first.
class KPictureDecoder {
public:
  // Reads and decodes a file into an image; null when it cannot, silently.
  static unsigned char *decodeFile(const char *path);
  // The same straight into a texture made ready (no mask, no key colour); null when it cannot.
  static KTextureReady *readyFromFile(const char *path, const KTextureOptions &options);
  // Tells the player in a message box, once a file, that a picture (or a font's picture) of the
  // game cannot be decoded whole and is left out, naming it and why; stderr has it too.
  static void reportDamaged(const char *path, const char *why);
  // While one lives the damaged pictures found are gathered, and told in one box when the last
  // ends: loading finds dozens in a broken install, and a box each would hold the player up.
  class OneBox {
  public:
    OneBox();
    ~OneBox();
    OneBox(const OneBox &) = delete;
    OneBox &operator=(const OneBox &) = delete;
  };
  // A file's whole contents; `report` says on stderr why it cannot, and tells one that is there but
  // empty or unreadable as damaged.
  static bool readFile(const char *path, std::vector<char> &data, bool report);
  // A file's bytes decoded into 32-bit ARGB pixels, or null (the reason in SDL's error). The
  // name picks the decoder; names it does not know go by content.
  static SDL_Surface *decodeSurface(const char *name, const char *data, long size);
  // The image of a surface of 32-bit ARGB pixels, the key colour made transparent when asked.
  // Null without memory.
  static unsigned char *imageOfSurface(SDL_Surface *surface, bool keyOn, unsigned char keyRed,
                                       unsigned char keyGreen, unsigned char keyBlue);
};
