#include "ward/cabinet/CLekarnaController.h"

#include <string>

#include "core/CEngine.h"
#include "engine/KEvent.h"
#include "media/CFatal.h"
#include "media/CLogger.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/makeString.h"
#include "ward/cabinet/CMapEntity_Lek.h"
#include "ward/cabinet/CMapEntity_Lekarna.h"
#include "world/CCaption.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_FrontaAkci.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/EntityIds.h"

namespace {
const unsigned kCabinetNurseClass = 25;
const unsigned kCounterNurseID = 202;
// The busy picture's frames fill its progress bar step by step.
const int kProgressFrames = 8;

std::string framesetOf(CMapEntity *e) {
  Frameset *fs = e->looks().getSprite() ? e->looks().getSprite()->getAktivniFrameset() : nullptr;
  return fs ? fs->getID() : "";
}
} // namespace

CLekarnaController::CLekarnaController(const CLekarnaController &o) : CCloneable(o), hover(o.hover) {}

CLekarnaController::~CLekarnaController() {
  for (productionEntita &p : production) delete p.timer;
}

void CLekarnaController::onBind() {
  CMapEntity_FrontaAkci::require(collection);
  if (CMapEntity_LekarnaClass *c = dynamic_cast<CMapEntity_LekarnaClass *>(entity)) c->productionTime = 4000;
}

void CLekarnaController::specificHandleMessages(KEvent *ev) {
  if (!ev || !entity) return;
  if (ev->type == K_EVENT_MOUSEMOVE) {
    lastMouseX = ev->mouseX;
    lastMouseY = ev->mouseY;
    return;
  }
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  CMapEntity_FrontaAkci *fronta = actionQueue();
  if (!fronta) return;
  CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
  const bool hit = cursor && cursor->hits().isActionCollisionWithEntity(entity);
  fronta->queueClick(this, hit, collection, lastMouseX, lastMouseY);
}

// Whether its medicine is still being made, so no later click seems to bring it.
void CLekarnaController::sayPlaceEmpty(int place) {
  CMapEntity_LekarnaClass *c = dynamic_cast<CMapEntity_LekarnaClass *>(entity);
  if (!c || !collection) return;
  bool making = false;
  for (const productionEntita &p : production) making = making || p.bedNumber == place;
  const TMedSlot at = c->placeFor(place);
  entitykit::refuse(collection, (float)at.x - 30.0f, (float)at.y - 24.0f,
                    making ? "Medicine not ready yet" : "No medicine here");
}

void CLekarnaController::showNurses(bool atCabinet) {
  if (CMapEntity_Game *n = collection->getFirstEntityByClassID(kCabinetNurseClass)) n->looks().setVisible(atCabinet);
  if (CMapEntity_Game *n = collection->getEntityByID(kCounterNurseID)) n->looks().setVisible(!atCabinet);
}

void CLekarnaController::update() {
  CMapEntity_LekarnaClass *c = dynamic_cast<CMapEntity_LekarnaClass *>(entity);
  if (!c || !collection) return;
  CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
  if (cursor && cursor->hits().isActionCollisionWithEntity(c)) {
    hover = 1;
    c->resetFlash();
  }
  if (hover) c->effectFlash(0.03f, 0.3f, false);
  if (CMapEntity_FrontaAkci *fronta = actionQueue()) fronta->serveActivation(this, c);
  for (;;) {
    CMapEntity *found = nullptr;
    const std::vector<CMapEntity *> &carried = c->carrying().getContainedList();
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
    c->layOut(collection, lek, (int)n);
    announce(lek);
  }
  showWork(c);
}

// While it prepares, the cabinet shows its busy picture, the bar in it filled as far as the oldest
// medicine has come.
void CLekarnaController::showWork(CMapEntity_LekarnaClass *c) {
  const bool busy = !production.empty();
  if (busy != (framesetOf(c) == "FRAMESET1")) c->changeFrameset(busy ? "FRAMESET1" : "EMPTY");
  if (!busy) return;
  const int length = production.front().timer->getSpoustec();
  const int done = production.front().timer->vratVteriny();
  int step = length > 0 ? done * kProgressFrames / length : 0;
  step = step < 0 ? 0 : (step >= kProgressFrames ? kProgressFrames - 1 : step);
  c->vypniAnimace();
  c->changeFrame((unsigned short)step, 0);
}

// A new medicine on the shelf: a caption and a sparkle over it, besides the sound. The caption
// counts every medicine waiting on the shelf; being the news of what is ready, it takes the place
// of the one still rising, so two made together do not print over each other.
void CLekarnaController::announce(CMapEntity_Game *lek) {
  CMapEntitiesFactory *factory = CMapEntitiesFactory::instance();
  int waiting = 0;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (!e->getKill() && e->getEntityID() == kMedicineID && !e->carrying().getParent()) ++waiting;
  CCaption::show(collection, lek->getX() - 30.0f, lek->getY() - 24.0f,
                 waiting > 1 ? makeString(waiting) + " medicines ready!" : "Medicine ready!", TCaptionKind::Ready);
  for (int i = 0; i < 6; ++i) {
    CMapEntity_Game *spark = factory->cloneEntity("WHITEPARTICLE");
    if (!spark) return;
    spark->setXY(lek->getX() + (float)(CRandom::draw() % 28) - 6.0f, lek->getY() + (float)(CRandom::draw() % 24) - 12.0f);
    collection->addEntity(spark);
  }
}
