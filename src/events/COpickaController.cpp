#include "events/COpickaController.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/CEngine.h"
#include "events/CCharisma.h"
#include "events/CMapEntity_Opicka.h"
#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/CSoundEngine.h"
#include "media/Timer.h"
#include "world/CCaption.h"
#include "world/CEntityKit.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CWorldEngine.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

namespace {
const int kFirstRelease = 2000;
const int kRideMs = 10000;
const int kHarmMs = 800;
const float kMaxFallSpeed = 7.0f;
const float kMaxLeaveSpeed = 4.0f;
const char *const kRiddenFace = "VERYBAD";
// A child lies lower in its bed: the monkey reaches further down to its hair.
const uint16_t kChildKind = 4;

bool paused() { return CGlobals_instance && CGlobals_instance->paused; }

void playSound(CEngine *engine, const char *key) {
  CWorldEngine *host = engine;
  if (host && host->getSoundEngine()) host->getSoundEngine()->playSound(key);
}

CMapEntity_PacientClass *occupantOf(CMapEntity_Game *e) {
  CMapEntity_PostelClass *bed = dynamic_cast<CMapEntity_PostelClass *>(e);
  return bed ? CCharisma::livePatient(bed->getOccupant()) : nullptr;
}
} // namespace

COpickaController::COpickaController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine_,
                                     std::string bindTo_)
    : CCloneable(e, c, engine_, std::move(bindTo_)), harmTimer(new Timer(kHarmMs, false)),
      rideTimer(new Timer(kRideMs, false)) {}

COpickaController::COpickaController(const COpickaController &o)
    : CCloneable(o), fallSpeed(o.fallSpeed), leaveSpeedY(o.leaveSpeedY), leaveSpeedX(o.leaveSpeedX),
      startAlpha(o.startAlpha), harmTimer(new Timer(kHarmMs, false)), rideTimer(new Timer(kRideMs, false)) {}

COpickaController::~COpickaController() = default;

void COpickaController::onBind() {
  if (entity) entity->setAlpha(startAlpha, true);
}

CMapEntity_Game *COpickaController::getBed() const { return bed.in(collection); }

CMapEntity_PacientClass *COpickaController::getRider() const { return ridden.in(collection); }

CMapEntity_PacientClass *COpickaController::occupant() {
  CMapEntity_Game *chosen = bed.in(collection);
  if (!chosen || chosen->getKill()) {
    bed.clear();
    return nullptr;
  }
  return occupantOf(chosen);
}

void COpickaController::letGo() {
  // A patient that has left the level is no longer listed and is not touched.
  CMapEntity_PacientClass *patient = ridden.in(collection);
  if (patient && patient->getTormentor() == entity) {
    patient->setTormentor(nullptr);
    CMapEntity *head = patient->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
    if (!faceFound.empty() && std::strcmp(CCharisma::faceOf(head), kRiddenFace) == 0) head->changeFrameset(faceFound);
  }
  ridden.clear();
}

void COpickaController::torment(CMapEntity_PacientClass *patient) {
  // Her face is her own behaviour's: held, she weeps only while she lies awake, and what she
  // showed when the monkey landed comes back when it lets go.
  const int bitesLeft = std::max(0, kRideMs - rideTimer->vratVteriny()) / kHarmMs;
  patient->setTormentAhead((float)bitesLeft * CCharisma::amount(CCharisma::kMonkeyHarm, engine));
}

void COpickaController::update() {
  CMapEntity_Opicka *monkey = dynamic_cast<CMapEntity_Opicka *>(entity);
  if (!monkey || !collection) return;
  if (monkey->stav == CMapEntity_Opicka::kChoosing) {
    choose(monkey);
    return;
  }
  if (monkey->stav == CMapEntity_Opicka::kFalling) fall(monkey);
  if (monkey->stav == CMapEntity_Opicka::kRiding) ride(monkey);
  if (monkey->stav == CMapEntity_Opicka::kLeaving) leave(monkey);
}

void COpickaController::choose(CMapEntity_Opicka *monkey) {
  for (CMapEntity_Game *e : *collection->getEntitiesPtr()) {
    const int draw = CRandom::draw();
    if (e->getEntityClassID() != kBedClass || draw % 2 != 0 || paused() || !occupantOf(e)) continue;
    targetX = e->getX() + 30.0f;
    targetY = e->getY() - 95.0f;
    monkey->stav = CMapEntity_Opicka::kFalling;
    monkey->changeFrameset("JUMP");
    monkey->setXY(targetX, -100.0f);
    bed = e;
    playSound(engine, "MONKEY_APPEARS");
    return;
  }
  killEntity();
}

void COpickaController::fall(CMapEntity_Opicka *monkey) {
  monkey->changeY(fallSpeed);
  if (fallSpeed < kMaxFallSpeed) fallSpeed += 0.3f;
  if (monkey->getY() <= targetY) return;
  if (CMapEntity_PacientClass *patient = occupant()) {
    patient->setTormentor(monkey);
    ridden = patient;
    faceFound = CCharisma::faceOf(patient->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass));
    fallSpeed = 1.0f;
    monkey->changeFrameset(patient->getKind() == kChildKind ? "RAJTUJEDITE" : "RAJTUJE");
    monkey->stav = CMapEntity_Opicka::kRiding;
  } else {
    startLeaving(monkey);
  }
}

void COpickaController::startLeaving(CMapEntity_Opicka *monkey) {
  letGo();
  leaveStartY = monkey->getY();
  monkey->stav = CMapEntity_Opicka::kLeaving;
  monkey->changeFrameset("DESTROYED");
}

void COpickaController::ride(CMapEntity_Opicka *monkey) {
  CMapEntity_Game *player = static_cast<CMapEntity_Game *>(monkey->hits().isActionCollisionWithEntityID(kPlayerID));
  if (player || rideTimer->udalost()) {
    startLeaving(monkey);
    if (CMapEntity_PacientClass *patient = occupant())
      if (player) reward(patient, player);
    playSound(engine, "MONKEY_DEFEATED");
  }
  CMapEntity_PacientClass *patient = occupant();
  if (!patient) {
    startLeaving(monkey);
    return;
  }
  if (harmTimer->udalost()) patient->changeMood(-CCharisma::amount(CCharisma::kMonkeyHarm, engine));
  if (monkey->stav == CMapEntity_Opicka::kRiding && ridden.is(patient)) torment(patient);
}

void COpickaController::reward(CMapEntity_PacientClass *patient, CMapEntity_Game *player) {
  entitykit::heartBeside(collection, patient);
  patient->changeMood(CCharisma::amount(CCharisma::kMonkeyReward, engine));
  CCaption::pay(collection, currentLevel(), player->getX() - 50.0f, player->getY(), "MONKEY DEFEATED +",
                kReward);
}

void COpickaController::leave(CMapEntity_Opicka *monkey) {
  if (leaveSpeedY < kMaxLeaveSpeed) leaveSpeedY += 0.2f;
  monkey->changeX(leaveSpeedX);
  monkey->changeY(leaveSpeedY);
  if (monkey->looks().getAlpha() > 0.0f) monkey->changeAlpha(-0.01f, true);
  if (monkey->getY() > leaveStartY + 80.0f) killEntity();
}

COpickaGeneratorController::COpickaGeneratorController(CMapEntity_Game *e, CMapEntitiesCollection *c,
                                                       CEngine *engine_, std::string bindTo_)
    : CCloneable(e, c, engine_, std::move(bindTo_)), releaseTimer(new Timer(kFirstRelease, false)) {}

COpickaGeneratorController::COpickaGeneratorController(const COpickaGeneratorController &o)
    : CCloneable(o), releaseTimer(new Timer(kFirstRelease, false)) {}

COpickaGeneratorController::~COpickaGeneratorController() = default;

int COpickaGeneratorController::getReleasePeriod() const { return releaseTimer->getSpoustec(); }

void COpickaGeneratorController::update() {
  if (!collection || !releaseTimer->udalost()) return;
  if (CMapEntity_Game *monkey = CMapEntitiesFactory::instance()->cloneEntity("OPICKA")) {
    monkey->setXY(-136.0f, -120.0f);
    collection->addEntity(monkey);
  }
  CLevel_Game *level = currentLevel();
  releaseTimer->nastavSpoustec(level ? level->getMonkeyTimer() : CLevel::kMonkeyTimerDefault);
}
