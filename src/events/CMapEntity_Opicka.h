#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The monkey that rides a bedded patient; its state lives here so that a copy keeps it.
class CMapEntity_Opicka : public CCloneable<CMapEntity_Opicka, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  static constexpr uint16_t kChoosing = 0;
  static constexpr uint16_t kFalling = 1;
  static constexpr uint16_t kRiding = 2;
  static constexpr uint16_t kLeaving = 3;

  uint16_t stav = kChoosing;
};

// Invisible: its behaviour releases the monkeys of a day.
class CMapEntity_OpickaGenerator : public CCloneable<CMapEntity_OpickaGenerator, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
