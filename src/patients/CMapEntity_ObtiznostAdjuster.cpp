#include "patients/CMapEntity_ObtiznostAdjuster.h"

#include "media/CFakeTime.h"

CMapEntity_ObtiznostAdjuster::CMapEntity_ObtiznostAdjuster(const CMapEntity_ObtiznostAdjuster &o)
    : CMapEntity_Game(o) {
  pauseStart = pauseEnd = CFakeTime_instance ? CFakeTime_instance->ms : 0;
}
