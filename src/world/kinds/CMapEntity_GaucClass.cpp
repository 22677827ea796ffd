#include "world/kinds/CMapEntity_GaucClass.h"

CMapEntity_GaucClass::CMapEntity_GaucClass(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  setEntityClassID(22);
  setWalkPenalty(200);
  health = 100;
  setSeats(5);
}

CMapEntity_GaucClass::CMapEntity_GaucClass(const CMapEntity_GaucClass &o)
    : CCloneable(o), occupants((size_t)(o.seatCount > 0 ? o.seatCount : 0)),
      seatOffsets(o.seatOffsets), seatCount(o.seatCount) {}

void CMapEntity_GaucClass::setSeats(int count) {
  seatCount = count;
  seatOffsets.clear();
  for (int k = 0; k < count; ++k) seatOffsets.push_back({55 * k, 0});
  occupants.assign((size_t)count, {});
}

int CMapEntity_GaucClass::freeSeat() const {
  for (int k = 0; k < seatCount && k < (int)occupants.size(); ++k)
    if (occupants[(size_t)k].empty()) return k;
  return -1;
}

CMapEntity_GaucColorsClass::CMapEntity_GaucColorsClass(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  setEntityClassID(24);
}
