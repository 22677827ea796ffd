#include "world/CMapEntity_Particle.h"

#include "world/kinds/EntityIds.h"

CMapEntity_Particle::CMapEntity_Particle(unsigned short x, unsigned short y, bool solid) : CCloneable(x, y, solid) {
  setEntityClassID(kParticleClass);
  setSortZ(2, false);
  setAlpha(0.65f, true);
}

CMapEntity_Particle::CMapEntity_Particle(const CMapEntity_Particle &o) : CCloneable(o), typ(o.typ) {
  setAlpha(o.looks().getAlpha(), true);
}
