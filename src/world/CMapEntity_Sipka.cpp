#include "world/CMapEntity_Sipka.h"

CMapEntity_Sipka::CMapEntity_Sipka(unsigned short x, unsigned short y, bool solid) : CMapEntity_Game(x, y, solid) {}

CMapEntity_Sipka::CMapEntity_Sipka(const CMapEntity_Sipka &o) : CMapEntity_Game(o) {}

CMapEntity_Sipka::~CMapEntity_Sipka() {}

CMapEntity_Sipka *CMapEntity_Sipka::clone() { return new CMapEntity_Sipka(*this); }
