#include "world/CMapEntity_Bublina.h"

CMapEntity_Bublina::CMapEntity_Bublina(unsigned short x, unsigned short y, bool solid) : CMapEntity_Game(x, y, solid) {}

CMapEntity_Bublina::CMapEntity_Bublina(const CMapEntity_Bublina &o) : CMapEntity_Game(o) {}

CMapEntity_Bublina::~CMapEntity_Bublina() {}

CMapEntity_Bublina *CMapEntity_Bublina::clone() { return new CMapEntity_Bublina(*this); }
