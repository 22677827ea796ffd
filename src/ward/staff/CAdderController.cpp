#include "ward/staff/CAdderController.h"

#include <vector>

#include "media/CGlobals.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_PostelClass.h"

namespace {
std::vector<CMapEntity *> piecesOf(CMapEntity_Game *carrier) {
  const std::vector<CMapEntity *> &all = carrier->carrying().getContainedList();
  return std::vector<CMapEntity *>(all.begin() + 1, all.end());
}

void noClicks(CMapEntity *e) {
  if (Frame *f = e->looks().getCurrentFrame()) {
    f->setAW(0);
    f->setAH(0);
  }
}

// Shows every piece at the carrier's fade; the pieces are only pictures while carried.
void showPieces(CMapEntity_Game *carrier, float alpha) {
  noClicks(carrier);
  for (CMapEntity *p : piecesOf(carrier)) {
    noClicks(p);
    p->setAlpha(alpha, true);
    p->setSortZ(p->looks().getSortZ(), false);
  }
}
} // namespace

void CAdderController::onBind() {
  if (entity) entity->setAlpha(0.0f, true);
}

void CAdderController::update() {
  if (!entity || CGlobals::instance()->paused) return;
  showPieces(entity, alpha);
  if (!done) alpha += 0.006f * CGlobals::instance()->speedFactor;
  std::vector<CMapEntity *> pieces = piecesOf(entity);
  if (alpha > 1.0f && !done) {
    alpha = 1.0f;
    done = 1;
    wait.reset();
    if (!pieces.empty()) pieces.front()->resetFlash();
  }
  if (!done) return;
  if (!pieces.empty()) pieces.front()->effectFlash(0.06f, 0.8f, true);
  if (wait.udalost()) replacePieces();
}

void CAdderController::replacePieces() {
  CWorldEngine *host = worldEngine();
  CSoundEngine *sound = host ? host->getSoundEngine() : nullptr;
  for (CMapEntity *piece : piecesOf(entity)) {
    CMapEntity_Game *copy = CMapEntitiesFactory::instance()->cloneEntity(piece->name);
    copy->setXY(entity->getX(), entity->getY());
    CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(copy);
    CMapEntity_PostelClass *shown = dynamic_cast<CMapEntity_PostelClass *>(piece);
    if (bed && shown) {
      // The working copy stands for the piece: it takes its colour and number, not a new one.
      bed->setBarva(shown->getColour());
      bed->setBedNumber(shown->getBedNumber());
      --poradi;
    }
    if (collection) {
      collection->addEntity(copy);
      collection->generateEntityCollisionList();
    }
    if (sound) sound->playSound(piece->getEntityID() == 201 ? "MAP_DOT" : "NEWUPGRADE");
  }
  killEntity();
}

void CDeAdderController::onBind() {
  if (entity) entity->setAlpha(1.0f, true);
}

void CDeAdderController::update() {
  if (!entity || CGlobals::instance()->paused) return;
  showPieces(entity, alpha);
  alpha -= 0.02f * CGlobals::instance()->speedFactor;
  if (alpha <= 0.0f) killEntity();
}
