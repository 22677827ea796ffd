#include "ward/cabinet/CLekarnaController.h"

#include "core/CEngine.h"
#include "engine/KEvent.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "media/makeString.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/kinds/EntityIds.h"

namespace {
const unsigned kCabinetNurseClass = 25;
const unsigned kCounterNurseID = 202;
} // namespace

CLekarnaController::CLekarnaController(const CLekarnaController &o) : CCloneable(o), hover(o.hover) {}

CLekarnaController::~CLekarnaController() {
  for (productionEntita &p : production) delete p.timer;
}

void CLekarnaController::onBind() {
  fronta = CMapEntity_FrontaAkci::require(collection);
  if (CMapEntity_LekarnaClass *c = dynamic_cast<CMapEntity_LekarnaClass *>(entity)) c->productionTime = 4000;
}

void CLekarnaController::specificHandleMessages(KEvent *ev) {
  if (!ev || !entity) return;
  if (ev->type == K_EVENT_MOUSEMOVE) {
    lastMouseX = ev->mouseX;
    lastMouseY = ev->mouseY;
    return;
  }
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1 || !fronta) return;
  CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
  fronta->queueClick(this, cursor && cursor->isActionCollisionWithEntity(entity), collection, lastMouseX, lastMouseY);
}

void CLekarnaController::showNurses(bool atCabinet) {
  if (CMapEntity_Game *n = collection->getFirstEntityByClassID(kCabinetNurseClass)) n->setVisible(atCabinet);
  if (CMapEntity_Game *n = collection->getEntityByID(kCounterNurseID)) n->setVisible(!atCabinet);
}

void CLekarnaController::update() {
  CMapEntity_LekarnaClass *c = dynamic_cast<CMapEntity_LekarnaClass *>(entity);
  if (!c || !collection) return;
  CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
  if (cursor && cursor->isActionCollisionWithEntity(c)) {
    hover = 1;
    c->resetFlash();
  }
  if (hover) c->effectFlash(0.03f, 0.3f, false);
  if (fronta) {
    fronta->serveActivation(this, c);
  }
  for (;;) {
    CMapEntity *found = nullptr;
    const std::vector<CMapEntity *> &carried = c->getContainedList();
    for (size_t i = 1; i < carried.size(); ++i)
      if (carried[i]->getEntityID() == kPrescriptionID && !carried[i]->getKill()) found = carried[i];
    if (!found) break;
    CMapEntity_Recept *r = dynamic_cast<CMapEntity_Recept *>(found);
    Timer *t = new Timer(c->productionTime, false);
    t->nastavSpoustec(c->productionTime);
    t->reset();
    production.push_back(productionEntita{r ? r->bedNumber : (uint16_t)0, t});
    found->setKill(true);
    showNurses(true);
  }
  for (size_t i = 0; i < production.size();) {
    if (!production[i].timer->udalost()) {
      ++i;
      continue;
    }
    uint16_t n = production[i].bedNumber;
    delete production[i].timer;
    production.erase(production.begin() + (long)i);
    if (production.empty()) showNurses(false);
    if (CSoundEngine *s = engine ? engine->getSoundEngine() : nullptr) s->playSound("PHARMACY_PLACE");
    CMapEntity_Game *lek = CMapEntitiesFactory::instance()->cloneEntity("LEK");
    if (CMapEntity_Lek *l = dynamic_cast<CMapEntity_Lek *>(lek)) l->bedNumber = n;
    collection->addEntity(lek);
    CLogger::instance()->log("Producing med:" + makeString((int)n));
    TMedSlot at = c->placeFor((int)n);
    lek->setXY((float)at.x, (float)at.y);
  }
}
