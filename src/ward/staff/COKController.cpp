#include "ward/staff/COKController.h"

#include "engine/KEvent.h"
#include "engine/KText.h"
#include "media/Frame.h"
#include "media/Timer.h"
#include "ward/staff/CMapEntity_Marker.h"
#include "media/makeString.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

namespace {
std::string counted(int n, const char *one, const char *many) { return makeString(n) + " " + (n == 1 ? one : many); }
} // namespace

COKController::COKController(const COKController &o) : CCloneable(o), life(700, false) {}

void COKController::specificHandleMessages(KEvent *ev) {
  if (!entity || ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  Frame *f = entity->getCurrentFrame();
  if (!f) return;
  int left = (int)entity->getX() + f->getBX(), top = (int)entity->getY() + f->getBY();
  bool inside = ev->mouseX > left && ev->mouseX < left + (int)f->getBW() && ev->mouseY > top &&
                ev->mouseY < top + (int)f->getBH();
  entity->setAktivni(inside);
}

void COKController::update() {
  if (entity && life.udalost()) killEntity();
}

void COKController::placeMarker(CMapEntitiesCollection *collection, const KEvent *ev) {
  if (!collection || !ev) return;
  CMapEntity_Game *marker = CMapEntitiesFactory::instance()->cloneEntity("OK");
  marker->setXY((float)(ev->mouseX + 9), (float)(ev->mouseY + 24));
  collection->addEntity(marker);
}

void CClosedController::onBind() {
  if (!entity) return;
  card = dynamic_cast<CMapEntity_TextBox *>(CMapEntitiesFactory::instance()->cloneEntity("TEXTBOX"));
  if (card) {
    entity->addEntity(card, true, true);
    card->setXOffset(84.0f, false);
    card->setYOffset(5.0f, false);
    card->syncWithParentPosition();
    card->fontName = "small2";
    card->boxWidth = 212;
    card->fitWords = true;
    card->text = fitting();
  }
  entity->setAlpha(0.0f, true);
}

void CClosedController::update() {
  if (!entity) return;
  if (entity->getAlpha() < 1.0f) entity->changeAlpha(0.01f, true);
  if (card && collection && collection->contains(card)) card->text = fitting();
}

std::string CClosedController::fitting() const {
  KText *font = entitykit::loadedFont("small2");
  std::string text;
  for (int brevity = 0; brevity <= 2; ++brevity) {
    text = whatIsLeft(*collection->getEntitiesPtr(), brevity);
    if (!font || font->getStringWidth(text.c_str(), 0.0f) <= (float)card->boxWidth) break;
  }
  return text;
}

// The day ends when no patient is left, every bed is made and the figure carries no linen; a
// patient waiting for medicine or to pay never leaves by itself, so those are named apart.
std::string CClosedController::whatIsLeft(const std::vector<CMapEntity_Game *> &entities, int brevity) {
  int beds = 0, medicine = 0, paying = 0, others = 0;
  bool linen = false;
  for (CMapEntity_Game *e : entities) {
    if (e->getKill()) continue;
    if (e->getEntityClassID() == kBedClass && !e->getParent())
      if (const CMapEntity_PostelClass *b = dynamic_cast<const CMapEntity_PostelClass *>(e))
        beds += !b->isMadeUp() && !b->isOccupied();
    if (e->getEntityID() == kPlayerID && e->getContainedEntity(kRubbishID)) linen = true;
    if (e->getEntityClassID() != kPatientClass) continue;
    const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
    if (!p) continue;
    const bool inBed = p->getPhase() == kPhaseInBed;
    if (inBed && p->getBedState() == kBedWaitingMedicine) ++medicine;
    else if (inBed && p->getBedState() == kBedGivingMoney) ++paying;
    else ++others;
  }
  std::string left;
  auto add = [&left](const std::string &item) { left += (left.empty() ? "" : ", ") + item; };
  const bool full = brevity == 0;
  if (beds) add((full ? "make " : "") + counted(beds, "bed", "beds"));
  if (linen) add(full ? "empty the linen" : "linen");
  if (brevity == 2) {
    if (medicine + paying + others) add(counted(medicine + paying + others, "patient", "patients"));
  } else {
    if (medicine) add(full ? counted(medicine, "needs medicine", "need medicine") : counted(medicine, "medicine", "medicines"));
    if (paying) add(full ? counted(paying, "waits to pay", "wait to pay") : counted(paying, "to pay", "to pay"));
    if (others) add(counted(others, full ? "patient in care" : "in care", full ? "patients in care" : "in care"));
  }
  return left.empty() ? "All done!" : "Left: " + left;
}

void CHlasicController::update() {
  CMapEntity_Hlasic *lamp = dynamic_cast<CMapEntity_Hlasic *>(entity);
  if (!lamp || !lamp->on) return;
  if (CMapEntity *light = lamp->getContainedEntity(248)) light->effectPulse(0.6f, -1);
}
