#include "world/CCaptionSpace.h"

#include <algorithm>
#include <cmath>

#include "media/Frame.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CSipkaController.h"
#include "world/CWorldEngine.h"
#include "world/kinds/EntityIds.h"

namespace {
using TArea = CCaptionSpace::TArea;

// The figure and the staff standing in the ward.
constexpr uint32_t kPeopleIDs[] = {kPlayerID,    kNurseID,     kCabinetNurseID, kCounterClerkID, kColleagueID,
                                   kRepairmanID, kMusician1ID, kMusician2ID,    kJesterID};
// How much of a person's picture, from the top, is the face and hair.
constexpr float kFaceShare = 0.4f;

bool shown(const CMapEntity *e) {
  return !e->getKill() && e->looks().getVisible() && e->looks().getAlpha() != 0.0f;
}

bool within(const CMapEntity *e, const CMapEntity *self) {
  for (; e; e = e->carrying().getParent())
    if (e == self) return true;
  return false;
}

// A box of the frame, zoomed about the picture's middle as the entity is drawn.
TArea drawn(const CMapEntity *e, const Frame *f, const Rect &r, float zoom, float gap) {
  const float w = (float)f->getSirka() / 2, h = (float)f->getVyska() / 2;
  const float mx = e->getX() + w, my = e->getY() + h;
  return {mx + ((float)r.x - w) * zoom - gap, my + ((float)r.y - h) * zoom - gap,
          mx + ((float)(r.x + r.w) - w) * zoom + gap, my + ((float)(r.y + r.h) - h) * zoom + gap};
}

// Offsets from the spot wanted with their cost, nearest first; a step down counts half again, so
// above and beside come first.
struct TOffset {
  float dx, dy, cost;
};
const std::vector<TOffset> &offsets() {
  static const std::vector<TOffset> all = [] {
    constexpr int kStep = 4, kFar = 240;
    std::vector<TOffset> out;
    for (int dy = -kFar; dy <= kFar; dy += kStep)
      for (int dx = -kFar; dx <= kFar; dx += kStep)
        out.push_back({(float)dx, (float)dy, std::hypot((float)dx, dy > 0 ? (float)dy * 1.5f : (float)dy)});
    std::stable_sort(out.begin(), out.end(), [](const TOffset &a, const TOffset &b) { return a.cost < b.cost; });
    return out;
  }();
  return all;
}
} // namespace

bool CCaptionSpace::meetsAny(const TArea &a, const std::vector<TArea> &areas) {
  return std::any_of(areas.begin(), areas.end(), [&](const TArea &o) { return o.meets(a); });
}

TArea CCaptionSpace::screen() {
  const float m = (float)CMapEntity_BonusText::kMargin;
  return {m, m, (float)CMapEntity_BonusText::kScreenWidth - m, (float)CMapEntity_BonusText::kScreenHeight - m};
}

bool CCaptionSpace::faceOf(const CMapEntity_Game *e, TArea &out) {
  const Frame *f = e->looks().getCurrentFrame();
  if (!f || !shown(e)) return false;
  const uint32_t id = e->getEntityID(), cls = e->getEntityClassID();
  auto among = [id](const auto &ids) { return std::find(std::begin(ids), std::end(ids), id) != std::end(ids); };
  const bool person = cls == kPatientClass || cls == kParentsClass || among(kPeopleIDs) || among(kInfoDeskIDs);
  if (!person) return false;
  Rect r = f->getActionBoundingBox();
  if (r.w <= 0 || r.h <= 0) r = {0, 0, (int32_t)f->getSirka(), (int32_t)f->getVyska()};
  r.h = (int32_t)std::ceil((float)r.h * kFaceShare);
  out = drawn(e, f, r, 1.0f, 0.0f);
  return true;
}

CCaptionSpace::CCaptionSpace(CMapEntitiesCollection *c, const CMapEntity *self, bool faces) {
  if (!c) return;
  CWorldEngine *host = CWorldEngine::running();
  CFontSeznam *fonts = host ? host->getFontSeznam() : nullptr;
  for (CMapEntity_Game *e : *c->getEntitiesPtr()) {
    if (!shown(e) || within(e, self)) continue;
    if (auto *t = dynamic_cast<CMapEntity_BonusText *>(e)) {
      if (t->height > 0.0f) captions.push_back({t->getX(), t->getY(), t->getX() + t->width, t->getY() + t->height});
      continue;
    }
    TArea a;
    if (auto *box = dynamic_cast<CMapEntity_TextBox *>(e)) {
      if (box->wordsArea(fonts, a.x0, a.y0, a.x1, a.y1)) fixed.push_back(a);
      continue;
    }
    if (faces && faceOf(e, a)) fixed.push_back(a);
    const Frame *f = e->looks().getCurrentFrame();
    if (!f) continue;
    const uint32_t id = e->getEntityID();
    const Rect whole{0, 0, (int32_t)f->getSirka(), (int32_t)f->getVyska()};
    if (id == kArrowID) {
      fixed.push_back(drawn(e, f, f->getBoundingBox(), 1.0f + CSipkaController::kPulse, kGap));
    } else if (id == kBigWordID || id == kLostWordID) {
      growing.push_back(drawn(e, f, f->getBoundingBox(), e->looks().getZoom(), kGap));
    } else if (id == kClosedSignID || id == kHeartsID || e->getEntityClassID() == kTutorialBubbleClass) {
      fixed.push_back(drawn(e, f, whole, e->looks().getZoom(), kGap));
    } else if (f->getWordsBox().w > 0 && f->getWordsBox().h > 0) {
      fixed.push_back(drawn(e, f, f->getWordsBox(), e->looks().getZoom(), kGap));
    }
  }
}

bool CCaptionSpace::nearestFree(float &x, float &y, float w, float h, float reach) const {
  const TArea bounds = screen();
  for (const auto &[dx, dy, cost] : offsets()) {
    if (cost > reach * 1.5f * std::sqrt(2.0f)) break;
    if (std::fabs(dx) > reach || std::fabs(dy) > reach) continue;
    const TArea at{x + dx, y + dy, x + dx + w, y + dy + h};
    if (at.x0 < bounds.x0 || at.y0 < bounds.y0 || at.x1 > bounds.x1 || at.y1 > bounds.y1 || taken(at)) continue;
    x = at.x0;
    y = at.y0;
    return true;
  }
  return false;
}
