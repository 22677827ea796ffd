// The pictures (PNG, JPEG, TGA), as the picture workers read them: the first byte picks the kind
// (the decoder goes by the file name) and the texture's layout, the rest is the file.
#include <SDL_image.h>

#include <string>

#include "FuzzSupport.h"
#include "engine/KPictureDecoder.h"
#include "engine/KTextureReady.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool ready = IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG) != 0;
  (void)ready;
  if (size < 1) return 0;
  static const char *const kinds[] = {".png", ".jpg", ".tga", ".PNG"};
  const std::string path = fuzz::asFile(data + 1, size - 1, kinds[data[0] & 3]);
  KTextureOptions options;
  options.storage = 1 + (data[0] >> 2) % 3;
  options.useAlpha = (data[0] & 0x20) == 0;
  // A sheet kept as its frames, as sprite pictures are.
  if (data[0] & 0x40) options.regions = {{0, 0, 3, 5}, {2, 1, 40, 7}, {-1, 30, 9, 9}};
  delete KPictureDecoder::readyFromFile(path.c_str(), options);
  return 0;
}
