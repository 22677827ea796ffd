#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A finished day's icon on the world map. The icons of a map number themselves in the order the
// level places them, the n-th on the stop of working day n + 2 (of the record's n-th finished day
// when the level list marks no days), and show what the player's record holds for that day: a
// tick, gold when it was finished with the expert rating, nothing when it holds none.
class CMapEntity_LevelCompleted : public CCloneable<CMapEntity_LevelCompleted, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // Takes the next number and the look of its day.
  CMapEntity_LevelCompleted(const CMapEntity_LevelCompleted &other);
  CMapEntity_LevelCompleted &operator=(const CMapEntity_LevelCompleted &) = delete;
  // A top-level icon going with its map restarts the numbering for the next map.
  ~CMapEntity_LevelCompleted() override;

  // A carried icon gives its number back to the next one cloned.
  void syncWithParentPosition() override;
  void renderAdditional(KGraphic *) override {}

  int32_t getPoradi() const { return poradi; }
  // The level list's entry of the icon's day; -1 when the list has no such day.
  int32_t getLevel() const { return level; }

  static int32_t globalPoradi;

private:
  int32_t poradi = 0;
  int32_t level = -1;
};
