#include "events/CDNAController.h"

#include "core/CEngine.h"
#include "engine/KInput.h"
#include "events/CDNAGeneratorController.h"
#include "events/CMapEntity_DNA.h"
#include "events/CMapEntity_Miska.h"
#include "events/CMiskaController.h"
#include "events/LabIds.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/ZSprite.h"
#include "world/CCaption.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CMapEntity_Visual.h"
#include "world/CWorldEngine.h"

namespace {
void playSound(CEngine *engine, const char *key) {
  CWorldEngine *host = engine;
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}
} // namespace

void CDNAController::onBind() {
  if (entity) entity->setAlpha(alpha, true);
}

void CDNAController::generujBakterii(float x, float y) {
  if (CDNAGeneratorController *g = CDNAGeneratorController::find(collection)) g->generujBakterii(x, y);
}

void CDNAController::update() {
  mouseX = (int32_t)KInput::getMouseX();
  mouseY = (int32_t)KInput::getMouseY();
  CMapEntity_DNA *piece = dynamic_cast<CMapEntity_DNA *>(entity);
  if (!piece || !collection) return;
  if (piece->carrying().getParent()) {
    piece->effectFlash(0.1f, 1.0f, true);
    return;
  }
  CMapEntity_Kurzor2 *cursor = dynamic_cast<CMapEntity_Kurzor2 *>(collection->getEntityByID(kCursor2ID));
  const bool held = cursor && cursor->held.is(piece);

  piece->changeX(piece->xSpeed);
  piece->changeY(piece->ySpeed);
  // Outside the band a piece is turned back only while it still moves away from it: once on
  // crossing, and never again on its way back in.
  if (!held && piece->getX() < CDNAGeneratorController::kBandLeft && piece->xSpeed < 0.0f)
    piece->xSpeed = -piece->xSpeed;
  if (!held && piece->getX() > CDNAGeneratorController::kBandRight && piece->xSpeed > 0.0f)
    piece->xSpeed = -piece->xSpeed;

  if (!held && (piece->getY() < 0.0f || piece->getY() > CDNAGeneratorController::kFieldBottom)) {
    const bool top = piece->getY() < 0.0f;
    piece->setKill(true);
    generujBakterii(piece->getX(), top ? CDNAGeneratorController::kFieldBottom : 0.0f);
    return;
  }

  if (piece->spin > 360.0f) piece->spin = 0.0f;
  if (piece->spin < 0.0f) piece->spin = 360.0f;
  if (piece->looks().getSprite()) piece->looks().getSprite()->changeAngle(piece->spin);

  if (!cursor) return;
  const bool button = KInput::getLeftButtonState();
  const bool touched = piece->hits().isActionCollisionWithEntity(cursor);
  if (touched && button && !cursor->held.in(collection)) {
    cursor->held = piece;
    playSound(engine, "CLICK");
  }
  if (touched) {
    hovered = 1;
    piece->resetFlash();
  }
  if (hovered) piece->effectFlash(0.1f, 1.0f, true);

  if (!cursor->held.is(piece)) return;
  if (button) {
    Frame *fr = piece->looks().getCurrentFrame();
    const int ax = fr ? fr->getAX() : 0, ay = fr ? fr->getAY() : 0;
    const int aw = fr ? fr->getAW() : 0, ah = fr ? fr->getAH() : 0;
    piece->setXY((float)(mouseX - ax - aw / 2), (float)(mouseY - ay - ah / 2));
  } else {
    cursor->held.clear();
    drop(piece, cursor);
  }
}

void CDNAController::drop(CMapEntity_DNA *piece, CMapEntity_Game *cursor) {
  CMapEntity_Miska *dish = dynamic_cast<CMapEntity_Miska *>(cursor->hits().isActionCollisionWithEntityID(kMiskaID));
  if (!dish) return;
  CMapEntity_DNA *wanted = dynamic_cast<CMapEntity_DNA *>(dish->getContainedEntity(kDnaID));
  const bool match = wanted && wanted->getStrands() == piece->getStrands() && wanted->getColour() == piece->getColour();
  // Said where the piece was let go, so a person sees at once whether it was the dish's sample.
  const float sayX = (float)mouseX - 40.0f, sayY = (float)mouseY - 30.0f;
  if (!match || dish->filled != 0)
    entitykit::refuse(collection, sayX, sayY, dish->filled != 0 ? "This dish is full!" : "Wrong colour or dots!");
  if (match && dish->filled == 0) {
    CMapEntity_DNA *placed = dynamic_cast<CMapEntity_DNA *>(CMapEntitiesFactory::instance()->cloneEntity("DNA"));
    if (placed) {
      placed->setColour(piece->getColour());
      placed->setStrands(piece->getStrands());
      placed->spin = piece->spin;
      placed->setZoom(0.75f);
      placed->clearActionBox();
      dish->addEntity(placed, true, true);
      placed->setXOffset(27, false);
      placed->setYOffset(17, false);
      ++dish->filled;
      playSound(engine, "EXIT");
      CCaption::sayPlainly(collection, sayX, sayY, "Match!", TCaptionKind::Ready);
      if (CMiskaController *c = dynamic_cast<CMiskaController *>(dish->getController())) c->resetFlash();
    }
  }
  piece->setKill(true);
  generujBakterii(-1, -1);
  if (CDNAGeneratorController *g = CDNAGeneratorController::find(collection)) g->generujBakterii(-1, -1);
}
