#include "world/CMapEntity_Game.h"

#include "media/CGlobals.h"
#include "world/CMapEntitiesCollection.h"

CMapEntity_Game::CMapEntity_Game(unsigned short x, unsigned short y, bool solid)
    : CMapEntity((float)x, (float)y, solid), approachX(0), approachY(0), closing(0), locked(0), dragged(0),
      highlightAlpha(0), highlightRising(true), highlightOn(false) {
  active = false;
  setXY((float)x, (float)y);
}

// A copy carries nothing, so it cannot share the source's highlight entity: a class with a
// highlight clones its own aura and sets it after copying. The pulse starts rising again.
CMapEntity_Game::CMapEntity_Game(const CMapEntity_Game &o)
    : CMapEntity(o), approachX(o.approachX), approachY(o.approachY), closing(o.closing), locked(o.locked),
      dragged(o.dragged), highlightAlpha(o.highlightAlpha), highlightRising(true), highlightOn(o.highlightOn) {
  active = false;
}

// However it is deleted, the entity leaves its list first, so the list never holds a deleted one.
CMapEntity_Game::~CMapEntity_Game() {
  if (listedBy) listedBy->forgetEntity(this);
}

CMapEntitiesCollection *CMapEntity_Game::home() const {
  if (listedBy) return listedBy;
  const auto *top = dynamic_cast<const CMapEntity_Game *>(carrying().getTopCarrier());
  return top && top != this ? top->listedBy : nullptr;
}

CMapEntity_Game *CMapEntity_Game::clone() { return new CMapEntity_Game(*this); }

void CMapEntity_Game::renderAdditional(KGraphic *) {}

void CMapEntity_Game::animateAdditional() {
  if (!highlightOn) return;
  // The aura may have been dropped or deleted since it was set; pulse only one we still carry.
  CMapEntity *aura = getHighlight();
  if (!aura) return;
  float step = 0.04f * CGlobals::instance()->deltaFactor;
  bool falling = !highlightRising;
  if (highlightRising) {
    highlightAlpha += step;
    if (highlightAlpha >= 1.0f) {
      highlightAlpha = 1.0f;
      highlightRising = false;
      falling = true;
    }
  }
  if (falling) {
    highlightAlpha -= step;
    if (highlightAlpha <= 0.0f) {
      highlightAlpha = 0.0f;
      highlightRising = true;
    }
  }
  aura->setAlpha(highlightAlpha, true);
}
