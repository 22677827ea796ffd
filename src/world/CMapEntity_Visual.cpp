#include "world/CMapEntity_Visual.h"

#include <cmath>

#include "engine/KGraphic.h"
#include "media/Frame.h"
#include "media/GameGlobals.h"
#include "media/ZSprite.h"

namespace {
TEntityRef<CMapEntity> *heldBy(CMapEntity *cursor) {
  if (auto *k = dynamic_cast<CMapEntity_Kurzor *>(cursor)) return &k->held;
  if (auto *k = dynamic_cast<CMapEntity_Kurzor2 *>(cursor)) return &k->held;
  return nullptr;
}
} // namespace

CMapEntity *draggedBy(CMapEntity *cursor, const CMapEntitiesCollection *c) {
  const TEntityRef<CMapEntity> *held = heldBy(cursor);
  return held ? held->in(c) : nullptr;
}

void setDragged(CMapEntity *cursor, CMapEntity *e) {
  if (TEntityRef<CMapEntity> *held = heldBy(cursor)) *held = e;
}

CMapEntity_DarkScreen::CMapEntity_DarkScreen(const CMapEntity_DarkScreen &o) : CCloneable(o) {
  setAlpha(0.35f, true);
}

void CMapEntity_DarkScreen::animateAdditional() {
  CCloneable::animateAdditional();
  if (looks().getAlpha() > maxAlpha) setAlpha(maxAlpha, false);
}

void CMapEntity_DarkScreen::renderAdditional(KGraphic *g) {
  KGraphic *screen = g ? g : backbuffer;
  if (!screen) return;
  screen->drawRect(0.0f, 0.0f, 800.0f, 600.0f, coverRed, coverGreen, coverBlue,
                   looks().getAlpha() > maxAlpha ? maxAlpha : looks().getAlpha());
}

bool CMapEntity_Sipka::tip(float &tx, float &ty) const {
  const Frame *f = looks().getCurrentFrame();
  if (!f) return false;
  const float w = (float)f->getSirka(), h = (float)f->getVyska();
  const double a = (looks().getSprite() ? looks().getSprite()->getAngle() : 0.0f) * 3.14159265358979 / 180.0;
  // Just beyond the frame's edge: the head's point lies 3 px inside it, and the pulse, which
  // zooms the arrow about its middle, carries it out by a few pixels more.
  const float reach = h / 2.0f + 1.0f;
  tx = getX() + w / 2.0f + reach * (float)std::sin(a);
  ty = getY() + h / 2.0f + reach * (float)std::cos(a);
  return true;
}
