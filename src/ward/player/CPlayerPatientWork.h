#pragma once
#include <vector>

#include "ward/player/CPlayerController.h"

class CMapEntity;
class CMapEntity_Game;
class CMapEntity_PacientClass;
class CMapEntity_PerkIconClass;

// The patient half of the figure's work: outbreaks examined, prescriptions written and handed in,
// medicine taken and given, items given, cured patients sent home, and the cure-touch perk.
class CPlayerPatientWork {
public:
  explicit CPlayerPatientWork(CPlayerController &controller) : ctl(controller) {}

  // What the patients, the cabinet and the medicine she touches offer; her patient at the bed is
  // answered at once (a perk's touch, the money) or with the work it needs.
  void answer(const std::vector<CMapEntity *> &near, CPlayerController::TReach &reach);
  void work();

private:
  void answerPatient(CMapEntity_PacientClass *p, CPlayerController::TReach &reach);
  void takeMedicine();
  void handInPrescriptions();
  void treatOutbreak();
  void giveMedicine();
  void giveItem();
  void examining();
  void cureTouchAsleep(CMapEntity_PacientClass *p);
  CMapEntity_PerkIconClass *cureTouchIcon() const;
  void sparkles();
  CMapEntity_Game *firstCabinet() const;
  void markCabinet(CMapEntity_Game *cabinet, bool on);
  // The patient, or null once it is dying or gone from the level.
  CMapEntity_PacientClass *livePatient();

  CPlayerController &ctl;
};
