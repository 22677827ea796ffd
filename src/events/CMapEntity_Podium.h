#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/kinds/EntityIds.h"

// The band's podium, a solid obstacle; a copy brings its two musicians along.
class CMapEntity_Podium : public CCloneable<CMapEntity_Podium, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  CMapEntity_Podium(const CMapEntity_Podium &other);

  // 1 while a click starts the band.
  int32_t ready = 0;
};

// A musician; a copy carries its aura, hidden, as the highlight that pulses while the band is ready.
class CMapEntity_Hudebnik : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;

protected:
  void carryAura(const char *prototype, float xOffset, float yOffset);
};

class CMapEntity_Hudebnik1 : public CCloneable<CMapEntity_Hudebnik1, CMapEntity_Hudebnik> {
public:
  using CCloneable::CCloneable;
  CMapEntity_Hudebnik1(const CMapEntity_Hudebnik1 &other);
};

class CMapEntity_Hudebnik2 : public CCloneable<CMapEntity_Hudebnik2, CMapEntity_Hudebnik> {
public:
  using CCloneable::CCloneable;
  CMapEntity_Hudebnik2(const CMapEntity_Hudebnik2 &other);
};

// A musician's aura (`kHighlightClass`, skipped by its carrier's alpha changes). Dying, it takes
// itself off its musician's highlight so the musician never pulses a deleted aura.
class CMapEntity_HudebnikAura : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  CMapEntity_HudebnikAura(const CMapEntity_HudebnikAura &) = default;
  ~CMapEntity_HudebnikAura() override;
};

class CMapEntity_Hudebnik1Aura : public CCloneable<CMapEntity_Hudebnik1Aura, CMapEntity_HudebnikAura> {
  using CCloneable::CCloneable;
};
class CMapEntity_Hudebnik2Aura : public CCloneable<CMapEntity_Hudebnik2Aura, CMapEntity_HudebnikAura> {
  using CCloneable::CCloneable;
};
