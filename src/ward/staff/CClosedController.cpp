#include "ward/staff/CClosedController.h"

#include "media/makeString.h"
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
    card->text = whatIsLeft(*collection->getEntitiesPtr());
  }
  entity->setAlpha(0.0f, true);
}

void CClosedController::update() {
  if (!entity) return;
  if (entity->getAlpha() < 1.0f) entity->changeAlpha(0.01f, true);
  if (card && collection && collection->contains(card)) card->text = whatIsLeft(*collection->getEntitiesPtr());
}

// A patient waiting for medicine or to pay never leaves by itself, so those are named apart.
std::string CClosedController::whatIsLeft(const std::vector<CMapEntity_Game *> &entities) {
  const CWorkLeft work = CWorkLeft::of(entities);
  std::string left;
  auto add = [&left](const std::string &item) { left += (left.empty() ? "" : ", ") + item; };
  if (work.beds) add("make " + counted(work.beds, "bed", "beds"));
  if (work.linen) add("empty the linen");
  if (work.medicine) add(counted(work.medicine, "needs medicine", "need medicine"));
  if (work.paying) add(counted(work.paying, "waits to pay", "wait to pay"));
  if (work.others) add(counted(work.others, "patient in care", "patients in care"));
  return left.empty() ? "All done!" : "Left: " + left;
}
