#pragma once
#include <cstdint>

#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"

// Puts a patient straight into the state a test stages, past the operations that lead there.
struct TPatientState {
  static void setPhase(CMapEntity_PacientClass *p, uint8_t phase) { p->phase = phase; }
  static void setBedState(CMapEntity_PacientClass *p, uint8_t state) { p->bedState = state; }
  static void setMood(CMapEntity_PacientClass *p, float mood) { p->mood = mood; }
  static void setHearts(CMapEntity_PacientClass *p, int32_t hearts) { p->hearts = hearts; }
  static void setMeterFull(CMapEntity_PacientClass *p, float meter) { p->meterFull = meter; }
  static void setOutbreakCount(CMapEntity_PacientClass *p, float count) { p->outbreakCount = count; }
  static void setColorBonus(CMapEntity_PacientClass *p, float bonus) { p->colorBonus = bonus; }
  static void setFastService(CMapEntity_PacientClass *p, float pay) { p->fastService = pay; }
  static void setBed(CMapEntity_PacientClass *p, CMapEntity_Game *bed) { p->bed = bed; }
  static void setChair(CMapEntity_PacientClass *p, CMapEntity_Game *chair) { p->chair = chair; }
  // A run of same-colour patients in the bed, as its multiplier counts them.
  static void setBedRun(CMapEntity_PostelClass *bed, uint16_t multiplier) { bed->bonusMultiplier = multiplier; }
  // In that bed, in that bed state.
  static void inBed(CMapEntity_PacientClass *p, CMapEntity_Game *bed, uint8_t state) {
    p->bed = bed;
    p->phase = kPhaseInBed;
    p->bedState = state;
  }
};
