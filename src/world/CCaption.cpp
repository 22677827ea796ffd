#include "world/CCaption.h"

#include <algorithm>
#include <vector>

#include "media/Frame.h"
#include "media/makeString.h"
#include "world/CWorldEngine.h"
#include "world/kinds/EntityIds.h"
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

constexpr float kGap = 2.0f;

struct TArea {
  float x0, y0, x1, y1;
  bool meets(const TArea &o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

TArea areaOf(const CMapEntity_BonusText *t, float dy = 0.0f) {
  return {t->getX(), t->getY() + dy, t->getX() + t->width, t->getY() + dy + t->height};
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

bool CCaption::shownAs(const CMapEntity_Game *e, TCaptionKind kind) {
  const auto *t = dynamic_cast<const CMapEntity_BonusText *>(e);
  const float *rgb = kTints[(int)kind];
  return t && t->textRed == rgb[0] && t->textGreen == rgb[1] && t->textBlue == rgb[2];
}

void CCaption::settle(CMapEntitiesCollection *c, CMapEntity_BonusText *t) {
  if (!t) return;
  CWorldEngine *host = CWorldEngine::running();
  t->measure(host ? host->getFontSeznam() : nullptr);
  const float m = (float)CMapEntity_BonusText::kMargin;
  const float right = (float)CMapEntity_BonusText::kScreenWidth - m - t->width;
  const float bottom = (float)CMapEntity_BonusText::kScreenHeight - m - t->height;
  t->setXY(std::max(m, std::min(t->getX(), right)), std::max(m, std::min(t->getY(), bottom)));
  if (!c) return;
  std::vector<TArea> taken;
  for (CMapEntity_BonusText *o : others(c, t)) {
    if (t->warning && o->warning && o->text == t->text) o->setKill(true);
    else taken.push_back(areaOf(o));
  }
  for (CMapEntity_Game *e : *c->getEntitiesPtr()) {
    const Frame *f = e->getEntityID() == kArrowID && live(e) ? e->looks().getCurrentFrame() : nullptr;
    if (!f) continue;
    const Rect r = f->getBoundingBox();
    taken.push_back({e->getX() + (float)r.x, e->getY() + (float)r.y, e->getX() + (float)(r.x + r.w),
                     e->getY() + (float)(r.y + r.h)});
  }
  // Up past whatever it meets; when the top is reached, down from where it was earned instead.
  const float startY = t->getY();
  for (int dir : {-1, 1}) {
    float y = startY;
    for (size_t tries = 0; tries <= taken.size(); ++tries) {
      const TArea me{t->getX(), y, t->getX() + t->width, y + t->height};
      auto hit = std::find_if(taken.begin(), taken.end(), [&](const TArea &a) { return a.meets(me); });
      if (hit == taken.end()) {
        t->setXY(t->getX(), y);
        return;
      }
      y = dir < 0 ? hit->y0 - t->height - kGap : hit->y1 + kGap;
      if (y < m || y > bottom) break;
    }
  }
}

bool CCaption::wouldMeet(CMapEntitiesCollection *c, const CMapEntity_BonusText *t, float dy) {
  if (!c || !t || t->height <= 0.0f) return false;
  const TArea now = areaOf(t), next = areaOf(t, dy);
  for (const CMapEntity_BonusText *o : others(c, t))
    if (next.meets(areaOf(o)) && !now.meets(areaOf(o))) return true;
  return false;
}
