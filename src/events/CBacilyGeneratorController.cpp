#include "events/CBacilyGeneratorController.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "events/CBacilyController.h"
#include "media/CFakeTime.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

const TGermGeneratorSpecies CBacilyGeneratorController::kSpecies[5] = {
    {"BACILY", 60000, 20000},  {"BACILY2", 45000, 15000}, {"BACILY3", 45000, 15000},
    {"BACILY4", 45000, 15000}, {"BACILY5", 45000, 15000},
};

namespace {
const int kFirstCheckPeriod = 2000;
const int kAlarmDelay = 4000;
const float kReleaseX = 50.0f;
const float kReleaseY = 50.0f;

void playSound(CEngine *engine, const char *key) {
  CWorldEngine *host = engine;
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}
} // namespace

CBacilyGeneratorController::CBacilyGeneratorController(CMapEntity_Game *e, CMapEntitiesCollection *c,
                                                       CEngine *engine_, std::string bindTo_,
                                                       const TGermGeneratorSpecies &species_)
    : CCloneable(e, c, engine_, std::move(bindTo_)), species(species_), alarmTimer(new Timer(kAlarmDelay, false)),
      checkTimer(new Timer(kFirstCheckPeriod, false)) {}

CBacilyGeneratorController::CBacilyGeneratorController(const CBacilyGeneratorController &o)
    : CCloneable(o), species(o.species), alarmPending(o.alarmPending), alarmTimer(new Timer(kAlarmDelay, false)),
      checkTimer(new Timer(kFirstCheckPeriod, false)) {}

CBacilyGeneratorController::~CBacilyGeneratorController() = default;

int CBacilyGeneratorController::getCheckPeriod() const { return checkTimer->getSpoustec(); }

int CBacilyGeneratorController::releaseOdds(int beds, int occupied, int germs, bool handsFull) {
  // Without beds there is nothing for a germ to go to.
  if (beds <= 0 || germs >= CBacilyController::kGermLimit) return 0;
  const float ratio = (float)occupied / (float)beds;
  int n = germs + 1;
  if (ratio > 0.25f && ratio <= 0.5f) n = germs + 2;
  else if (ratio > 0.5f && ratio <= 0.75f) n += 1;
  else if (ratio > 0.75f && ratio <= 0.9f) n += 2;
  else if (ratio > 0.9f) n += 3;
  if (handsFull) n += 1;
  if (occupied <= 4) n -= 1;
  else if (occupied > 6 && occupied <= 8) n += 1;
  else if (occupied > 9) n += 2;
  return n < 1 ? 1 : n;
}

bool CBacilyGeneratorController::muzuVypustit() {
  int beds = 0;
  int occupied = 0;
  if (collection) {
    for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
      if (e->getEntityClassID() != kBedClass || e->getKill()) continue;
      ++beds;
      CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(e);
      if (bed && bed->getOccupant()) ++occupied;
    }
  }
  CMapEntity_Game *player = collection ? collection->getEntityByID(kPlayerID) : nullptr;
  const bool handsFull = player && player->containedFull();
  const int n = releaseOdds(beds, occupied, CBacilyController::countGerms(collection), handsFull);
  const int draw = CRandom::draw();
  return n > 0 && draw % n == 0;
}

bool CBacilyGeneratorController::insidePauseWindow(uint32_t now) const {
  CMapEntity_Game *adjuster = collection ? collection->getEntityByID(kDifficultyAdjusterID) : nullptr;
  CPauseWindowLink *link = TLink<CPauseWindowLink>::get();
  if (!adjuster || !link) return false;
  uint32_t start = 0;
  uint32_t end = 0;
  link->window(adjuster, start, end);
  return start < now && now < end;
}

void CBacilyGeneratorController::update() {
  if (!collection) return;
  const uint32_t now = CFakeTime::instance()->ms;
  if (checkTimer->udalost()) {
    CLevel_Game *level = currentLevel();
    if (!(level && level->closed()) && muzuVypustit() && !insidePauseWindow(now)) raiseAlarm();
  }
  if (alarmPending && alarmTimer->udalost()) release();
}

void CBacilyGeneratorController::raiseAlarm() {
  CMapEntity_Game *lamp = collection->getEntityByID(kAlarmLampID);
  if (lamp && TLink<CAlarmLampLink>::get()) TLink<CAlarmLampLink>::get()->setAlarm(lamp, true);
  playSound(engine, "VIRUS_ALARM");
  alarmPending = 1;
  checkTimer->nastavSpoustec(species.checkPeriod);
  alarmTimer->reset();
}

void CBacilyGeneratorController::release() {
  CMapEntity_Game *lamp = collection->getEntityByID(kAlarmLampID);
  if (lamp && TLink<CAlarmLampLink>::get()) TLink<CAlarmLampLink>::get()->setAlarm(lamp, false);
  if (CMapEntity_Game *germ = CMapEntitiesFactory::instance()->cloneEntity(species.germ)) {
    playSound(engine, "VIRUSSPAWN");
    germ->setXY(kReleaseX, kReleaseY);
    collection->addEntity(germ);
  }
  alarmPending = 0;
  const uint32_t now = CFakeTime::instance()->ms;
  CMapEntity_Game *adjuster = collection->getEntityByID(kDifficultyAdjusterID);
  CPauseWindowLink *link = TLink<CPauseWindowLink>::get();
  if (adjuster && link && !insidePauseWindow(now)) link->setWindow(adjuster, now, now + (uint32_t)species.pauseLength);
}
