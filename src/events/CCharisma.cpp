#include "events/CCharisma.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

int CCharisma::level(CEngine *engine) {
  CPlayer *player = engine ? engine->getPlayer() : nullptr;
  int stars = player ? player->starsOwned(kUpgradeID) : 0;
  return (stars >= 1 && stars <= 4) ? stars : 0;
}

float CCharisma::divisor(int lvl) {
  return (lvl >= 1 && lvl <= 4) ? CMapEntity_PacientClass::charismaLoss(lvl) : 1.0f;
}

float CCharisma::amount(TEffect effect, int lvl) {
  const float gain = (lvl >= 1 && lvl <= 4) ? CMapEntity_PacientClass::charismaGain(lvl) : 1.0f;
  switch (effect) {
  case kMonkeyHarm: return 0.16f / divisor(lvl);
  case kMonkeyReward: return 0.25f * gain;
  case kJesterGain: return 0.13f * gain;
  case kBandGain: return 0.15f * gain;
  }
  return 0.0f;
}

int CCharisma::heartsFor(float mood) { return CMapEntity_PacientClass::heartCount(mood); }

void CCharisma::zmenNaladu(CMapEntity_PacientClass *patient, float d) {
  if (!patient) return;
  float mood = patient->mood + d;
  if (mood < 0.0f) mood = 0.0f;
  if (mood > 1.0f) mood = 1.0f;
  patient->mood = mood;
  patient->heartsBefore = patient->hearts;
  patient->hearts = heartsFor(mood);
  if (patient->getContainedEntity(CMapEntity_PacientClass::kHeartsID)) patient->synchronizujSrdicka();
}

CMapEntity_PacientClass *CCharisma::livePatient(CMapEntity_Game *e) {
  if (!e || e->getKill() || e->getEntityClassID() != kPatientClass) return nullptr;
  return dynamic_cast<CMapEntity_PacientClass *>(e);
}
