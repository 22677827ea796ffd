#include "patients/CCustomerGenerator.h"

#include <cstdlib>
#include <vector>

#include "core/CEngine.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "media/makeString.h"
#include "patients/CPacientController.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/CMapEntity_GaucClass.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

namespace {
}

CCustomerGenerator::~CCustomerGenerator() { delete timer; }

void CCustomerGenerator::bindEC(CMapEntitiesCollection_Game *c, CLevel_Game *l) {
  collection = c;
  level = l;
  CPacientController::startDay();
}

void CCustomerGenerator::setCustomerCount(int t) {
  total = (uint16_t)t;
  delete timer;
  timer = new Timer(1000, false);
  generated = 0;
  missed = 0;
}

void CCustomerGenerator::work() {
  if (timer && timer->udalost() && generated < total) generate(true);
}

void CCustomerGenerator::preGenerate(int n) {
  for (int i = 0; i < n; ++i) generate(false);
}

int CCustomerGenerator::isForcedCustomer() const {
  if (!level) return -1;
  const std::vector<CPacient> &records = level->getPacienti();
  for (int i = (int)records.size() - 1; i >= 0; --i)
    if (records[(size_t)i].forced && records[(size_t)i].count != 0) return i;
  return -1;
}

// A record with a count left: the forced one for the couch's last seat, else a uniform draw
// among those that still have patients; -1 when none has.
int CCustomerGenerator::chooseRecord() const {
  std::vector<CPacient> &records = level->getPacienti();
  CMapEntity_GaucClass *couch =
      collection ? dynamic_cast<CMapEntity_GaucClass *>(collection->getFirstEntityByClassID(kCouchClass)) : nullptr;
  int freeSeats = 0;
  if (couch)
    for (int k = 0; k < couch->seatCount && k < (int)couch->occupants.size(); ++k)
      if (couch->occupants[(size_t)k].empty()) ++freeSeats;
  int forced = isForcedCustomer();
  if (freeSeats == 1 && forced >= 0 && records[(size_t)forced].count > 0) return forced;
  std::vector<int> left;
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i].count > 0) left.push_back((int)i);
  if (left.empty()) return -1;
  return left[(size_t)(CRandom::draw() % (int)left.size())];
}

void CCustomerGenerator::generate(bool announced) {
  fresh = 0;
  if (!level || !collection) return;
  if (timer) timer->nastavSpoustec(level->getLevelTime() / (total + 1));
  int record = chooseRecord();
  CMapEntity_GaucClass *couch = dynamic_cast<CMapEntity_GaucClass *>(collection->getFirstEntityByClassID(kCouchClass));
  int seat = couch ? couch->freeSeat() : -1;
  if (record < 0 || seat < 0) {
    // The arrival is spent without a patient: no kind left to send, or nowhere to sit.
    CLogger::instance()->log("Arrival " + makeString(generated) + " / " + makeString(total) + " without a patient");
    if (record >= 0) --level->getPacienti()[(size_t)record].count;
    ++generated;
    ++missed;
    return;
  }
  CPacient &chosen = level->getPacienti()[(size_t)record];
  std::string name = chosen.name;
  --chosen.count;
  CLogger::instance()->log("Vypusteno: " + makeString(generated) + " / " + makeString(total));
  CMapEntity_Game *p = CMapEntitiesFactory::instance()->cloneEntity(name);
  collection->addEntity(p);
  if (announced) {
    CWorldEngine *engine = level->getEngine();
    if (CSoundEngine *s = engine ? engine->getSoundEngine() : nullptr) s->playSound("CUSTOMER_APPEAR");
  } else {
    p->setAlpha(1.0f, true);
  }
  couch->occupants[(size_t)seat] = p;
  TSeatOffset off = (size_t)seat < couch->seatOffsets.size() ? couch->seatOffsets[(size_t)seat] : TSeatOffset{-1, -1};
  p->setXY(couch->getX() + (float)off.x, couch->getY() + (float)off.y);
  ++generated;
}

void CPatientCheer::cheer(CMapEntity_Game *e) {
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e);
  if (!p) return;
  p->holdMood(0.9f);
  if (p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass) && p->getContainedEntity(CMapEntity_PacientClass::kHeartsID))
    p->synchronizujNaladu();
}
