#include "guidance/CTipKit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "guidance/CMapEntity_TutorialClass.h"
#include "media/CGlobals.h"
#include "media/Frame.h"
#include "media/ZSprite.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CPixlaBlackController.h"
#include "world/HitBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

void TPointerFollow::follow(const KEvent *ev) {
  if (ev->type != K_EVENT_MOUSEMOVE) return;
  if (lastX >= 0) {
    moveX = (int16_t)(ev->mouseX - lastX);
    moveY = (int16_t)(ev->mouseY - lastY);
  }
  lastX = (int16_t)ev->mouseX;
  lastY = (int16_t)ev->mouseY;
  pointerX = ev->mouseX;
  pointerY = ev->mouseY;
}

namespace tipkit {

CMapEntity_Game *carryArrow(CMapEntity *bubble, float dx, float dy, float angle) {
  CMapEntity_Game *a = CMapEntitiesFactory::instance()->cloneEntity("SIPKA");
  bubble->addEntity(a, true, true);
  if (angle != 0.0f && a->looks().getSprite()) a->looks().getSprite()->setAngle(angle);
  a->setXOffset(dx, false);
  a->setYOffset(dy, false);
  a->syncWithParentPosition();
  return a;
}

CMapEntity_Game *freeArrow(CMapEntitiesCollection *collection, float x, float y, float angle, int z) {
  CMapEntity_Game *a = CMapEntitiesFactory::instance()->cloneEntity("SIPKA");
  if (angle != 0.0f && a->looks().getSprite()) a->looks().getSprite()->setAngle(angle);
  a->setXY(x, y);
  a->setSortZ(z, false);
  collection->addEntity(a);
  return a;
}

void dropArrow(TEntityRef<CMapEntity_Game> &arrow, CMapEntitiesCollection *collection, CMapEntity *bubble) {
  CMapEntity_Game *a = arrow.in(collection);
  if (!a && bubble) a = arrow.among(bubble->carrying().getContainedList());
  if (a) a->setKill(true);
  arrow.clear();
}

CMapEntity_Game *reachDown(CMapEntity_Game *arrow) {
  if (arrow) arrow->changeFrameset("LONG");
  return arrow;
}

void writeText(CMapEntity_Game *bubble, const char *text) {
  if (auto *b = dynamic_cast<CMapEntity_TutorialClass *>(bubble)) b->text = text;
  if (auto *box = dynamic_cast<CMapEntity_TextBox *>(bubble->getContainedEntity(kTextBoxID))) box->text = text;
}

CMapEntity_Game *open(CMapEntitiesCollection *collection, const char *name, float x, float y) {
  if (!collection) return nullptr;
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity(name);
  if (!e) return nullptr;
  e->setXY(x, y);
  collection->addEntity(e);
  return e;
}

bool bubbleStands(CMapEntitiesCollection *collection) {
  if (!collection) return false;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr())
    if (e->getEntityClassID() == kTutorialBubbleClass && !e->getKill()) return true;
  return false;
}

namespace {
constexpr float kDimmed = 0.3f;
// A reader takes in a bubble's words in about this long.
constexpr int kReadMs = 1500;
constexpr int kReadMsPerLetter = 45;
// How far past its picture an arrow's tip reaches what it points at.
constexpr float kArrowReach = 16.0f;
// What shows of a tucked bubble, how fast it slides, and how long the pointer rests on it to bring
// it back.
constexpr float kRim = 18.0f;
constexpr float kSlide = 12.0f;
constexpr int kPeekMs = 400;

struct TBox {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool meets(const TBox &o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

// Where the entity's picture (or its action box) stands on the screen; false without a frame.
bool boxOf(const CMapEntity *e, TBox &out, bool action = false) {
  const Frame *f = e->looks().getCurrentFrame();
  if (!f) return false;
  const Rect r = action ? f->getActionBoundingBox() : f->getBoundingBox();
  if (r.w <= 0 || r.h <= 0) return false;
  out = {e->getX() + (float)r.x, e->getY() + (float)r.y, e->getX() + (float)(r.x + r.w), e->getY() + (float)(r.y + r.h)};
  return true;
}

// What the player may have to see or click on the ward.
bool mayBeNeeded(const CMapEntity_Game *e) {
  const uint32_t cls = e->getEntityClassID();
  if (cls == kPatientClass || cls == kBedClass || cls == kChairClass || e->getMouseClick()) return true;
  return dynamic_cast<const CPixlaBlackController *>(e->getController()) != nullptr;
}

bool shown(const CMapEntity *e) {
  const float a = e->looks().getAlpha();
  return !e->getKill() && e->looks().getVisible() && (a == -1.0f || a > 0.0f);
}

bool beenRead(CMapEntity_Game *bubble) {
  auto *b = dynamic_cast<CMapEntity_TutorialClass *>(bubble);
  if (!b) return false;
  const auto *box = dynamic_cast<const CMapEntity_TextBox *>(bubble->getContainedEntity(kTextBoxID));
  const std::string &words = box ? box->text : b->text;
  if (b->shown.fresh || words != b->shownText) {
    b->shownText = words;
    b->shown.reset();
  }
  return b->shown.vratVteriny() >= kReadMs + kReadMsPerLetter * (int)words.size();
}

// The first row the status bar covers, or the window's foot where there is none (the shop).
float wardFoot(CMapEntitiesCollection *collection) {
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    TBox bar;
    if (e->getEntityID() == kStatusBarID && !e->getKill() && boxOf(e, bar)) return bar.y0;
  }
  return 600.0f;
}

bool inside(const TBox &b, long x, long y) { return hitBox(b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0, (float)x, (float)y); }

bool coversNeeded(CMapEntitiesCollection *collection, const TBox &panel);

// A read bubble over what the player needs slides toward the nearer edge of the ward until only
// its rim shows; its arrows stay where they point. The pointer resting on that rim brings it back
// while the pointer stays on it.
void tuck(CMapEntitiesCollection *collection, CMapEntity_TutorialClass *b, bool read) {
  TBox home;
  if (!boxOf(b, home, true)) return;
  home.y0 -= b->tuckedBy;
  home.y1 -= b->tuckedBy;
  const float foot = wardFoot(collection);
  const bool down = home.y0 + home.y1 > foot;
  const float away = down ? foot - kRim - home.y0 : kRim - home.y1;
  const long px = KInput::getMouseX(), py = KInput::getMouseY();
  // The rim as it shows once tucked, and with it all the bubble may cover.
  TBox rim = down ? TBox{home.x0, foot - kRim, home.x1, foot} : TBox{home.x0, 0.0f, home.x1, kRim};
  const TBox reach = {home.x0, std::min(home.y0, rim.y0), home.x1, std::max(home.y1, rim.y1)};
  const bool tucked = away != 0.0f && std::fabs(b->tuckedBy - away) < 0.5f;
  if (b->peeking) {
    // Raised, it stays while the pointer is on it or on the rim it rose from.
    b->peeking = inside(reach, px, py);
  } else if (tucked && inside(rim, px, py)) {
    if (b->rested.vratVteriny() >= kPeekMs) b->peeking = true;
  } else {
    b->rested.reset();
  }
  const float target = read && !b->peeking && coversNeeded(collection, home) ? away : 0.0f;
  const float step = kSlide * std::max(CGlobals_instance ? CGlobals_instance->deltaFactor : 1.0f, 0.0f);
  const float next = std::fabs(target - b->tuckedBy) <= step ? target : b->tuckedBy + (target > b->tuckedBy ? step : -step);
  const float dy = next - b->tuckedBy;
  // Tucked, its words would show cut in half: only its rim shows.
  if (CMapEntity *words = b->getContainedEntity(kTextBoxID))
    words->looks().setVisible(next == 0.0f || std::fabs(next - away) >= 0.5f);
  if (dy == 0.0f) return;
  b->tuckedBy = next;
  b->setXY(b->getX(), b->getY() + dy);
  for (CMapEntity *e : b->carrying().getContainedList())
    if (e->getEntityID() == kArrowID) e->setYOffset(e->getYOffset() - dy, false);
}

// How a bubble gives way to the ward: dimmed under the pointer and slid aside once read; only slid
// aside; or kept in place, dimmed under the pointer where it covers something.
enum class TGiving { Hover, Aside, Hold };

void fade(CMapEntitiesCollection *collection, CMapEntity_Game *bubble, TGiving way) {
  const bool held = way == TGiving::Hold;
  const bool read = !held && beenRead(bubble);
  auto *b = dynamic_cast<CMapEntity_TutorialClass *>(bubble);
  if (b && !held) tuck(collection, b, read);
  const bool peeking = b && b->peeking;
  const long y = KInput::getMouseY();
  const bool band = !peeking && y > bubble->getY() && y < bubble->getY() + 100;
  const bool under = band && (way == TGiving::Hover || (held && standsOver(collection, bubble)));
  // Where no rim is left clear of the ward (or while it slides), it also lets the ward show through.
  const bool aside = !under && !peeking && read && standsOver(collection, bubble);
  bubble->setAlpha(under || aside ? kDimmed : 1.0f, true);
  // Stepped aside, it still points the way.
  if (aside)
    for (CMapEntity *e : bubble->carrying().getContainedList())
      if (e->getEntityID() == kArrowID) e->setAlpha(1.0f, true);
}
} // namespace

namespace {
bool coversNeeded(CMapEntitiesCollection *collection, const TBox &panel) {
  std::vector<TBox> arrows;
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    TBox a;
    if (e->getEntityID() == kArrowID && shown(e) && boxOf(e, a))
      arrows.push_back({a.x0 - kArrowReach, a.y0 - kArrowReach, a.x1 + kArrowReach, a.y1 + kArrowReach});
  }
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    TBox b;
    if (!shown(e) || !mayBeNeeded(e) || !boxOf(e, b) || !b.meets(panel)) continue;
    if (std::none_of(arrows.begin(), arrows.end(), [&](const TBox &a) { return a.meets(b); })) return true;
  }
  return false;
}
} // namespace

bool standsOver(CMapEntitiesCollection *collection, CMapEntity_Game *bubble) {
  TBox panel;
  if (!collection || !boxOf(bubble, panel, true)) return false;
  // What slid under the status bar covers nothing.
  panel.y1 = std::min(panel.y1, wardFoot(collection));
  return panel.y0 < panel.y1 && coversNeeded(collection, panel);
}

void hoverFade(CMapEntitiesCollection *collection, CMapEntity_Game *bubble) {
  fade(collection, bubble, TGiving::Hover);
}

void stepAside(CMapEntitiesCollection *collection, CMapEntity_Game *bubble) {
  fade(collection, bubble, TGiving::Aside);
}

void holdPlace(CMapEntitiesCollection *collection, CMapEntity_Game *bubble) {
  fade(collection, bubble, TGiving::Hold);
}

bool gaugeFull(CMapEntity_PacientClass *patient) {
  auto *chair = patient ? dynamic_cast<CMapEntity_DiagnosticTool *>(patient->getChair()) : nullptr;
  CMapEntity_Tlakomer *gauge = chair ? chair->getGauge() : nullptr;
  return gauge && gauge->full;
}

void askPatientToAwaitClick(CMapEntity_PacientClass *patient) {
  if (CPatientGuideLink *guide = TLink<CPatientGuideLink>::get()) guide->awaitDeskClick(patient);
}

} // namespace tipkit
