#pragma once

#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

class CMapEntitiesCollection;

// A germ as the ward's patients see it: the bed it has chosen and the mood its stay there will
// still take from whoever lies in it. Its behaviour tells it both every frame.
class CMapEntity_BacilyClass : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;

  void foretell(const CMapEntity *bed, float drain) {
    prey = bed;
    drainAhead = bed ? drain : 0.0f;
  }
  // What the germs that chose the bed will still take, summed (a positive amount of mood).
  static float drainAheadAt(CMapEntitiesCollection *c, const CMapEntity *bed);

private:
  // Compared only, never followed.
  TEntityRef<CMapEntity> prey;
  float drainAhead = 0.0f;
};
