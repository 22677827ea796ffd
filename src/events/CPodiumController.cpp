#include "events/CPodiumController.h"

#include <vector>

#include "engine/KEvent.h"
#include "events/CCharisma.h"
#include "events/CMapEntity_Podium.h"
#include "media/CGlobals.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

namespace {
const int kReadyPeriod = 35000;
const int kPlayPeriod = 4000;
const int kCheerDelay = 3000;
const uint16_t kMusicians[2] = {CMapEntity_Podium::kMusician1ID, CMapEntity_Podium::kMusician2ID};

// Shows or hides a musician's pulsing aura.
void glow(CMapEntity *e, bool on) {
  CMapEntity_Game *musician = dynamic_cast<CMapEntity_Game *>(e);
  if (!musician) return;
  musician->setHighlightOn(on);
  CMapEntity *aura = musician->getHighlight();
  if (!aura) return;
  if (on) aura->looks().setVisible(true);
  else aura->setAlpha(0.0f, true);
}
} // namespace

CPodiumController::CPodiumController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine_,
                                     std::string bindTo_)
    : CCloneable(e, c, engine_, std::move(bindTo_)), readyTimer(new Timer(kReadyPeriod, false)),
      playTimer(new Timer(kPlayPeriod, false)), cheerTimer(new Timer(kCheerDelay, false)) {}

CPodiumController::CPodiumController(const CPodiumController &o)
    : CCloneable(o), readyTimer(new Timer(kReadyPeriod, false)), playTimer(new Timer(kPlayPeriod, false)),
      cheerTimer(new Timer(kCheerDelay, false)), playing(o.playing), highlight(o.highlight) {}

CPodiumController::~CPodiumController() = default;

bool CPodiumController::cursorOver(CMapEntity_Podium *podium) const {
  CMapEntity_Game *cursor = collection ? collection->getEntityByID(kCursorID) : nullptr;
  return cursor && cursor->hits().isActionCollisionWithEntity(podium);
}

void CPodiumController::restartFlashes(CMapEntity_Podium *podium) {
  podium->resetFlash();
  for (uint16_t id : kMusicians)
    if (CMapEntity *m = podium->getContainedEntity(id)) m->resetFlash();
}

void CPodiumController::specificHandleMessages(KEvent *ev) {
  CMapEntity_Podium *podium = dynamic_cast<CMapEntity_Podium *>(entity);
  if (!podium || !ev || ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  if (!podium->ready || !cursorOver(podium)) return;
  podium->ready = 0;
  for (uint16_t id : kMusicians) glow(podium->getContainedEntity(id), false);
  CWorldEngine *host = worldEngine();
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound("BAND_PLAYS");
  readyTimer->reset();
  playTimer->reset();
  cheerTimer->reset();
  playing = 1;
  podium->zapniAnimace();
}

void CPodiumController::update() {
  CMapEntity_Podium *podium = dynamic_cast<CMapEntity_Podium *>(entity);
  if (!podium || !collection) return;
  if (cursorOver(podium)) {
    highlight = 1;
    restartFlashes(podium);
  }
  if (highlight) {
    podium->effectFlash(0.02f, 0.3f, false);
    for (uint16_t id : kMusicians)
      if (CMapEntity *m = podium->getContainedEntity(id)) m->effectFlash(0.02f, 0.3f, false);
  }
  if (readyTimer->udalost()) {
    podium->ready = 1;
    for (uint16_t id : kMusicians) glow(podium->getContainedEntity(id), true);
    highlight = 1;
    restartFlashes(podium);
  }
  if (playing && playTimer->udalost()) {
    playing = 0;
    podium->vypniAnimace();
    podium->changeFrameset("FRAMESET1");
    podium->changeFrame(0, 0);
  }
  if (playing && cheerTimer->udalost()) cheer();
}

void CPodiumController::cheer() {
  if (CGlobals_instance && CGlobals_instance->paused) return;
  const float gain = CCharisma::amount(CCharisma::kBandGain, engine);
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (CMapEntity_PacientClass *patient = CCharisma::livePatient(e)) patient->changeMood(gain);
}
