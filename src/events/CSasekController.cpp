#include "events/CSasekController.h"

#include <cstdlib>
#include <cstring>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "engine/KInput.h"
#include "events/CCharisma.h"
#include "events/CMapEntity_Sasek.h"
#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Frameset.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

namespace {
const int kStay = 1500;
const int kFirstVisitStay = 5000;

int firstAppearance() { return 40000 + CRandom::draw() % 15000; }

bool paused() { return CGlobals_instance && CGlobals_instance->paused; }

void playSound(CEngine *engine, const char *key) {
  CWorldEngine *host = engine;
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}

// An ill face keeps its look when the jester performs.
bool looksIll(CMapEntity *head) {
  static const char *const ill[] = {"ILL1", "ILL2", "ILL3", "ILL1WAITING", "ILL2WAITING", "ILL3WAITING"};
  ZSprite *sprite = head->looks().getSprite();
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (!fs) return false;
  for (const char *name : ill)
    if (std::strcmp(fs->getID(), name) == 0) return true;
  return false;
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
  if (paused()) return;
  const float gain = CCharisma::amount(CCharisma::kJesterGain, engine);
  // Copied first: the hearts added below join the list being walked.
  std::vector<CMapEntity_Game *> entities = *collection->getEntitiesPtr();
  for (CMapEntity_Game *e : entities) {
    CMapEntity_PacientClass *patient = CCharisma::livePatient(e);
    if (!patient) continue;
    patient->changeMood(gain);
    CMapEntity *head = patient->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
    if (head && !looksIll(head)) head->changeFrameset("VERYGOOD");
    entitykit::heartBeside(collection, patient);
  }
}
