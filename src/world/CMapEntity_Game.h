#pragma once
#include <cstdint>

#include "world/CMapEntity.h"
#include "world/TEntityRef.h"

class CMapEntitiesCollection;

// The base of every prototype's class. Adds the pulsing highlight (a carried aura of
// `kHighlightClass` whose alpha swings between 0 and 1 while highlightOn is set) and words that the
// game's classes and behaviours keep on any entity.
class CMapEntity_Game : public CMapEntity {
public:
  CMapEntity_Game(unsigned short x, unsigned short y, bool solid);
  CMapEntity_Game(const CMapEntity_Game &other);

  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  CMapEntity_Game *clone() override;
  ~CMapEntity_Game() override;

  // The aura is one of the entities this one carries; null once it carries it no longer.
  void setHighlight(CMapEntity *e) { highlight = e; }
  CMapEntity *getHighlight() const { return highlight.among(carrying().getContainedList()); }
  void setHighlightOn(bool on) { highlightOn = on; }
  bool getHighlightOn() const { return highlightOn; }
  float getHighlightAlpha() const { return highlightAlpha; }
  bool getHighlightRising() const { return highlightRising; }

  // Where the player figure works on the entity, relative to its position (both 0: the entity's
  // own tile). Some prototypes use the pair for values of their own.
  int32_t approachX;
  int32_t approachY;
  // Set when a panel is to close; its fade reads it.
  int32_t closing;
  // While not 0 the entity ignores the mouse and the cursors keep their look over it.
  int32_t locked;
  // 1 while the entity is being dragged with the mouse.
  int32_t dragged;

  // The level list that holds the entity, null while none does; only the list sets it.
  CMapEntitiesCollection *listedIn() const { return listedBy; }
  // Where the entities it keeps by handle are found again: its own list, or for one carried
  // outside any list, the list of the carrier at the top of its tree.
  CMapEntitiesCollection *home() const;

protected:
  float highlightAlpha;
  bool highlightRising;
  bool highlightOn;
  TEntityRef<CMapEntity> highlight;

private:
  friend class CMapEntitiesCollection;
  CMapEntitiesCollection *listedBy = nullptr;
};
