#include "world/CCaption.h"

#include <algorithm>
#include <vector>

#include "media/CGlobals.h"
#include "media/makeString.h"
#include "world/CCaptionSpace.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CWorldEngine.h"

namespace {
const float kTints[][3] = {
    {1.0f, 1.0f, 1.0f},    // Plain
    {0.8f, 0.15f, 0.5f},   // Cash
    {0.45f, 0.75f, 1.0f},  // Diagnosis
    {1.0f, 0.3f, 0.25f},   // Blocked
    {0.4f, 0.95f, 0.4f},   // Ready
};

// How far a caption may stand from where it was earned, or step aside from what came onto it.
constexpr float kReach = 160.0f;

using TArea = CCaptionSpace::TArea;

TArea areaOf(const CMapEntity_BonusText *t) {
  return {t->getX(), t->getY(), t->getX() + t->width, t->getY() + t->height};
}

bool live(const CMapEntity *e) { return !e->getKill() && e->looks().getAlpha() != 0.0f; }

// The captions already placed and still shown, besides `self`.
std::vector<CMapEntity_BonusText *> others(CMapEntitiesCollection *c, const CMapEntity_BonusText *self) {
  std::vector<CMapEntity_BonusText *> out;
  for (CMapEntity_Game *e : *c->getEntitiesPtr())
    if (auto *t = dynamic_cast<CMapEntity_BonusText *>(e))
      if (t != self && live(t) && t->height > 0.0f) out.push_back(t);
  return out;
}

// Whether a caption newly shown makes one still shown obsolete: a refusal said again; the news
// of what is ready, which counts all that waits; a match said as plainly as a refusal, which
// answers the refusals before it.
bool replaces(const CMapEntity_BonusText *now, const CMapEntity_BonusText *shown) {
  if (now->warning && shown->warning && now->text == shown->text) return true;
  if (now->kind != TCaptionKind::Ready) return false;
  return shown->kind == TCaptionKind::Ready ||
         (now->warning && shown->warning && shown->kind == TCaptionKind::Blocked);
}

// A run's length said before the words, in the colour of what ran.
struct TLead {
  int run = 0;
  const float *rgb = nullptr;
};

CMapEntity_BonusText *made(CMapEntitiesCollection *c, float x, float y, const std::string &text, TCaptionKind kind,
                           const float rgb[3], bool plainly = false, TLead lead = {}) {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("BONUSTEXT");
  if (!e) return nullptr;
  e->setXY(x, y);
  auto *t = dynamic_cast<CMapEntity_BonusText *>(e);
  if (t) {
    t->text = text;
    t->kind = kind;
    t->textRed = rgb[0];
    t->textGreen = rgb[1];
    t->textBlue = rgb[2];
    t->warning = plainly;
    if (lead.run > 0 && lead.rgb) {
      t->lead = makeString(lead.run) + "x";
      std::copy(lead.rgb, lead.rgb + 3, t->leadRGB);
    }
    // The shop and the tips stand on layers 7 and 8; it rises and fades whoever holds the focus.
    // What is said plainly stays on one line, read at a glance.
    if (plainly) {
      t->boxWidth = std::max(t->boxWidth, (int32_t)CMapEntity_BonusText::kScreenWidth);
      t->setSortZ(9, false);
      t->setFocusable(false);
    }
  }
  if (c) c->addEntity(e);
  // Placed at once: it is drawn in the frame it is made, before its behaviour is bound.
  CCaption::settle(c, t);
  return t;
}
} // namespace

CMapEntity_BonusText *CCaption::show(CMapEntitiesCollection *c, float x, float y, const std::string &text,
                                     TCaptionKind kind) {
  return made(c, x, y, text, kind, kTints[(int)kind]);
}

CMapEntity_BonusText *CCaption::sayPlainly(CMapEntitiesCollection *c, float x, float y, const std::string &text,
                                           TCaptionKind kind) {
  return made(c, x, y, text, kind, kTints[(int)kind], true);
}

CMapEntity_BonusText *CCaption::pay(CMapEntitiesCollection *c, CLevel_Game *level, float x, float y,
                                    const std::string &label, int amount, TCaptionKind kind) {
  if (level) level->changeMoney(amount);
  return show(c, x, y, label + makeString(amount), kind);
}

CMapEntity_BonusText *CCaption::payRun(CMapEntitiesCollection *c, CLevel_Game *level, float x, float y,
                                       const std::string &label, int amount, int run, const float rgb[3],
                                       TCaptionKind kind) {
  if (level) level->changeMoney(amount);
  return made(c, x, y, label + makeString(amount), kind, kTints[(int)kind], false, {run, rgb});
}

void CCaption::settle(CMapEntitiesCollection *c, CMapEntity_BonusText *t) {
  if (!t || t->getKill()) return;
  CWorldEngine *host = CWorldEngine::running();
  t->measure(host ? host->getFontSeznam() : nullptr);
  const TArea screen = CCaptionSpace::screen();
  t->setXY(std::max(screen.x0, std::min(t->getX(), screen.x1 - t->width)),
           std::max(screen.y0, std::min(t->getY(), screen.y1 - t->height)));
  if (!c) return;
  for (CMapEntity_BonusText *o : others(c, t))
    if (replaces(t, o)) o->setKill(true);
  float x = t->getX(), y = t->getY();
  if (CCaptionSpace(c, t).nearestFree(x, y, t->width, t->height, kReach)) t->setXY(x, y);
}

bool CCaption::rise(CMapEntitiesCollection *c, CMapEntity_BonusText *t, float speed) {
  if (!c || !t || t->height <= 0.0f) {
    if (t) t->changeY(-speed);
    return true;
  }
  const CCaptionSpace space(c, t);
  // It waits rather than rise into anything shown, or past the top; what it meets already does
  // not hold it.
  const TArea now = areaOf(t), next = now.moved(0.0f, -speed * CGlobals::instance()->deltaFactor);
  auto into = [&](const std::vector<TArea> &areas) {
    return std::any_of(areas.begin(), areas.end(), [&](const TArea &o) { return next.meets(o) && !now.meets(o); });
  };
  const bool held = next.y0 < CCaptionSpace::screen().y0 || into(space.captions) || into(space.fixed) || into(space.growing);
  if (!held) t->changeY(-speed);
  // What came onto it since (a big word grown, a bubble opened, a sign) moves it off to the
  // nearest clear spot.
  if (!space.taken(areaOf(t))) return true;
  float x = t->getX(), y = t->getY();
  if (!space.nearestFree(x, y, t->width, t->height, kReach)) return false;
  t->setXY(x, y);
  return true;
}
