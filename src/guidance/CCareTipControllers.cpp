#include "guidance/CCareTipControllers.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "media/Timer.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

namespace {
constexpr unsigned int kPlayerFigureClass = 1;
constexpr unsigned int kSlowPressurePatientID = 6000;

struct TPage {
  const char *text;
  float mood;
  int hearts;
  int period;
};

const TPage kPages[6] = {
    {"When you keep a patient waiting for their medicine...", 0.61f, 4, 4000},
    {"...diagnosis, or you leave them waiting in line for too long,| their Happiness Meter will drop.", 0.21f, 2, 6000},
    {"When the Happiness Meter is empty, the patient| will leave the hospital without paying!", 0.11f, 1, 4500},
    {"On the other hand, if you perform extra fast service...", 0.41f, 3, 4000},
    {"...or bring them something to help pass the time,| their Happiness Meter will fill up!", 1.0f, 5, 6000},
    {"Great, that's it! Now let's just finish up this | patient and then get started.", 0.0f, -1, 4500},
};

// The newest patient, as every first-day step picks it.
CMapEntity_PacientClass *firstPatient(CMapEntitiesCollection *collection) {
  return dynamic_cast<CMapEntity_PacientClass *>(collection->getFirstEntityByClassID(kPatientClass));
}

CMapEntity_Game *looseGerm(CMapEntitiesCollection *collection) {
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (!e->getKill() && isLooseGerm(e->getEntityID(), e->getEntityClassID())) return e;
  return nullptr;
}
} // namespace

void CCareTipTriggerController::specificHandleMessages(KEvent *ev) {
  pointer.follow(ev);
  if (ev->type == K_EVENT_MOUSEMOVE && entity) entity->setXY((float)pointer.pointerX, (float)pointer.pointerY);
}

// ---- hearts tour

void CTipSrdickaTriggerController::update() {
  if (!entity || !collection) return;
  CMapEntity_PacientClass *p = firstPatient(collection);
  if (!p) return;
  p->holdMood(1.0f);
  // A new arrival lies nowhere yet, whatever its bed word says.
  if (p->getPhase() != kPhaseInBed || !p->getBed() || p->getBedState() != kBedLying) return;
  tipkit::open(collection, "TIPSRDICKA", 0, 395);
  killEntity();
}

const char *CTipSrdickaController::pageText(int page) { return page >= 0 && page <= 5 ? kPages[page].text : nullptr; }

void CTipSrdickaController::specificHandleMessages(KEvent *ev) { pointer.follow(ev); }

void CTipSrdickaController::update() {
  if (!entity || !collection) return;
  CMapEntity_PacientClass *p = firstPatient(collection);
  if (p) {
    p->fillMeter(0.5f);
    p->synchronizujNaladu();
  }
  if (runState == 0) {
    // Without a patient there is nothing to point at: the tour waits for one.
    if (!p || !startTimer.udalost()) return;
    runState = 1;
    tipkit::carryArrow(entity, p->getX() + 36, -307);
    pageTimer.reset();
  }
  if (page > 5) {
    killEntity();
    return;
  }
  const TPage &pg = kPages[page];
  tipkit::writeText(entity, pg.text);
  if (p && pg.hearts >= 0) {
    p->holdMood(pg.mood);
    p->synchronizujSrdicka();
  }
  if (!pageTimer.udalost()) return;
  ++page;
  if (page <= 5) pageTimer.nastavSpoustec(kPages[page].period);
  pageTimer.reset();
}

// ---- germ tip

void CTipVirusTriggerController::update() {
  if (!entity || !collection) return;
  CPlayer *player = engine ? engine->getPlayer() : nullptr;
  if (!player || player->getVirusHint() != 0 || !looseGerm(collection) || tipkit::bubbleStands(collection)) return;
  if (!tipkit::open(collection, "TIPVIRUS", 0, 425)) return;
  player->setVirusHint(1);
  killEntity();
}

void CTipVirusController::onBind() {
  if (entity) tipkit::carryArrow(entity, 615, -350, 180.0f);
}

void CTipVirusController::update() {
  if (!entity || !collection) return;
  tipkit::hoverFade(entity);
  CMapEntity_Game *figure = collection->getFirstEntityByClassID(kPlayerFigureClass);
  if (figure && figure->getContainedEntity(kSprayID)) killEntity();
}

// ---- pressure reminder

void CRemindPressureTriggerController::update() {
  if (!entity || !collection) return;
  // The notebook's picture of the day's new patient is no patient on the ward.
  CMapEntity_Game *patient = nullptr;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (e->getEntityID() == kSlowPressurePatientID && !e->carrying().getParent() && !e->getKill()) {
      patient = e;
      break;
    }
  if (!patient || tipkit::bubbleStands(collection)) return;
  if (CMapEntity_Game *bubble = tipkit::open(collection, "REMINDPRESSURE", 0, 10))
    tipkit::carryArrow(bubble, patient->getX() + 10, patient->getY() - 50);
  killEntity();
}

CRemindPressureController::CRemindPressureController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *en,
                                                     std::string bindTo)
    : CCloneable(e, c, en, std::move(bindTo)) {}

CRemindPressureController::CRemindPressureController(const CRemindPressureController &o) : CCloneable(o) {}

CRemindPressureController::~CRemindPressureController() { delete life; }

void CRemindPressureController::onBind() {
  if (entity) tipkit::carryArrow(entity, 710, 370);
  if (!life) life = new Timer(7500, true);
}

void CRemindPressureController::update() {
  if (!entity) return;
  tipkit::hoverFade(entity);
  if (life && life->udalost()) entity->setKill(true);
}
