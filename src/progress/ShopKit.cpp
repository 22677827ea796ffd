#include "progress/ShopKit.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "media/CFontSeznam.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_Game.h"

namespace shopkit {

CPlayer *player() {
  CEngine *running = CEngine::running();
  return running ? running->getPlayer() : nullptr;
}

void starBurst(CMapEntitiesCollection *c, CMapEntity *around, int count) {
  if (!c || !around) return;
  for (int i = 0; i < count; ++i) {
    CMapEntity_Game *p = CMapEntitiesFactory::instance()->cloneEntity("REDSTARPARTICLE");
    if (!p) return;
    int r1 = CRandom::draw();
    int r2 = CRandom::draw();
    int r3 = CRandom::draw();
    p->setXY(around->getX() + 20.0f - (float)(r1 % 40), around->getY() + 110.0f + (float)(r2 % 10));
    p->setZoom((float)(80 + r3 % 20) / 100.0f);
    c->addEntity(p);
  }
}
} // namespace shopkit
