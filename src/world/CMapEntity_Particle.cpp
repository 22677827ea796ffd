#include "world/CMapEntity_Particle.h"

#include "world/kinds/EntityIds.h"

CMapEntity_Particle::CMapEntity_Particle(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Game(x, y, solid), typ(kRising) {
  setEntityClassID(kParticleClass);
  setSortZ(2, false);
  setAlpha(0.65f, true);
}

CMapEntity_Particle::CMapEntity_Particle(const CMapEntity_Particle &o) : CMapEntity_Game(o), typ(o.typ) {
  setAlpha(o.alpha, true);
}

CMapEntity_Particle::~CMapEntity_Particle() {}

CMapEntity_Particle *CMapEntity_Particle::clone() { return new CMapEntity_Particle(*this); }

CMapEntity_WhiteParticle::CMapEntity_WhiteParticle(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Particle(x, y, solid) {}

CMapEntity_WhiteParticle::CMapEntity_WhiteParticle(const CMapEntity_WhiteParticle &o) : CMapEntity_Particle(o) {
  setAlpha(0.6f, true);
}

CMapEntity_WhiteParticle::~CMapEntity_WhiteParticle() {}

CMapEntity_WhiteParticle *CMapEntity_WhiteParticle::clone() { return new CMapEntity_WhiteParticle(*this); }

CMapEntity_RedStarParticle::CMapEntity_RedStarParticle(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Particle(x, y, solid) {}

CMapEntity_RedStarParticle::CMapEntity_RedStarParticle(const CMapEntity_RedStarParticle &o)
    : CMapEntity_Particle(o) {}

CMapEntity_RedStarParticle::~CMapEntity_RedStarParticle() {}

CMapEntity_RedStarParticle *CMapEntity_RedStarParticle::clone() { return new CMapEntity_RedStarParticle(*this); }

CMapEntity_StarParticle::CMapEntity_StarParticle(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Particle(x, y, solid) {}

CMapEntity_StarParticle::CMapEntity_StarParticle(const CMapEntity_StarParticle &o) : CMapEntity_Particle(o) {
  setAlpha(1.0f, true);
}

CMapEntity_StarParticle::~CMapEntity_StarParticle() {}

CMapEntity_StarParticle *CMapEntity_StarParticle::clone() { return new CMapEntity_StarParticle(*this); }
