#include "world/CCaption.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "media/Frame.h"
#include "media/makeString.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CSipkaController.h"
#include "world/CWorldEngine.h"
#include "world/kinds/EntityIds.h"

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
  TArea moved(float dx, float dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
};

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

// What a caption keeps off: the other captions, and the pictures of the tips' arrows at their
// fullest pulse and of the big words as drawn now (both zoom about their middles), with room for
// a frame's growth.
struct TShown {
  std::vector<TArea> captions, arrows, words;
  std::vector<TArea> all() const {
    std::vector<TArea> out(captions);
    out.insert(out.end(), arrows.begin(), arrows.end());
    out.insert(out.end(), words.begin(), words.end());
    return out;
  }
};

TShown shownBesides(CMapEntitiesCollection *c, const CMapEntity_BonusText *self) {
  TShown out;
  for (CMapEntity_BonusText *o : others(c, self)) out.captions.push_back(areaOf(o));
  for (CMapEntity_Game *e : *c->getEntitiesPtr()) {
    const uint32_t id = e->getEntityID();
    const Frame *f = id == kArrowID || id == kBigWordID || id == kLostWordID ? e->looks().getCurrentFrame() : nullptr;
    if (!f || !live(e)) continue;
    const Rect r = f->getBoundingBox();
    const float z = id == kArrowID ? 1.0f + CSipkaController::kPulse : e->looks().getZoom();
    const float w = (float)f->getSirka() / 2, h = (float)f->getVyska() / 2;
    const float mx = e->getX() + w, my = e->getY() + h;
    (id == kArrowID ? out.arrows : out.words)
        .push_back({mx + ((float)r.x - w) * z - kGap, my + ((float)r.y - h) * z - kGap,
                    mx + ((float)(r.x + r.w) - w) * z + kGap, my + ((float)(r.y + r.h) - h) * z + kGap});
  }
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

bool meetsAny(const TArea &a, const std::vector<TArea> &taken) {
  return std::any_of(taken.begin(), taken.end(), [&](const TArea &o) { return o.meets(a); });
}

CMapEntity_BonusText *made(CMapEntitiesCollection *c, float x, float y, const std::string &text, TCaptionKind kind,
                           const float rgb[3], bool plainly = false) {
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
    // The shop and the tips stand on layers 7 and 8; it rises and fades whoever holds the focus.
    if (plainly) {
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

CMapEntity_BonusText *CCaption::runLength(CMapEntitiesCollection *c, float x, float y, int length, const float rgb[3]) {
  return made(c, x, y, makeString(length) + "x", TCaptionKind::Plain, rgb);
}

CMapEntity_BonusText *CCaption::pay(CMapEntitiesCollection *c, CLevel_Game *level, float x, float y,
                                    const std::string &label, int amount, TCaptionKind kind) {
  if (level) level->changeMoney(amount);
  return show(c, x, y, label + makeString(amount), kind);
}

void CCaption::settle(CMapEntitiesCollection *c, CMapEntity_BonusText *t) {
  if (!t || t->getKill()) return;
  CWorldEngine *host = CWorldEngine::running();
  t->measure(host ? host->getFontSeznam() : nullptr);
  const float m = (float)CMapEntity_BonusText::kMargin;
  const float right = (float)CMapEntity_BonusText::kScreenWidth - m - t->width;
  const float bottom = (float)CMapEntity_BonusText::kScreenHeight - m - t->height;
  t->setXY(std::max(m, std::min(t->getX(), right)), std::max(m, std::min(t->getY(), bottom)));
  if (!c) return;
  for (CMapEntity_BonusText *o : others(c, t))
    if (replaces(t, o)) o->setKill(true);
  const std::vector<TArea> taken = shownBesides(c, t).all();
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

void CCaption::rise(CMapEntitiesCollection *c, CMapEntity_BonusText *t, float speed) {
  if (!c || !t || t->height <= 0.0f) {
    if (t) t->changeY(-speed);
    return;
  }
  const TShown shown = shownBesides(c, t);
  const std::vector<TArea> all = shown.all();
  // A quicker caption waits below a slower one rather than rise through it; what it meets already
  // does not hold it.
  const TArea now = areaOf(t), next = now.moved(0.0f, -speed);
  const bool held =
      std::any_of(all.begin(), all.end(), [&](const TArea &o) { return next.meets(o) && !now.meets(o); });
  if (!held) t->changeY(-speed);
  // A big word grows about its middle, onto what stands beside it: the caption steps aside as
  // it comes, where that keeps it whole on the screen and off the other captions and arrows.
  const float m = (float)CMapEntity_BonusText::kMargin;
  const TArea screen{m, m, (float)CMapEntity_BonusText::kScreenWidth - m,
                     (float)CMapEntity_BonusText::kScreenHeight - m};
  for (const TArea &w : shown.words) {
    const TArea me = areaOf(t);
    if (!w.meets(me)) continue;
    const float steps[4][2] = {{w.x0 - me.x1, 0.0f}, {w.x1 - me.x0, 0.0f}, {0.0f, w.y0 - me.y1}, {0.0f, w.y1 - me.y0}};
    const float *best = nullptr;
    for (const float *s : steps) {
      const TArea to = me.moved(s[0], s[1]);
      const bool whole = to.x0 >= screen.x0 && to.y0 >= screen.y0 && to.x1 <= screen.x1 && to.y1 <= screen.y1;
      const bool shorter = !best || std::fabs(s[0] + s[1]) < std::fabs(best[0] + best[1]);
      if (whole && shorter && !meetsAny(to, shown.captions) && !meetsAny(to, shown.arrows)) best = s;
    }
    if (best) t->setXY(t->getX() + best[0], t->getY() + best[1]);
  }
}
