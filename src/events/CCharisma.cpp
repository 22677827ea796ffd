#include "events/CCharisma.h"

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

int CCharisma::level(CEngine *engine) {
  CPlayer *player = engine ? engine->getPlayer() : nullptr;
  return CCharismaTable::level(player ? player->starsOwned(kCharismaUpgradeID) : 0);
}

float CCharisma::divisor(int lvl) { return CCharismaTable::lossDivisor(CCharismaTable::level(lvl)); }

float CCharisma::amount(TEffect effect, int lvl) {
  const float gain = CCharismaTable::gain(CCharismaTable::level(lvl));
  switch (effect) {
  case kMonkeyHarm: return 0.16f / divisor(lvl);
  case kMonkeyReward: return 0.25f * gain;
  case kJesterGain: return 0.13f * gain;
  case kBandGain: return 0.15f * gain;
  }
  return 0.0f;
}

CMapEntity_PacientClass *CCharisma::livePatient(CMapEntity_Game *e) {
  if (!e || e->getKill() || e->getEntityClassID() != kPatientClass) return nullptr;
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e);
  // One that gave up and walks out would be paid and counted cured if its mood rose again.
  if (p && (p->getPhase() == kPhasePaid || p->getPhase() == kPhaseGone) && p->getMood() == 0.0f) return nullptr;
  return p;
}
