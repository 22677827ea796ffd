#include "events/CCharisma.h"

#include <cstring>
#include <vector>

#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "media/CGlobals.h"
#include "media/Frameset.h"
#include "world/CEntityKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/kinds/CCharismaTable.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

namespace {
// An ill face keeps its look when the ward is cheered.
bool looksIll(CMapEntity *head) {
  static const char *const ill[] = {"ILL1", "ILL2", "ILL3", "ILL1WAITING", "ILL2WAITING", "ILL3WAITING"};
  for (const char *name : ill)
    if (std::strcmp(CCharisma::faceOf(head), name) == 0) return true;
  return false;
}
} // namespace

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

const char *CCharisma::faceOf(CMapEntity *head) {
  const Frameset *fs = head ? head->looks().getFrameset() : nullptr;
  return fs ? fs->getID() : "";
}

CMapEntity_PacientClass *CCharisma::livePatient(CMapEntity_Game *e) {
  if (!e || e->getKill() || e->getEntityClassID() != kPatientClass) return nullptr;
  CMapEntity_PacientClass *p = dynamic_cast<CMapEntity_PacientClass *>(e);
  // One that gave up and walks out would be paid and counted cured if its mood rose again.
  if (p && (p->getPhase() == kPhasePaid || p->getPhase() == kPhaseGone) && p->getMood() == 0.0f) return nullptr;
  return p;
}

void CCharisma::cheerAll(CMapEntitiesCollection *collection, float gain, bool lightFaces) {
  if (!collection || (CGlobals_instance && CGlobals_instance->paused)) return;
  // Copied first: the hearts added below join the list being walked.
  std::vector<CMapEntity_Game *> entities = *collection->getEntitiesPtr();
  for (CMapEntity_Game *e : entities) {
    CMapEntity_PacientClass *patient = livePatient(e);
    if (!patient) continue;
    patient->changeMood(gain);
    CMapEntity *head = lightFaces ? patient->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass) : nullptr;
    if (head && !looksIll(head)) head->changeFrameset("VERYGOOD");
    entitykit::heartBeside(collection, patient);
  }
}
