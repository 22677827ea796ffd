#include "events/CPodiumController.h"

#include "engine/KEvent.h"
#include "events/CCharisma.h"
#include "events/CMapEntity_Podium.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CWorldEngine.h"
#include "world/kinds/EntityIds.h"

namespace {
const int kReadyPeriod = 35000;
const int kPlayPeriod = 4000;
const int kCheerDelay = 3000;
const uint16_t kMusicians[2] = {kMusician1ID, kMusician2ID};

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

// A person aims at the band wherever it shows: the podium with its sign, or either musician.
bool CPodiumController::cursorOver(CMapEntity_Podium *podium) const {
  CMapEntity_Game *cursor = collection ? collection->getEntityByID(kCursorID) : nullptr;
  if (!cursor) return false;
  if (cursor->hits().isActionCollisionWithEntity(podium)) return true;
  for (uint16_t id : kMusicians)
    if (CMapEntity *m = podium->getContainedEntity(id))
      if (cursor->hits().isActionCollisionWithEntity(m)) return true;
  return false;
}

void CPodiumController::restartFlashes(CMapEntity_Podium *podium) {
  podium->resetFlash();
  for (uint16_t id : kMusicians)
    if (CMapEntity *m = podium->getContainedEntity(id)) m->resetFlash();
}

void CPodiumController::onBind() {
  if (CMapEntity_Podium *podium = dynamic_cast<CMapEntity_Podium *>(entity)) rest(podium);
}

// The podium's frames carry the musicians' along.
void CPodiumController::rest(CMapEntity_Podium *podium) {
  podium->vypniAnimace();
  podium->changeFrameset("FRAMESET1");
  podium->changeFrame(0, 0);
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
    rest(podium);
  }
  // The music shows where it lands: a heart rises over every patient, as for the jester.
  if (playing && cheerTimer->udalost()) CCharisma::cheerAll(collection, CCharisma::amount(CCharisma::kBandGain, engine), false);
}
