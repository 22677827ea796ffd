// sprites.xml: the sprite collection (sprites, framesets, frames and the pictures they cut).
#include <memory>

#include "FuzzSupport.h"
#include "media/CSurface.h"
#include "media/ZSpriteFactory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string path = fuzz::asFile(data, size, ".xml");
  auto sprites = std::make_unique<ZSpriteFactory>("kolekce");
  fuzz::guarded([&] { sprites->nahrajXML(path.c_str()); });
  sprites.reset();
  CSurfaceManager::destroyInstance();
  return 0;
}
