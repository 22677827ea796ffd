#include "world/CMapEntity_LetadloKour.h"

CMapEntity_LetadloKour::CMapEntity_LetadloKour(unsigned short x, unsigned short y, bool solid) : CMapEntity_Game(x, y, solid) {}

CMapEntity_LetadloKour::CMapEntity_LetadloKour(const CMapEntity_LetadloKour &o) : CMapEntity_Game(o) {}

CMapEntity_LetadloKour::~CMapEntity_LetadloKour() {}

CMapEntity_LetadloKour *CMapEntity_LetadloKour::clone() { return new CMapEntity_LetadloKour(*this); }
