#include "ward/beds/CPostelLink.h"

#include "world/kinds/CMapEntity_PostelClass.h"

bool CPostelLink::isMadeUp(CMapEntity_Game *bed) {
  CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(bed);
  return !b || b->isMadeUp();
}

void CPostelLink::setBedNumber(CMapEntity_Game *bed, uint16_t number) {
  if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(bed)) b->setBedNumber(number);
}
