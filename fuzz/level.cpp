// A level's definitions: the level list, the level's "_defs.xml", and its tiles and map (the
// tile definitions and the map are read from the same input, each looking for its own root).
// The first byte picks the reader.
#include <memory>

#include "FuzzSupport.h"
#include "media/CSurface.h"
#include "world/CLevel.h"
#include "world/CLevelList.h"
#include "world/CMapa.h"
#include "world/CMapEntitiesFactory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 1) return 0;
  const std::string path = fuzz::asFile(data + 1, size - 1, ".xml");
  switch (data[0] % 3) {
  case 0: {
    CLevelList list;
    fuzz::guarded([&] { list.load(path); });
    for (uint16_t i = 0; i < list.getSize(); ++i) list.getLevel(i);
    break;
  }
  case 1: {
    auto level = std::make_unique<CLevel>(nullptr);
    fuzz::guarded([&] { level->nahrajDefs(path); });
    break;
  }
  default: {
    auto mapa = std::make_unique<CMapa>();
    fuzz::guarded([&] {
      mapa->nahrajDefiniceXML(path);
      mapa->nahrajMapuXML(path);
    });
    for (unsigned layer = 0; layer < 3; ++layer) mapa->isWalkable(layer, 0);
    break;
  }
  }
  CMapEntitiesFactory::destroyInstance();
  CSurfaceManager::destroyInstance();
  return 0;
}
