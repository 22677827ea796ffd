// The entity XML: "variables.xml" (values given to the entity prototypes by name) and a level's
// "_entities.xml" (the entities placed in it, the carriers and what they carry). The first byte
// picks the reader; a few plain prototypes stand in for the game's.
#include <memory>

#include "FuzzSupport.h"
#include "media/CSurface.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"

namespace {
void addPrototypes(CMapEntitiesFactory *factory) {
  unsigned id = 40000;
  for (const char *name : {"PROBE", "ADDER", "DEADDER", "POSTEL1"}) {
    CMapEntity_Game *p = new CMapEntity_Game(0, 0, false);
    p->name = name;
    p->setEntityID(id++);
    factory->addEntity(p);
  }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 1) return 0;
  const std::string path = fuzz::asFile(data + 1, size - 1, ".xml");
  CMapEntitiesFactory::destroyInstance();
  CMapEntitiesFactory *factory = CMapEntitiesFactory::instance();
  if (data[0] & 1) {
    fuzz::guarded([&] {
      factory->readVariables(path);
      addPrototypes(factory);
    });
  } else {
    addPrototypes(factory);
    auto entities = std::make_unique<CMapEntitiesCollection_Game>();
    fuzz::guarded([&] { entities->nahrajXML(path); });
  }
  CMapEntitiesFactory::destroyInstance();
  CSurfaceManager::destroyInstance();
  return 0;
}
