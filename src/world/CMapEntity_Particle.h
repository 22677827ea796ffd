#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Short-lived sparks and stars; their behaviour moves, fades and kills them by their kind.
class CMapEntity_Particle : public CCloneable<CMapEntity_Particle, CMapEntity_Game> {
public:
  // Kinds of motion.
  static const int32_t kRising = 0;
  static const int32_t kBurst = 2;

  CMapEntity_Particle(unsigned short x, unsigned short y, bool solid);
  // Keeps the source's alpha: a particle copy fades from where its prototype stands.
  CMapEntity_Particle(const CMapEntity_Particle &other);

  int32_t typ = kRising;
};

// White sparkles where the player figure works; a copy starts at alpha 0.6.
class CMapEntity_WhiteParticle : public CCloneable<CMapEntity_WhiteParticle, CMapEntity_Particle> {
public:
  using CCloneable::CCloneable;
  CMapEntity_WhiteParticle(const CMapEntity_WhiteParticle &other) : CCloneable(other) { setAlpha(0.6f, true); }
};

// Red stars round a used perk icon.
class CMapEntity_RedStarParticle : public CCloneable<CMapEntity_RedStarParticle, CMapEntity_Particle> {
  using CCloneable::CCloneable;
};

// Gold stars that burst out of a bought upgrade and fall; a copy starts opaque.
class CMapEntity_StarParticle : public CCloneable<CMapEntity_StarParticle, CMapEntity_Particle> {
public:
  using CCloneable::CCloneable;
  CMapEntity_StarParticle(const CMapEntity_StarParticle &other) : CCloneable(other) { setAlpha(1.0f, true); }
};
