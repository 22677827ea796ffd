#pragma once
#include <cstdint>
#include <vector>

class CMapEntitiesCollection;
class CMapEntity_Game;
class Timer;

// A timed source of entities of a level: releases its waiting entities one at a time, the last
// listed first, the first once the start delay has passed and each next one an interval later.
// Both periods run on the game clock, so nothing is released while the game is paused.
class CEntityGenerator {
public:
  CEntityGenerator(int32_t x, int32_t y, int interval, int start);
  CEntityGenerator(const CEntityGenerator &) = delete;
  CEntityGenerator &operator=(const CEntityGenerator &) = delete;
  // Deletes the entities still waiting and both timers.
  ~CEntityGenerator();

  // Takes ownership until the entity is released.
  void pridej(CMapEntity_Game *e) { waiting.push_back(e); }
  // One level update: releases at most one entity into the collection; true when it did.
  bool update(CMapEntitiesCollection *collection);

  int32_t x;
  int32_t y;
  uint32_t first;
  Timer *interval;
  Timer *start;
  std::vector<CMapEntity_Game *> waiting;

private:
  void release(CMapEntitiesCollection *collection);
};
