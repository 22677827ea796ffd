#include "ward/player/CPlayerWardWork.h"

#include "media/CRandom.h"
#include "ward/dispensers/CMapEntity_Automat.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "ward/furniture/CMapEntity_Vozik.h"
#include "ward/player/CPlayerBody.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

// Where she stands, the trolley, the stand, a dispenser and a bed count only once clicked (active):
// she works where she was sent.
void CPlayerWardWork::gather(const std::vector<CMapEntity *> &things, TReach &reach) {
  bool germ = false;
  for (CMapEntity *e : things) {
    CMapEntity_Game *g = dynamic_cast<CMapEntity_Game *>(e);
    if (!g || g->getKill()) continue;
    const uint32_t cls = g->getEntityClassID();
    if (isLooseGerm(g->getEntityID(), cls)) germ = true;
    if (reach.here && !g->getAktivni()) continue;
    if (cls == kDispenserClass) reach.offer(TWorkKind::kDispenser, g);
    if (cls == kTrolleyClass) reach.offer(TWorkKind::kHamper, g);
    if (g->getEntityID() == kSprayStandID)
      reach.offer(g->CMapEntity::getContainedEntity(kSprayID) ? TWorkKind::kStandFull : TWorkKind::kStandEmpty, g);
    const CMapEntity_PostelClass *b = dynamic_cast<const CMapEntity_PostelClass *>(g);
    if (b && cls == kBedClass && !b->isOccupied() && !b->isMadeUp() && (!reach.here || body.atWorkSpot(b)))
      reach.offer(TWorkKind::kUnmadeBed, g);
  }
  reach.germ = germ;
  if (reach.here) germNear = germ;
}

void CPlayerWardWork::sprayBy(const TReach &reach) {
  if (!reach.germ || !body.held(kSprayID)) return;
  if (sprayTimer.udalost()) sprayDue = true;
  if (!sprayDue) return;
  sprayDue = false;
  sprayedSinceOrder = true;
  sprayTimer.reset();
  body.playSound("SPRAY_USE");
  float x = 0.0f, y = 0.0f;
  body.position(x, y);
  for (int i = 0; i < 7; ++i) {
    CMapEntity_Game *puff = CMapEntitiesFactory::instance()->cloneEntity("SPREJKOUR");
    puff->setXY(x + (float)(CRandom::draw() % 70), y + 20 + (float)(CRandom::draw() % 30));
    body.place(puff);
  }
}

void CPlayerWardWork::ordered(bool forGerm) {
  orderForGerm = forGerm;
  sprayedSinceOrder = false;
}

void CPlayerWardWork::answerGermOrder() {
  if (orderForGerm && !germNear && !sprayedSinceOrder) body.refuseHere("The germ flew off");
  else if (orderForGerm && germNear && !body.held(kSprayID)) body.refuseHere("Take the spray first");
  orderForGerm = false;
}

// The spray in her hand goes back onto its empty stand; from a full stand it comes into a free
// hand. The stand is chosen again by the next click on it.
void CPlayerWardWork::swapSpray(CMapEntity_Game *stand) {
  CMapEntity *standSpray = stand->CMapEntity::getContainedEntity(kSprayID);
  if (CMapEntity *carried = standSpray ? nullptr : body.held(kSprayID)) {
    if (body.give(carried, stand, true)) {
      carried->changeFrameset("FRAMESET1");
      carried->setXOffset(CMapEntity_Stojan::kSprayX, false);
      carried->setYOffset(CMapEntity_Stojan::kSprayY, false);
      carried->syncWithParentPosition();
      body.playSound("SPRAY_PICKUP");
    }
  } else if (standSpray) {
    stand->dropEntity(standSpray);
    body.take(standSpray, false);
    standSpray->setXOffset(0, false);
    standSpray->setYOffset(0, false);
    body.playSound("SPRAY_PICKUP");
  }
  stand->setAktivni(false);
  body.restOnDown();
}

void CPlayerWardWork::takeFromDispenser(CMapEntity_Game *dispenser) {
  CMapEntity *item = dispenser->CMapEntity::getContainedEntityClass(kComfortItemClass);
  if (CMapEntity_Automat *automat = dynamic_cast<CMapEntity_Automat *>(dispenser)) {
    item->setKill(true);
    CMapEntity_Game *copy = CMapEntitiesFactory::instance()->cloneEntity(automat->itemName);
    body.take(copy);
    body.playSound(CMapEntity_DrinkClass::pickupSound(copy->getEntityID()));
  }
  // Its order is done, even when taken in passing: on arrival the empty machine is no refusal.
  dispenser->setAktivni(false);
  body.restOnDown();
}

void CPlayerWardWork::makeBed(CMapEntity_Game *bed) {
  body.playSound("DR_MAKES_BED");
  dynamic_cast<CMapEntity_PostelClass *>(bed)->setUklizeno(true);
  body.takeNew("ODPAD");
  body.restOnDown();
}

// Every linen pays its step; the captions show the last step's bonus, at a chain of five and
// after the last linen.
void CPlayerWardWork::emptyLinen() {
  float x = 0.0f, y = 0.0f;
  body.position(x, y);
  unsigned earlier = 0, last = 0;
  auto caption = [&](float raised) {
    body.earn((int)earlier);
    body.payChain(x, y - raised, "CLEANUP +", last);
    earlier = last = 0;
  };
  while (CMapEntity *linen = body.held(kRubbishID)) {
    body.playSound("DR_DUMP_HAMPER");
    body.restOnDown();
    linen->setKill(true);
    earlier += last;
    last = body.chainStep(CChainBonus::kLinen);
    if (body.chain().count == 5 && body.held(kRubbishID)) caption(20);
  }
  caption(0);
}
