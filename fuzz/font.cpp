// The fonts: a font is a picture of its letters (TGA or PNG) with a table built into the game; the
// picture is read whole into the image a text's texture is made from, with a key colour or not.
#include <SDL_image.h>

#include <string>

#include "FuzzSupport.h"
#include "engine/KPictureDecoder.h"
#include "engine/KTextureReady.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool ready = IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG) != 0;
  (void)ready;
  if (size < 1) return 0;
  const std::string path = fuzz::asFile(data + 1, size - 1, (data[0] & 1) ? ".tga" : ".png");
  unsigned char *image = KPictureDecoder::decodeFile(path.c_str());
  if (!image) return 0;
  KTextureOptions options;
  options.colorKey = (data[0] & 2) != 0;
  options.keyRed = 255;
  options.keyBlue = 255;
  options.storage = 1 + (data[0] >> 2) % 3;
  KTextureReady texture;
  texture.prepare(image, options);
  return 0;
}
