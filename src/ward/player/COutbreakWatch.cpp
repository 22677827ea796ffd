#include "ward/player/COutbreakWatch.h"

#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

void COutbreakWatch::watch(const std::vector<CMapEntity_Game *> &entities, int32_t now) {
  next.clear();
  for (CMapEntity_Game *e : entities) {
    if (e->getEntityClassID() != kPatientClass || e->getKill()) continue;
    const CMapEntity_PacientClass *p = dynamic_cast<const CMapEntity_PacientClass *>(e);
    if (!p) continue;
    TSeen entry{p, p->getBedState(), false, 0};
    for (const TSeen &before : seen) {
      if (before.patient != p) continue;
      entry.missed = before.missed;
      entry.missedAt = before.missedAt;
      if (before.bedState == kBedOutbreak && entry.bedState == kBedSleeping) {
        entry.missed = true;
        entry.missedAt = now;
      }
      break;
    }
    next.push_back(entry);
  }
  seen.swap(next);
}

bool COutbreakWatch::takeMissSince(const CMapEntity_PacientClass *patient, int32_t since) {
  for (TSeen &s : seen)
    if (s.patient == patient && s.missed) {
      if (s.missedAt < since) return false;
      s.missed = false;
      return true;
    }
  return false;
}
