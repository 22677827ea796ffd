#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The pictures of the victory screen that follows the last working day.

// The hero the player chose: every copy shows the hero's sex as it is when the screen is built.
class CMapEntity_VictoryPlayer : public CCloneable<CMapEntity_VictoryPlayer, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  CMapEntity_VictoryPlayer(const CMapEntity_VictoryPlayer &other);
  CMapEntity_VictoryPlayer &operator=(const CMapEntity_VictoryPlayer &) = delete;
};

class CMapEntity_VictoryCongrats : public CCloneable<CMapEntity_VictoryCongrats, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// Falls over the screen with its behaviour and starts again from the top.
class CMapEntity_VictoryConfetti : public CCloneable<CMapEntity_VictoryConfetti, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
