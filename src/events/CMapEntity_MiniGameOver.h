#pragma once
#include <cstdint>
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The laboratory's countdown clock, drawn right-aligned at its position as "MM:SS".
class CMapEntity_MiniGameOver : public CCloneable<CMapEntity_MiniGameOver, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  void renderAdditional(KGraphic *g) override;
  static std::string clockText(int32_t ms);

  int32_t timeLeft = 0;
  int32_t timeLimit = 40000;
};
