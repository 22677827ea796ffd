#pragma once
#include <cstdint>
#include <vector>

#include "media/Timer.h"
#include "ward/player/TReach.h"
#include "world/TEntityRef.h"

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

  // What the patients, the cabinet and the medicine among the things offer; nothing is done.
  void gather(const std::vector<CMapEntity *> &things, TReach &reach);
  // At a bed whose cough ended untreated a moment ago, or since she was sent there at `orderedAt`
  // (game ms): she says so (true), and the reach holds her there a moment for the next cough.
  bool sayTooLate(TReach &reach, int32_t orderedAt);

  // Her work here, each done at the thing her work list found for it. An outbreak's is true when
  // it begins an examination.
  void takeMedicine(CMapEntity_Game *bottle);
  void handInPrescription(CMapEntity_Game *cabinet);
  bool treatOutbreak(CMapEntity_Game *patient);
  void giveMedicine(CMapEntity_Game *patient);
  void giveItem(CMapEntity_Game *patient);
  void cureTouch(CMapEntity_Game *patient);
  void sendHome(CMapEntity_Game *patient);
  // Runs while she examines; at its end (true) the prescription goes into her hand.
  bool examining();

  // Game-clock ms the figure needs to walk that far.
  static int walkMs(float distance, float speed, float speedFactor);
  // The patient she examines, null once it is dying or gone from the level.
  const CMapEntity_PacientClass *patientAtHand() const;
  // Where she stood before the examination, and stands again after it.
  float standX() const { return savedX; }
  float standY() const { return savedY; }

private:
  void cureTouchUse(CMapEntity_PerkIconClass *icon, CMapEntity_PacientClass *p);
  CMapEntity_PerkIconClass *cureTouchIcon() const;
  void sparkles();
  CMapEntity_Game *firstCabinet() const;
  void markCabinet(CMapEntity_Game *cabinet, bool on);

  CPlayerBody &body;
  Timer examTimer;
  float savedX = 0.0f, savedY = 0.0f;
  // The patient whose bed she stands at, met at the last decision; the one she examines.
  TEntityRef<CMapEntity_PacientClass> patient, examined;
  // The patient her arrival's touch healed: one touch an arrival.
  TEntityRef<CMapEntity_PacientClass> touched;
  // After "Too late!" her arrival waits until then (game ms) for the patient's next cough.
  static const int32_t kNextCoughMs = 1500;
  int32_t nextCoughBy = 0;
};
