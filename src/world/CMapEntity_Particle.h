#pragma once
#include <cstdint>

#include "world/CMapEntity_Game.h"

// Short-lived sparks and stars; their behaviour moves, fades and kills them by their kind.
class CMapEntity_Particle : public CMapEntity_Game {
public:
  // Kinds of motion.
  static const int32_t kRising = 0;
  static const int32_t kBurst = 2;

  CMapEntity_Particle(unsigned short x, unsigned short y, bool solid);
  // Keeps the source's alpha: a particle copy fades from where its prototype stands.
  CMapEntity_Particle(const CMapEntity_Particle &other);

  void useMethod() override {}
  CMapEntity_Particle *clone() override;
  void doAction() override {}
  ~CMapEntity_Particle() override;

  int32_t typ;
};

// White sparkles where the player figure works; a copy starts at alpha 0.6.
class CMapEntity_WhiteParticle : public CMapEntity_Particle {
public:
  CMapEntity_WhiteParticle(unsigned short x, unsigned short y, bool solid);
  CMapEntity_WhiteParticle(const CMapEntity_WhiteParticle &other);
  CMapEntity_WhiteParticle *clone() override;
  ~CMapEntity_WhiteParticle() override;
};

// Red stars round a used perk icon.
class CMapEntity_RedStarParticle : public CMapEntity_Particle {
public:
  CMapEntity_RedStarParticle(unsigned short x, unsigned short y, bool solid);
  CMapEntity_RedStarParticle(const CMapEntity_RedStarParticle &other);
  CMapEntity_RedStarParticle *clone() override;
  ~CMapEntity_RedStarParticle() override;
};

// Gold stars that burst out of a bought upgrade and fall; a copy starts opaque.
class CMapEntity_StarParticle : public CMapEntity_Particle {
public:
  CMapEntity_StarParticle(unsigned short x, unsigned short y, bool solid);
  CMapEntity_StarParticle(const CMapEntity_StarParticle &other);
  CMapEntity_StarParticle *clone() override;
  ~CMapEntity_StarParticle() override;
};
