#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The jester who peeks in from the right edge; clicked while he waits, he cheers every patient.
class CMapEntity_Sasek : public CCloneable<CMapEntity_Sasek, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  static constexpr int32_t kAway = 0;
  static constexpr int32_t kWalkingIn = 1;
  static constexpr int32_t kWaiting = 2;
  static constexpr int32_t kWalkingOut = 3;
  static constexpr int32_t kPerforming = 4;

  int32_t stav = kAway;
};
