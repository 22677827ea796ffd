#include "events/CSasekController.h"

#include <cstdlib>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "events/CCharisma.h"
#include "events/CMapEntity_Sasek.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Frameset.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CWorldEngine.h"
#include "world/kinds/EntityIds.h"

namespace {
const int kStay = 1500;
const int kFirstVisitStay = 5000;

int firstAppearance() { return 40000 + CRandom::draw() % 15000; }

void playSound(CEngine *engine, const char *key) {
  CWorldEngine *host = engine;
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}
} // namespace

CSasekController::CSasekController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine_,
                                   std::string bindTo_)
    : CCloneable(e, c, engine_, std::move(bindTo_)), appearanceTimer(new Timer(firstAppearance(), false)),
      stayTimer(new Timer(kStay, false)) {}

CSasekController::CSasekController(const CSasekController &o)
    : CCloneable(o), appearanceTimer(new Timer(firstAppearance(), false)), stayTimer(new Timer(kStay, false)),
      highlight(o.highlight) {}

CSasekController::~CSasekController() = default;

int CSasekController::getAppearancePeriod() const { return appearanceTimer->getSpoustec(); }
int CSasekController::getStayPeriod() const { return stayTimer->getSpoustec(); }

void CSasekController::onBind() {
  if (entity) entity->changeFrameset("MRKANI");
}

void CSasekController::hover(CMapEntity_Sasek *jester) {
  CMapEntity_Game *cursor = collection->getEntityByID(kCursorID);
  CMapEntity *carrier = jester->carrying().getParent();
  const bool inHand = carrier && (carrier->getEntityID() == kLeftHandID || carrier->getEntityID() == kRightHandID);
  if (cursor && cursor->hits().isActionCollisionWithEntity(jester) && !inHand) {
    highlight = 1;
    jester->resetFlash();
  }
  if (highlight) jester->effectFlash(0.03f, 0.3f, false);
}

void CSasekController::update() {
  CMapEntity_Sasek *jester = dynamic_cast<CMapEntity_Sasek *>(entity);
  if (!jester || !collection) return;
  hover(jester);
  switch (jester->stav) {
  case CMapEntity_Sasek::kAway:
    if (appearanceTimer->udalost()) {
      CPlayer *player = engine ? engine->getPlayer() : nullptr;
      if (player && player->getClownHint() == 0) stayTimer->nastavSpoustec(kFirstVisitStay);
      jester->stav = CMapEntity_Sasek::kWalkingIn;
    }
    break;
  case CMapEntity_Sasek::kWalkingIn:
    if (jester->getX() <= kStandX) {
      jester->changeFrameset("OBJEVENISE");
      jester->zapniAnimace();
      jester->stav = CMapEntity_Sasek::kWaiting;
      playSound(engine, "JASPERAPPEARS");
      stayTimer->reset();
    } else {
      jester->changeX(-2.5f);
    }
    break;
  case CMapEntity_Sasek::kWaiting:
    waitForClick(jester);
    break;
  case CMapEntity_Sasek::kWalkingOut:
    if (jester->getX() >= kOffX) {
      jester->stav = CMapEntity_Sasek::kAway;
      const float y = (float)(100 + CRandom::draw() % 200);
      jester->setXY(kOffX, y);
      appearanceTimer->nastavSpoustec(90000 + CRandom::draw() % 50000);
      appearanceTimer->reset();
    } else {
      jester->changeX(2.5f);
    }
    break;
  case CMapEntity_Sasek::kPerforming:
    if (stayTimer->udalost()) {
      jester->stav = CMapEntity_Sasek::kWalkingOut;
      jester->changeFrameset("OBJEVENISE");
      stayTimer->nastavSpoustec(kStay);
    }
    break;
  default:
    break;
  }
}

void CSasekController::waitForClick(CMapEntity_Sasek *jester) {
  ZSprite *sprite = jester->looks().getSprite();
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs && !fs->probihaAnimace()) {
    sprite->nastavFrameset("MRKANI");
    jester->zapniAnimace();
  }
  if (stayTimer->udalost()) {
    jester->stav = CMapEntity_Sasek::kWalkingOut;
    jester->changeFrameset("OBJEVENISE");
  }
  // A click in the update in which the wait ran out still counts.
  if (jester->hits().isActionCollisionWithEntityID(kCursorID) && KInput::getLeftButtonState()) perform(jester);
}

void CSasekController::perform(CMapEntity_Sasek *jester) {
  stayTimer->nastavSpoustec(kStay);
  playSound(engine, "JASPERFUNNY");
  playSound(engine, "KIDSLAUGH");
  jester->stav = CMapEntity_Sasek::kPerforming;
  jester->changeFrameset("AKCE");
  jester->zapniAnimace();
  stayTimer->reset();
  CCharisma::cheerAll(collection, CCharisma::amount(CCharisma::kJesterGain, engine), true);
}
