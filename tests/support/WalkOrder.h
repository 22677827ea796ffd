#pragma once

#include "media/Frame.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerController.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"

// Game time of the figure's walk between two tiles, ordered as a click orders it: she stands on
// the first tile's centre with nothing queued and walks to the second. `step` runs one frame of
// `frameMs`; -1 when she has not arrived within 400 frames.
template <class Step>
int timedWalkMs(CLevel_Game *level, CMapEntity_Player *p, CPlayerController *w, int fromX, int fromY, int toX,
                int toY, int frameMs, Step step) {
  CMapEntity_FrontaAkci *q = CMapEntity_FrontaAkci::najdi(level->getEC());
  q->setClear(true);
  step();
  Rect b = p->looks().getCurrentFrame()->getBoundingBox();
  p->setXY((float)(fromX * 32 + 16 - b.x) - (float)b.w * 0.5f, (float)(fromY * 32 + 16 - b.y) - (float)b.h * 0.5f);
  p->goalX = p->goalY = -1;
  p->workPhase = CPlayerController::kDeciding;
  w->orderWalkTo(toX, toY);
  q->flushPredFronta();
  for (int frames = 1; frames <= 400; ++frames) {
    step();
    if (w->arrivedNow()) return frames * frameMs;
  }
  return -1;
}
