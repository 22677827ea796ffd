#pragma once
#include <vector>

#include "media/Timer.h"
#include "ward/player/TReach.h"

class CMapEntity;
class CMapEntity_Game;
class CMapEntity_PacientClass;
class CMapEntity_PerkIconClass;
class CPlayerBody;

// The patient half of the figure's work: outbreaks examined, prescriptions written and handed in,
// medicine taken and given, items given, cured patients sent home, and the cure-touch perk.
class CPlayerPatientWork {
public:
  CPlayerPatientWork(CPlayerBody &body, int examMs);
  // Another figure's half: the place she stood before an examination carries over.
  CPlayerPatientWork(CPlayerBody &body, const CPlayerPatientWork &other, int examMs);

  // What the patients, the cabinet and the medicine she touches offer; nothing is done.
  void gather(const std::vector<CMapEntity *> &near, TReach &reach);
  // Arrived at a bed whose cough ended untreated a moment ago: she says so, once; true when said.
  bool sayTooLate();

  // Her work here, each done when her work list picks it.
  void takeMedicine();
  void handInPrescription();
  void treatOutbreak();
  void giveMedicine();
  void giveItem();
  void cureTouch();
  void sendHome();
  // The outbreak's work began an examination: true once.
  bool examinationBegun();
  // Runs while she examines; at its end (true) the prescription goes into her hand.
  bool examining();

  // Game-clock ms the figure needs to walk that far.
  static int walkMs(float distance, float speed, float speedFactor);
  // The patient at hand, null once it is dying or gone from the level.
  CMapEntity_PacientClass *livePatient();
  const CMapEntity_PacientClass *patientAtHand() const { return patient; }
  // Where she stood before the examination, and stands again after it.
  float standX() const { return savedX; }
  float standY() const { return savedY; }

private:
  void cureTouchUse(CMapEntity_PerkIconClass *icon);
  CMapEntity_PerkIconClass *cureTouchIcon() const;
  void sparkles();
  CMapEntity_Game *firstCabinet() const;
  void markCabinet(CMapEntity_Game *cabinet, bool on);

  CPlayerBody &body;
  Timer examTimer;
  float savedX = 0.0f, savedY = 0.0f;
  // Met at the last decision; looked up again every decision. The patient is kept across the
  // examination and followed only through livePatient.
  CMapEntity_PacientClass *patient = nullptr;
  CMapEntity_Game *cabinet = nullptr;
  CMapEntity_Game *medicine = nullptr;
  bool examBegun = false;
  // The patient her arrival's touch healed: one touch an arrival.
  const CMapEntity_PacientClass *touched = nullptr;
};
