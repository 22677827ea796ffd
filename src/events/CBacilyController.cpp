#include "events/CBacilyController.h"

#include <cmath>
#include <cstdlib>

#include "core/CEngine.h"
#include "events/CCharisma.h"
#include "events/CMapEntity_Bacily.h"
#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

const TGermSpecies CBacilyController::kSpecies[5] = {
    {"BACILY", 2.0f, false, 0.015f, false}, {"BACILY2", 2.5f, false, 0.03f, false},
    {"BACILY3", 2.5f, true, 0.05f, false},  {"BACILY4", 2.5f, true, 0.05f, true},
    {"BACILY5", 3.5f, true, 0.03f, false},
};

namespace {
bool paused() { return CGlobals_instance && CGlobals_instance->paused; }
} // namespace

CBacilyController::CBacilyController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine_,
                                     std::string bindTo_, const TGermSpecies &species_)
    : CCloneable(e, c, engine_, std::move(bindTo_)), species(species_), stayTimer(new Timer(kStayMs, false)),
      feedTimer(new Timer(kFeedMs, false)), breedTimer(species_.breeds ? new Timer(10000, false) : nullptr) {}

CBacilyController::CBacilyController(const CBacilyController &o)
    : CCloneable(o), species(o.species), stayTimer(new Timer(kStayMs, false)), feedTimer(new Timer(kFeedMs, false)),
      breedTimer(o.species.breeds ? new Timer(10000, false) : nullptr) {}

CBacilyController::~CBacilyController() = default;

float CBacilyController::drainFor(float loss, float difficultyFactor, int charismaLevel) {
  float change = -(loss * difficultyFactor);
  return change / CCharisma::divisor(charismaLevel);
}

int CBacilyController::countGerms(CMapEntitiesCollection *c) {
  int n = 0;
  if (!c) return 0;
  for (CMapEntity_Game *e : *c->getEntitiesPtr())
    if (e->getEntityClassID() == kGermClass && !e->getKill()) ++n;
  return n;
}

float CBacilyController::difficulty() const {
  CEngine *host = engine;
  return host ? host->getDifficultyFactor() : 1.0f;
}

float CBacilyController::stepNow() const { return species.stepScaled ? species.step * difficulty() : species.step; }

void CBacilyController::update() {
  CMapEntity_Bacily *germ = dynamic_cast<CMapEntity_Bacily *>(entity);
  if (!germ || !collection) return;
  if (breedTimer && breedTimer->udalost()) breed();
  if (germ->stav == CMapEntity_Bacily::kSeeking && pickBed()) {
    germ->stav = CMapEntity_Bacily::kFlying;
    return;
  }
  if (germ->stav == CMapEntity_Bacily::kFlying) fly(germ);
  if (germ->stav == CMapEntity_Bacily::kFeeding) {
    feed();
    if (stayTimer->udalost()) germ->stav = CMapEntity_Bacily::kSeeking;
  }
  foretell(germ);
  if (germ->hits().isActionCollisionWithEntityID(kSprayCloudID)) killEntity();
}

// A feed tick at the start of the stay and one every kFeedMs after; on its way the whole stay.
void CBacilyController::foretell(CMapEntity_Bacily *germ) {
  const bool chosen = germ->stav == CMapEntity_Bacily::kFlying || germ->stav == CMapEntity_Bacily::kFeeding;
  CMapEntity_PostelClass *bed = chosen ? liveBed() : nullptr;
  const int elapsed = germ->stav == CMapEntity_Bacily::kFeeding ? stayTimer->vratVteriny() : 0;
  const int ticks = elapsed > kStayMs ? 0 : (kStayMs - elapsed) / kFeedMs + 1;
  germ->foretell(bed, -drainFor(species.loss, difficulty(), CCharisma::level(engine)) * (float)ticks);
}

// Beds earlier in the list are likelier: each is a coin toss, and the first that wins is taken.
bool CBacilyController::pickBed() {
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    const int draw = CRandom::draw();
    if (e->getEntityClassID() != kBedClass || draw % 2 != 0 || paused()) continue;
    targetX = e->getX() + (float)e->approachX - 20.0f;
    targetY = e->getY() + (float)e->approachY - 70.0f;
    targetBed = e;
    return true;
  }
  return false;
}

void CBacilyController::fly(CMapEntity_Bacily *germ) {
  const float s = stepNow();
  const float dx = germ->getX() - targetX;
  if (dx > s) germ->changeX(-s);
  else if (dx < -s) germ->changeX(s);
  const float dy = germ->getY() - targetY;
  if (dy > s) germ->changeY(-s);
  else if (dy < -s) germ->changeY(s);
  if (std::trunc(std::fabs(germ->getX() - targetX)) <= s && std::trunc(std::fabs(germ->getY() - targetY)) <= s) {
    germ->stav = CMapEntity_Bacily::kFeeding;
    stayTimer->reset();
  }
}

// A bed that is still one of the level's.
CMapEntity_PostelClass *CBacilyController::liveBed() const {
  CMapEntity_Game *bed = targetBed.in(collection);
  return bed && !bed->getKill() ? dynamic_cast<CMapEntity_PostelClass *>(bed) : nullptr;
}

void CBacilyController::feed() {
  CMapEntity_PostelClass *bed = liveBed();
  if (!bed) {
    targetBed.clear();
    return;
  }
  // The bed forgets a patient on its way out, so a dying patient is never drained.
  CMapEntity_PacientClass *patient = CCharisma::livePatient(bed->getOccupant());
  if (!patient || !feedTimer->udalost()) return;
  patient->changeMood(drainFor(species.loss, difficulty(), CCharisma::level(engine)));
}

void CBacilyController::breed() {
  if (countGerms(collection) >= kGermLimit) return;
  CMapEntity_Game *child = CMapEntitiesFactory::instance()->cloneEntity(species.prototype);
  if (!child) return;
  CWorldEngine *host = worldEngine();
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound("VIRUSSPAWN");
  child->setXY(entity->getX(), entity->getY());
  collection->addEntity(child);
}
