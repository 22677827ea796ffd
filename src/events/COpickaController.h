#pragma once
#include <memory>
#include <string>

#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"

class CMapEntity_Opicka;
class CMapEntity_PacientClass;
class CMapEntity_PostelClass;
class Timer;

// The monkey: drops onto a patient in bed and rides it by the hair, lowering its mood, until the
// player figure touches it (which cheers the patient and pays 80) or it tires after ten seconds,
// then hops away.
class COpickaController : public CCloneable<COpickaController, CEntityController> {
public:
  static constexpr int kReward = 80;

  COpickaController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo);
  COpickaController(const COpickaController &other);
  ~COpickaController() override;
  void onBind() override;
  void specificHandleMessages(KEvent *) override {}
  void update() override;

  // The chosen bed and the ridden patient while the level lists them.
  CMapEntity_Game *getBed() const;
  CMapEntity_PacientClass *getRider() const;

private:
  void choose(CMapEntity_Opicka *monkey);
  void fall(CMapEntity_Opicka *monkey);
  void ride(CMapEntity_Opicka *monkey);
  void leave(CMapEntity_Opicka *monkey);
  void startLeaving(CMapEntity_Opicka *monkey);
  void reward(CMapEntity_PacientClass *patient, CMapEntity_Game *player);
  // The chosen bed's patient, or null when the bed is gone or its patient has left or is dying.
  CMapEntity_PacientClass *occupant();
  // The rider's face shows the ride, and its warning counts what the ride will still take.
  void torment(CMapEntity_PacientClass *patient);
  // The ridden patient stops being held by this monkey and gets back the face it had.
  void letGo();

  float targetX = 0.0f;
  float targetY = 0.0f;
  float fallSpeed = 1.0f;
  float leaveSpeedY = -4.0f;
  float leaveSpeedX = 1.0f;
  float leaveStartY = 0.0f;
  float startAlpha = 1.0f;
  std::unique_ptr<Timer> harmTimer;
  std::unique_ptr<Timer> rideTimer;
  // The chosen bed, and the patient whose monkey link points at this monkey.
  TEntityRef<CMapEntity_Game> bed;
  TEntityRef<CMapEntity_PacientClass> ridden;
  // The ridden patient's face when the monkey landed.
  std::string faceFound;
};

// Releases a monkey 2 s into the day and then every monkey interval of the level.
class COpickaGeneratorController : public CCloneable<COpickaGeneratorController, CEntityController> {
public:
  COpickaGeneratorController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo);
  COpickaGeneratorController(const COpickaGeneratorController &other);
  ~COpickaGeneratorController() override;
  void onBind() override {}
  void specificHandleMessages(KEvent *) override {}
  void update() override;

  int getReleasePeriod() const;

private:
  std::unique_ptr<Timer> releaseTimer;
};
