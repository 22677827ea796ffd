#include "world/CMapEntity_Comic.h"

CMapEntity_Comic::CMapEntity_Comic(unsigned short x, unsigned short y, bool solid) : CMapEntity_Game(x, y, solid) {}

CMapEntity_Comic::CMapEntity_Comic(const CMapEntity_Comic &o) : CMapEntity_Game(o) {}

CMapEntity_Comic::~CMapEntity_Comic() {}

CMapEntity_Comic *CMapEntity_Comic::clone() { return new CMapEntity_Comic(*this); }
