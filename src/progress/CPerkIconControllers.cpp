#include "progress/CPerkIconControllers.h"

#include <vector>

#include "engine/KEvent.h"
#include "media/Timer.h"
#include "progress/ShopKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/CMapEntity_PerkIconClass.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

using namespace shopkit;

namespace {
void tintActive(CMapEntity_PerkIconClass *icon) { icon->setRGB(0.35f, 1.0f, 0.0f, false); }
void tintIdle(CMapEntity_PerkIconClass *icon) { icon->setRGB(1.0f, 1.0f, 1.0f, false); }
} // namespace

CPerkIconController::CPerkIconController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *en,
                                         std::string bindTo, int period)
    : CEntityController(e, c, en, std::move(bindTo)), timer(period > 0 ? new Timer(period, false) : nullptr) {}

CPerkIconController::CPerkIconController(const CPerkIconController &o)
    : CEntityController(o), timer(o.timer ? new Timer(o.timer->getSpoustec(), false) : nullptr) {}

CPerkIconController::~CPerkIconController() { delete timer; }

CMapEntity_PerkIconClass *CPerkIconController::icon() const { return dynamic_cast<CMapEntity_PerkIconClass *>(entity); }

CMapEntity_Game *CPerkIconController::playerFigure() const {
  return collection ? collection->getEntityByID(kPlayerID) : nullptr;
}

void CPerkIconController::onBind() {
  if (timer && icon()) timer->nastavSpoustec(icon()->duration);
}

void CPerkIconController::specificHandleMessages(KEvent *ev) {
  CMapEntity_PerkIconClass *i = icon();
  if (!i || ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  if (!underCursor(collection, i) || i->active || i->isSpent()) return;
  playSound("PERK_ACTIVATE");
  activate();
}

void CPerkIconController::update() {
  CMapEntity_PerkIconClass *i = icon();
  if (!i || !timer) return;
  work();
  if (running && timer->vratVteriny() >= timer->getSpoustec() - 5000) {
    i->changeFrameset("FLASH");
    i->zapniAnimace();
  }
  if (!timer->udalost() || !running) return;
  expire();
  running = false;
  starBurst(collection, playerFigure(), 12);
}

void CPerkBurstIconController::activate() {
  CMapEntity_PerkIconClass *i = icon();
  running = true;
  i->active = 1;
  tintActive(i);
  starBurst(collection, playerFigure(), 12);
  timer->reset();
  CWalkSpeedLink *walk = TLink<CWalkSpeedLink>::get();
  CMapEntity_Game *figure = playerFigure();
  if (!walk || !figure) return;
  storedSpeed = walk->walkSpeed(figure);
  walk->setWalkSpeed(figure, storedSpeed * walk->speedFactor(figure) * 2.0f);
}

// The speed from before the burst comes back whatever the figure stood on since.
void CPerkBurstIconController::expire() {
  CMapEntity_PerkIconClass *i = icon();
  i->looks().setVisible(false);
  CWalkSpeedLink *walk = TLink<CWalkSpeedLink>::get();
  CMapEntity_Game *figure = playerFigure();
  if (walk && figure && storedSpeed > 0.0f) walk->setWalkSpeed(figure, storedSpeed);
  i->active = 0;
  tintIdle(i);
  i->countUse();
}

void CPerkLuckIconController::activate() {
  CMapEntity_PerkIconClass *i = icon();
  i->active = 1;
  tintActive(i);
  running = true;
  starBurst(collection, playerFigure(), 12);
  timer->reset();
}

void CPerkLuckIconController::expire() {
  CMapEntity_PerkIconClass *i = icon();
  i->looks().setVisible(false);
  i->countUse();
  tintIdle(i);
  i->active = 0;
}

// The timer starts at the click, like the other timed perks, so an activation lasts its duration.
void CPerkVirusIconController::activate() {
  CMapEntity_PerkIconClass *i = icon();
  running = true;
  clearing = true;
  i->active = 1;
  tintActive(i);
  starBurst(collection, playerFigure(), 12);
  timer->reset();
}

void CPerkVirusIconController::expire() {
  CMapEntity_PerkIconClass *i = icon();
  i->countUse();
  tintIdle(i);
  i->active = 0;
  i->looks().setVisible(false);
  clearing = false;
}

void CPerkVirusIconController::work() {
  if (!clearing || !collection) return;
  const std::vector<CMapEntity_Game *> live = *collection->getEntitiesPtr();
  for (CMapEntity_Game *e : live) {
    if (e->getEntityClassID() != kGermClass || e->getKill()) continue;
    starBurst(collection, e, 6);
    e->setKill(true);
  }
}

void CPerkCureTouchIconController::activate() {
  CMapEntity_PerkIconClass *i = icon();
  starBurst(collection, playerFigure(), 12);
  i->active = 1;
  tintActive(i);
}
