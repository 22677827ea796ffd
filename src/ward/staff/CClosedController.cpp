#include "ward/staff/CClosedController.h"

#include <algorithm>

#include "engine/KText.h"
#include "media/Frame.h"
#include "media/makeString.h"
#include "world/CCaptionSpace.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CWorkLeft.h"
#include "world/kinds/CMapEntity_PacientClass.h"

namespace {
std::string counted(int n, const char *one, const char *many) { return makeString(n) + " " + (n == 1 ? one : many); }
} // namespace

void CClosedController::onBind() {
  if (!entity) return;
  auto *card = dynamic_cast<CMapEntity_TextBox *>(CMapEntitiesFactory::instance()->cloneEntity("TEXTBOX"));
  cardRef = card;
  if (card) {
    entity->addEntity(card, true, true);
    card->setXOffset(84.0f, false);
    card->setYOffset(5.0f, false);
    card->syncWithParentPosition();
    card->fontName = "small2";
    card->boxWidth = 212;
    card->fitWords = true;
    card->text = fitting(card->boxWidth);
  }
  // It stands where the day put it unless that hides a face, words or a caption: then at the
  // nearest spot that hides none.
  if (Frame *f = entity->looks().getCurrentFrame()) {
    float x = entity->getX(), y = entity->getY();
    if (CCaptionSpace(collection, entity, true).nearestFree(x, y, (float)f->getSirka(), (float)f->getVyska(), kReach))
      entity->setXY(x, y);
  }
  entity->setAlpha(0.0f, true);
}

// It fades in slowly, and out at once when a patient's cues would be hidden; its words fade
// in with it but stay whole when it turns see-through.
void CClosedController::update() {
  if (!entity) return;
  const float alpha = entity->looks().getAlpha(), wanted = overSomeone() ? kOverPatientAlpha : 1.0f;
  if (alpha < wanted) entity->changeAlpha(std::min(0.01f, wanted - alpha), true);
  if (alpha > wanted) entity->setAlpha(std::max(wanted, alpha - 0.1f), true);
  if (CMapEntity_TextBox *card = cardRef.in(collection)) {
    card->text = fitting(card->boxWidth);
    // The words stay dark while the sign shows through: pale, they would vanish on the floor.
    card->setAlpha(std::min(1.0f, entity->looks().getAlpha() / kOverPatientAlpha), false);
  }
}

bool CClosedController::overSomeone() const {
  Frame *sign = entity->looks().getCurrentFrame();
  if (!sign || !collection) return false;
  const float left = entity->getX(), top = entity->getY();
  const float right = left + (float)sign->getSirka(), bottom = top + (float)sign->getVyska();
  const CCaptionSpace::TArea box{left, top, right, bottom};
  const float ring = CMapEntity_PacientClass::kRingRadius + 3.0f;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    CCaptionSpace::TArea face;
    if (CCaptionSpace::faceOf(e, face) && face.meets(box)) return true;
    const auto *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
    Frame *f = p ? p->looks().getCurrentFrame() : nullptr;
    if (!f || p->getKill() || p->getPhase() != kPhaseInBed) continue;
    const float x = p->getX(), y = p->getY();
    if (x - ring < right && x + (float)f->getSirka() > left && y - ring < bottom && y + (float)f->getVyska() > top)
      return true;
  }
  return false;
}

std::string CClosedController::fitting(int width) const {
  KText *font = entitykit::loadedFont("small2");
  std::string text;
  for (int brevity = 0; brevity <= 2; ++brevity) {
    text = whatIsLeft(*collection->getEntitiesPtr(), brevity);
    if (!font || font->getStringWidth(text.c_str(), 0.0f) <= (float)width) break;
  }
  return text;
}

// A patient waiting for medicine or to pay never leaves by itself, so those are named apart.
std::string CClosedController::whatIsLeft(const std::vector<CMapEntity_Game *> &entities, int brevity) {
  const CWorkLeft work = CWorkLeft::of(entities);
  std::string left;
  auto add = [&left](const std::string &item) { left += (left.empty() ? "" : ", ") + item; };
  const bool full = brevity == 0;
  if (work.beds) add((full ? "make " : "") + counted(work.beds, "bed", "beds"));
  if (work.linen) add(full ? "empty the linen" : "linen");
  if (brevity == 2) {
    if (work.patients()) add(counted(work.patients(), "patient", "patients"));
  } else {
    if (work.medicine)
      add(full ? counted(work.medicine, "needs medicine", "need medicine") : counted(work.medicine, "medicine", "medicines"));
    if (work.paying) add(full ? counted(work.paying, "waits to pay", "wait to pay") : counted(work.paying, "to pay", "to pay"));
    if (work.others)
      add(counted(work.others, full ? "patient in care" : "in care", full ? "patients in care" : "in care"));
  }
  return left.empty() ? "All done!" : "Left: " + left;
}
