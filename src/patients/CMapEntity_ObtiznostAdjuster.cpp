#include "patients/CMapEntity_ObtiznostAdjuster.h"

#include "media/CFakeTime.h"

CMapEntity_ObtiznostAdjuster::CMapEntity_ObtiznostAdjuster(const CMapEntity_ObtiznostAdjuster &o)
    : CCloneable(o) {
  pauseStart = pauseEnd = CFakeTime_instance ? CFakeTime_instance->ms : 0;
}
