#include "world/CMapEntity_DomovKour.h"

CMapEntity_DomovKour::CMapEntity_DomovKour(unsigned short x, unsigned short y, bool solid) : CMapEntity_Game(x, y, solid) {}

CMapEntity_DomovKour::CMapEntity_DomovKour(const CMapEntity_DomovKour &o) : CMapEntity_Game(o) {}

CMapEntity_DomovKour::~CMapEntity_DomovKour() {}

CMapEntity_DomovKour *CMapEntity_DomovKour::clone() { return new CMapEntity_DomovKour(*this); }
