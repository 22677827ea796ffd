#include "ward/staff/CClosedController.h"

#include "engine/KText.h"
#include "media/makeString.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CWorkLeft.h"

namespace {
std::string counted(int n, const char *one, const char *many) { return makeString(n) + " " + (n == 1 ? one : many); }
} // namespace

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
  if (entity->looks().getAlpha() < 1.0f) entity->changeAlpha(0.01f, true);
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
