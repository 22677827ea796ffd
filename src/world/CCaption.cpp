#include "world/CCaption.h"

#include "media/makeString.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"

namespace {
const float kTints[][3] = {
    {1.0f, 1.0f, 1.0f},    // Plain
    {0.8f, 0.15f, 0.5f},   // Cash
    {0.45f, 0.75f, 1.0f},  // Diagnosis
    {1.0f, 0.3f, 0.25f},   // Blocked
    {0.4f, 0.95f, 0.4f},   // Ready
};

CMapEntity_BonusText *tinted(CMapEntitiesCollection *c, float x, float y, const std::string &text, const float rgb[3]) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("BONUSTEXT");
  if (!e) return nullptr;
  e->setXY(x, y);
  if (auto *box = dynamic_cast<CMapEntity_TextBox *>(e)) box->text = text;
  auto *t = dynamic_cast<CMapEntity_BonusText *>(e);
  if (t) {
    t->textRed = rgb[0];
    t->textGreen = rgb[1];
    t->textBlue = rgb[2];
  }
  if (c) c->addEntity(e);
  return t;
}
} // namespace

CMapEntity_BonusText *CCaption::show(CMapEntitiesCollection *c, float x, float y, const std::string &text,
                                     TCaptionKind kind) {
  return tinted(c, x, y, text, kTints[(int)kind]);
}

CMapEntity_BonusText *CCaption::runLength(CMapEntitiesCollection *c, float x, float y, int length, const float rgb[3]) {
  return tinted(c, x, y, makeString(length) + "x", rgb);
}

CMapEntity_BonusText *CCaption::pay(CMapEntitiesCollection *c, CLevel_Game *level, float x, float y,
                                    const std::string &label, int amount, TCaptionKind kind) {
  if (level) level->changeMoney(amount);
  return show(c, x, y, label + makeString(amount), kind);
}
