#include "guidance/CShopTipControllers.h"

#include <cstring>
#include <vector>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KEvent.h"
#include "guidance/CMapEntity_TutorialClass.h"
#include "media/CGlobals.h"
#include "media/Frameset.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

namespace {
using tipkit::carryArrow;
using tipkit::writeText;
constexpr unsigned int kHeadClass = 10;

struct TPage {
  const char *text;
  int period;
};

const TPage kPages[6] = {
    {"From here you can upgrade your attributes: Medicine, Charisma,| Stethoscope and Speed.", 6000},
    {"This is how much money you have...", 4500},
    {"...and this is how much upgrading each attribute will cost.", 5500},
    {"Clicking a 'Buy' button will purchase a new star in an | attribute if you have enough cash.", 5500},
    {"Each new star makes you stronger in that attribute!", 4000},
    {"...just click the 'Buy' button, and the| selected upgrades are yours!", 4000},
};

CPlayer *player() {
  CEngine *running = CEngine::running();
  return running ? running->getPlayer() : nullptr;
}

bool illFrameset(const char *name) {
  static const char *const ill[] = {"ILL1", "ILL2", "ILL3", "ILL1WAITING", "ILL2WAITING", "ILL3WAITING"};
  for (const char *n : ill)
    if (std::strcmp(n, name) == 0) return true;
  return false;
}
} // namespace

// ---- shop tip

void CTipShopController::onBind() {
  CMapEntity_Game *window = collection ? collection->getEntityByID(kShopWindowID) : nullptr;
  CMapEntity *meds = window ? window->getContainedEntity(kMedsUpgradeID) : nullptr;
  if (!meds) return;
  const std::vector<CMapEntity *> &carried = meds->carrying().getContainedList();
  for (size_t i = 1; i < carried.size() && starDot.empty(); ++i)
    if (carried[i]->getEntityID() == kPuntikID) starDot = carried[i];
}

void CTipShopController::specificHandleMessages(KEvent *ev) {
  pointer.follow(ev);
  // Only the tour takes input while it runs: a click elsewhere would otherwise do nothing at all.
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1 || !entity) return;
  entitykit::refusal(collection, (float)ev->mouseX - 40.0f, (float)ev->mouseY - 30.0f, "Wait for the tip to finish!");
  entity->resetFlash();
  flashing = true;
}

void CTipShopController::removeArrow(int slot) { tipkit::dropArrow(arrows[slot], collection, entity); }

CMapEntity_Game *CTipShopController::freeArrow(float x, float y, bool turned) {
  return tipkit::freeArrow(collection, x, y, turned ? 90.0f : 0.0f);
}

void CTipShopController::enterPage() {
  switch (page) {
  case 1:
    for (int i = 0; i < 4; ++i) removeArrow(i);
    arrows[0] = freeArrow(213, 121, true);
    break;
  case 2:
    removeArrow(0);
    arrows[0] = freeArrow(423, 165, false);
    break;
  case 3:
    removeArrow(0);
    arrows[0] = freeArrow(507, 160, false);
    break;
  case 4:
    removeArrow(0);
    arrows[0] = freeArrow(309, 170, false);
    break;
  case 5:
    arrows[1] = freeArrow(508, 160, false);
    break;
  case 6:
    removeArrow(0);
    removeArrow(1);
    if (CMapEntity *dot = starDot.in(collection)) dot->changeFrameset("EMPTY");
    break;
  default:
    break;
  }
}

void CTipShopController::update() {
  if (!entity || !collection) return;
  tipkit::hoverFade(entity);
  if (flashing) entity->effectFlash(0.08f, 0.6f, true);
  if (runState == 0) {
    if (!startTimer.udalost()) return;
    runState = 1;
    pageTimer.nastavSpoustec(kPages[0].period);
    pageTimer.reset();
    const float offsets[4] = {-125, -75, -175, -225};
    for (int i = 0; i < 4; ++i) arrows[i] = carryArrow(entity, 210, offsets[i], 90.0f);
    return;
  }
  if (page >= 0 && page <= 5) writeText(entity, kPages[page].text);
  CMapEntity *dot = page == 4 || page == 5 ? starDot.in(collection) : nullptr;
  if (dot) dot->changeFrameset("FULL");
  if (page >= 6) {
    killEntity();
    collection->unfocus(nullptr);
    // The shop may have been closed meanwhile: focusing nothing would leave the map deaf.
    if (CMapEntity_Game *window = collection->getEntityByID(kShopWindowID)) {
      collection->focus(window, nullptr);
      collection->focusAdd(collection->getEntityByID(kShopButtonID), nullptr);
      collection->focusAdd(collection->getEntityByID(kPlayButtonID), nullptr);
    }
    if (CPlayer *p = player()) p->setShopHint(1);
    return;
  }
  if (!pageTimer.udalost()) return;
  ++page;
  enterPage();
  if (page <= 5) pageTimer.nastavSpoustec(kPages[page].period);
  pageTimer.reset();
}

// ---- choose-a-perk reminder

void CTipShopPerkController::onBind() {
  if (entity) carryArrow(entity, 225, 460, 90.0f);
}

void CTipShopPerkController::update() {
  if (!entity) return;
  tipkit::hoverFade(entity);
  if (life.udalost()) killEntity();
}

// ---- perk tip

void CTipPerkController::onBind() {
  if (!entity) return;
  const float xs[4] = {518, 552, 585, 619};
  for (float x : xs) carryArrow(entity, x, 514);
}

void CTipPerkController::update() {
  if (!entity || !collection) return;
  if (!CGlobals::instance()->paused) {
    CPatientMoodLink *mood = TLink<CPatientMoodLink>::get();
    for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
      if (e->getEntityClassID() != kPatientClass) continue;
      if (mood) mood->cheer(e);
      CMapEntity *head = e->getContainedEntityClass(kHeadClass);
      ZSprite *s = head ? head->looks().getSprite() : nullptr;
      Frameset *fs = s ? s->getAktivniFrameset() : nullptr;
      if (head && (!fs || !illFrameset(fs->getID()))) head->changeFrameset("VERYGOOD");
    }
  }
  if (life.udalost()) killEntity();
}

// ---- perk tip trigger

void CTipPerkTriggerController::specificHandleMessages(KEvent *ev) {
  pointer.follow(ev);
  if (ev->type == K_EVENT_MOUSEMOVE && entity) entity->setXY((float)pointer.pointerX, (float)pointer.pointerY);
}

void CTipPerkTriggerController::update() {
  if (!entity || !collection || !poll.udalost()) return;
  CPlayer *p = player();
  if (!p || p->getPerkHint() != 0) return;
  CMapEntity_Game *tip = tipkit::open(collection, "TIPPERK", 0, 10);
  tip->setSortZ(6, true);
  p->setPerkHint(1);
  killEntity();
}
