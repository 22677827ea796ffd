#include "world/CMapEntity_Kurzor.h"

CMapEntity_Kurzor::CMapEntity_Kurzor(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Game(x, y, solid), held(nullptr) {}

CMapEntity_Kurzor::CMapEntity_Kurzor(const CMapEntity_Kurzor &o) : CMapEntity_Game(o), held(o.held) {}

CMapEntity_Kurzor::~CMapEntity_Kurzor() {}

CMapEntity_Kurzor *CMapEntity_Kurzor::clone() { return new CMapEntity_Kurzor(*this); }

CMapEntity_Kurzor2::CMapEntity_Kurzor2(unsigned short x, unsigned short y, bool solid)
    : CMapEntity_Game(x, y, solid), held(nullptr) {}

CMapEntity_Kurzor2::CMapEntity_Kurzor2(const CMapEntity_Kurzor2 &o) : CMapEntity_Game(o), held(o.held) {}

CMapEntity_Kurzor2::~CMapEntity_Kurzor2() {}

CMapEntity_Kurzor2 *CMapEntity_Kurzor2::clone() { return new CMapEntity_Kurzor2(*this); }
