#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Living decorations of a ward: they take no click and touch nothing else.

// A butterfly that flutters up when the pointer touches it and settles at y 85 again.
class CMapEntity_Motyl : public CCloneable<CMapEntity_Motyl, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  static constexpr int32_t kResting = 0;
  static constexpr int32_t kFlying = 1;

  int32_t stav = kResting;
};

// Only their sprite's frameset shows.
class CMapEntity_Parrot : public CCloneable<CMapEntity_Parrot, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

class CMapEntity_Masozravka : public CCloneable<CMapEntity_Masozravka, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
