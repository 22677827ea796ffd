#pragma once
#include <cstdint>

#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

class CMapEntitiesCollection;
class CMapEntity_PacientClass;
class KEvent;

// Where the pointer is and how far it moved, kept by every tip and tutorial behaviour.
struct TPointerFollow {
  int16_t lastX = -1;
  int16_t lastY = -1;
  int16_t moveX = 0;
  int16_t moveY = 0;
  int32_t pointerX = 0;
  int32_t pointerY = 0;
  void follow(const KEvent *ev);
};

// The steps every tip and tutorial bubble shares: arrows, texts, opening the next bubble.
namespace tipkit {
// A "SIPKA" carried by the bubble at (dx, dy) from it, turned by angle degrees; dies with it.
CMapEntity_Game *carryArrow(CMapEntity *bubble, float dx, float dy, float angle = 0.0f);
// A "SIPKA" standing on its own at (x, y) above the ward.
CMapEntity_Game *freeArrow(CMapEntitiesCollection *collection, float x, float y, float angle = 0.0f, int z = 8);
// Takes down an arrow the bubble put up, standing on its own or carried by it, if it still stands,
// and forgets it.
void dropArrow(TEntityRef<CMapEntity_Game> &arrow, CMapEntitiesCollection *collection, CMapEntity *bubble);
// The longer arrow, 32 px further down, for one placed above a person whose head it must reach.
CMapEntity_Game *reachDown(CMapEntity_Game *arrow);
// Shows text in the bubble and its text box.
void writeText(CMapEntity_Game *bubble, const char *text);
// Clones the prototype by name, puts it at (x, y) and adds it to the level; null without a level.
CMapEntity_Game *open(CMapEntitiesCollection *collection, const char *name, float x, float y);
// Whether a tip or lesson bubble stands on the ward: a tip that comes on its own waits for it to
// go, so the player reads one at a time and no bubble covers what another's arrow points at.
bool bubbleStands(CMapEntitiesCollection *collection);
// Dims a bubble (with its text and arrows) while the pointer is in the 100-pixel band below its
// top, so that what it stands over can be seen and clicked; it stays where it was put, its words
// in view.
void hoverFade(CMapEntity_Game *bubble);
// Whether the patient sits at a chair whose gauge is full.
bool gaugeFull(CMapEntity_PacientClass *patient);
// Asks the patient, while at the desk, to wait there for the click a bubble teaches once the
// gauge is full; the patient's behaviour keeps that wait.
void askPatientToAwaitClick(CMapEntity_PacientClass *patient);
} // namespace tipkit
