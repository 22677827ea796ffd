#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

class KGraphic;

// Entities that only show something: what they do lies in the behaviour bound to their name.

// A bubble that rises and starts again at the bottom.
class CMapEntity_Bublina : public CCloneable<CMapEntity_Bublina, CMapEntity_Game> { using CCloneable::CCloneable; };

// A comic page: a screen of its own, faded in, shown until a click, faded out.
class CMapEntity_Comic : public CCloneable<CMapEntity_Comic, CMapEntity_Game> { using CCloneable::CCloneable; };

// Invisible chimney-smoke emitter of the home; its behaviour puffs dust.
class CMapEntity_DomovKour : public CCloneable<CMapEntity_DomovKour, CMapEntity_Game> { using CCloneable::CCloneable; };

// One puff of the plane's smoke trail on the world map; grows and fades away.
class CMapEntity_LetadloKour : public CCloneable<CMapEntity_LetadloKour, CMapEntity_Game> { using CCloneable::CCloneable; };

// The pointing arrow that shows the player what to click; it pulses until removed.
class CMapEntity_Sipka : public CCloneable<CMapEntity_Sipka, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // The spot its head points at on screen, just beyond the head: the picture points down, turned
  // by its sprite's angle (90 to the right, 180 up). False without a frame.
  bool tip(float &x, float &y) const;
};

// The game's own mouse pointers, drawn as entities of the level. Their action box is how the
// rest of the game finds what lies under the mouse; whatever a cursor carries moves with it.
class CMapEntity_Kurzor : public CCloneable<CMapEntity_Kurzor, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  // The entity being dragged with the mouse; set and cleared by whoever drags (dragged, drag).
  TEntityRef<CMapEntity> held;
};

class CMapEntity_Kurzor2 : public CCloneable<CMapEntity_Kurzor2, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  TEntityRef<CMapEntity> held;
};

// What a cursor of either kind drags while the list holds it; null for none or for another entity.
CMapEntity *draggedBy(CMapEntity *cursor, const CMapEntitiesCollection *c);
// The cursor drags e from now on (null: nothing); another entity than a cursor ignores it.
void setDragged(CMapEntity *cursor, CMapEntity *e);

// A translucent cover over the whole screen behind an open window, carried by the window so it
// follows the window's fades; it never gets darker than its maximum alpha.
class CMapEntity_DarkScreen : public CCloneable<CMapEntity_DarkScreen, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // Every copy is black with maximum alpha 0.35, whatever the source holds.
  CMapEntity_DarkScreen(const CMapEntity_DarkScreen &other);

  void animateAdditional() override;
  void renderAdditional(KGraphic *g) override;

  float coverRed = 0.0f;
  float coverGreen = 0.0f;
  float coverBlue = 0.0f;
  float maxAlpha = 0.35f;
};
