#pragma once

#include <string>
#include <vector>

#include "media/Frame.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/player/CPlayerController.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CPathFinder.h"
#include "world/kinds/EntityIds.h"

// A person answers a cough this long after it starts; the figure's frames are this long.
const int kCoughAnswerMs = 300, kWalkFrameMs = 20;

// A tile the doctor works from, and the thing she works there (none for her start).
struct TSpot {
  std::string name;
  int x = 0, y = 0;
  CMapEntity_Game *thing = nullptr;
};

// Puts the figure's foot on the centre of the tile.
inline void standOnTile(CMapEntity_Player *p, int tx, int ty) {
  const Rect b = p->looks().getCurrentFrame()->getBoundingBox();
  p->setXY((float)(tx * 32 + 16 - b.x) - (float)b.w * 0.5f, (float)(ty * 32 + 16 - b.y) - (float)b.h * 0.5f);
}

// Where a click on the middle of the thing's picture sends her: the tile the path finder makes of
// the click's goal; false when that lies off the ward.
inline bool workSpotOf(CPlayerController *w, CMapEntity_Game *thing, TSpot &out) {
  Frame *f = thing->looks().getCurrentFrame();
  Rect a = f ? f->getActionBoundingBox() : Rect{0, 0, 0, 0};
  int tx = 0, ty = 0;
  std::vector<CMapEntity *> under{thing};
  if (!w->clickGoal(under, thing->getX() + (float)(a.x + a.w / 2), thing->getY() + (float)(a.y + a.h / 2), tx, ty))
    return false;
  uint16_t ex = 0, ey = 0;
  CPathFinder::instance()->showAPath((uint16_t)tx, (uint16_t)ty, (uint16_t)tx, (uint16_t)ty, &ex, &ey);
  out = TSpot{thing->name, ex, ey, thing};
  return ex < 25 && ey < 19;
}

// Her start and the spots she usually works from: the cabinets', the trolleys' and every bed's;
// with every station, the spray stand's and the dispensers' too. A thing whose click leads
// nowhere is left out and named in `nowhere`.
inline std::vector<TSpot> usualSpots(CLevel_Game *level, CMapEntity_Player *p, CPlayerController *w,
                                         bool everyStation, std::vector<std::string> &nowhere) {
  Rect b = p->looks().getCurrentFrame()->getBoundingBox();
  std::vector<TSpot> spots{TSpot{"start", ((int)p->getX() + b.x + b.w / 2) / 32, ((int)p->getY() + b.y + b.h / 2) / 32}};
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) {
    const uint32_t cls = e->getEntityClassID();
    const bool station = everyStation && (cls == kDispenserClass || e->getEntityID() == kSprayStandID);
    if (cls != kCabinetClass && cls != kBedClass && cls != kTrolleyClass && !station) continue;
    TSpot s;
    if (workSpotOf(w, e, s)) spots.push_back(s);
    else nowhere.push_back(e->name);
  }
  return spots;
}

// Game time of the figure's walk between two tiles, ordered as a click orders it: she stands on
// the first tile's centre with nothing queued and walks to the second. `step` runs one frame of
// `frameMs`; -1 when she has not arrived within 400 frames.
template <class Step>
int timedWalkMs(CLevel_Game *level, CMapEntity_Player *p, CPlayerController *w, int fromX, int fromY, int toX,
                int toY, int frameMs, Step step) {
  CMapEntity_FrontaAkci *q = CMapEntity_FrontaAkci::najdi(level->getEC());
  q->setClear(true);
  step();
  standOnTile(p, fromX, fromY);
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
