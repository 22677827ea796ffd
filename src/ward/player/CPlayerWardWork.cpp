#include "ward/player/CPlayerWardWork.h"

#include "media/CRandom.h"
#include "ward/dispensers/CMapEntity_Automat.h"
#include "ward/dispensers/CMapEntity_DrinkClass.h"
#include "ward/furniture/CMapEntity_Vozik.h"
#include "ward/player/CMapEntity_Player.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

void CPlayerWardWork::answer(const std::vector<CMapEntity *> &near, CPlayerController::TReach &reach) {
  CMapEntity_Player *player = ctl.player;
  ctl.dispenser = ctl.bed = ctl.hamper = nullptr;
  bool germ = false, bedTouched = false;
  CMapEntity_Game *stand = nullptr;
  for (CMapEntity *e : near) {
    CMapEntity_Game *g = dynamic_cast<CMapEntity_Game *>(e);
    if (!g || g->getKill()) continue;
    uint32_t cls = g->getEntityClassID();
    if (cls == kDispenserClass && g->getAktivni()) ctl.dispenser = g;
    if (cls == kGermClass && g->getEntityID() != kGermCloudID) germ = true;
    if (cls == kBedClass) {
      bedTouched = true;
      if (g->getAktivni()) ctl.bed = g;
    }
    if (g->getEntityID() == kSprayStandID) stand = g;
    if (cls == kTrolleyClass) ctl.hamper = g;
  }
  reach.dispenserItem = ctl.dispenser && !player->containedFull() &&
                        ctl.dispenser->CMapEntity::getContainedEntityClass(kComfortItemClass);
  // A burst takes no time: it goes off as she passes or stands by germs, beside whatever work she
  // chooses here, so a coughing patient under a germ is still examined.
  if (germ && player->getContainedEntity(kSprayID)) {
    if (ctl.sprayTimer.udalost()) ctl.sprayDue = 1;
    spray();
  }
  if (bedTouched && !player->containedFull() && ctl.bed) {
    CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(ctl.bed);
    if (b && !b->isOccupied() && !b->isMadeUp() && ctl.arrived && ctl.blizkoObjektu(b)) {
      ctl.arrived = 0;
      reach.unmadeBed = true;
    }
  }
  if (stand && ctl.arrived) swapSpray(stand);
  // Without linen in hand the trolley has no work to give, and must not take the choice from a
  // patient's need at the bed beside it.
  reach.hamper = ctl.hamper && player->getContainedEntity(kRubbishID);
}

// The spray in her hand goes back onto its empty stand; from a full stand it comes into a free hand.
void CPlayerWardWork::swapSpray(CMapEntity_Game *stand) {
  CMapEntity_Player *player = ctl.player;
  CMapEntity *standSpray = stand->CMapEntity::getContainedEntity(kSprayID);
  CMapEntity *carried = player->getContainedEntity(kSprayID);
  if (!standSpray && carried && stand->getAktivni()) {
    ctl.arrived = 0;
    if (player->giveEntityTo(stand, carried, true)) {
      carried->changeFrameset("FRAMESET1");
      carried->setXOffset(CMapEntity_Stojan::kSprayX, false);
      carried->setYOffset(CMapEntity_Stojan::kSprayY, false);
      carried->syncWithParentPosition();
      ctl.playSound("SPRAY_PICKUP");
    }
  } else if (standSpray && !carried && stand->getAktivni() && !player->containedFull()) {
    ctl.arrived = 0;
    stand->dropEntity(standSpray);
    player->addEntity(standSpray, false);
    standSpray->setXOffset(0, false);
    standSpray->setYOffset(0, false);
    ctl.playSound("SPRAY_PICKUP");
  } else {
    return;
  }
  stand->setAktivni(false);
  if (stand->getController()) ctl.queue->removeFirst(stand->getController(), 1);
  ctl.restOnDown();
}

void CPlayerWardWork::work() {
  const uint16_t phase = ctl.player->workPhase;
  if (phase == CPlayerController::kTakeFromDispenser) takeFromDispenser();
  if (phase == CPlayerController::kMakeBed) makeBed();
  if (phase == CPlayerController::kEmptyLinen) emptyLinen();
}

void CPlayerWardWork::spray() {
  CMapEntity_Player *player = ctl.player;
  if (ctl.sprayDue) {
    ctl.sprayDue = 0;
    ctl.sprayTimer.reset();
    ctl.playSound("SPRAY_USE");
    for (int i = 0; i < 7; ++i) {
      CMapEntity_Game *puff = CMapEntitiesFactory::instance()->cloneEntity("SPREJKOUR");
      puff->setXY(player->getX() + (float)(CRandom::draw() % 70), player->getY() + 20 + (float)(CRandom::draw() % 30));
      ctl.collection->addEntity(puff);
    }
  }
}

void CPlayerWardWork::takeFromDispenser() {
  CMapEntity_Player *player = ctl.player;
  CMapEntity *item = ctl.dispenser ? ctl.dispenser->CMapEntity::getContainedEntityClass(kComfortItemClass) : nullptr;
  CMapEntity_Automat *automat = dynamic_cast<CMapEntity_Automat *>(ctl.dispenser);
  bool may = !player->getContainedEntityClass(kComfortItemClass) || ctl.someoneInBed();
  if (item && automat && may) {
    item->setKill(true);
    CMapEntity_Game *copy = CMapEntitiesFactory::instance()->cloneEntity(automat->itemName);
    player->addEntity(copy, true);
    ctl.playSound(CMapEntity_DrinkClass::pickupSound(copy->getEntityID()));
  }
  player->changeFrame(0, 0);
  player->changeFrameset("DOWN");
  player->vypniAnimace();
  player->workPhase = CPlayerController::kDeciding;
}

void CPlayerWardWork::makeBed() {
  CMapEntity_Player *player = ctl.player;
  if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(ctl.bed)) {
    ctl.playSound("DR_MAKES_BED");
    b->setUklizeno(true);
    player->addEntity(std::string("ODPAD"));
  }
  player->changeFrameset("DOWN");
  player->vypniAnimace();
  player->workPhase = CPlayerController::kDeciding;
}

// Every linen pays its step; the captions say what was paid since the last of them.
void CPlayerWardWork::emptyLinen() {
  CMapEntity_Player *player = ctl.player;
  if (ctl.hamper && ctl.hamper->getAktivni() && ctl.arrived && player->getContainedEntity(kRubbishID)) {
    ctl.arrived = 0;
    unsigned owed = 0;
    while (CMapEntity *linen = player->getContainedEntity(kRubbishID)) {
      ctl.playSound("DR_DUMP_HAMPER");
      ctl.restOnDown();
      linen->setKill(true);
      owed += ctl.chainStep(CChainBonus::kLinen);
      if (ctl.chain.count == 5 && player->getContainedEntity(kRubbishID)) {
        ctl.payChain(player->getX(), player->getY() - 20, "CLEANUP +", owed);
        owed = 0;
      }
    }
    ctl.payChain(player->getX(), player->getY(), "CLEANUP +", owed);
  }
  player->workPhase = CPlayerController::kDeciding;
}
