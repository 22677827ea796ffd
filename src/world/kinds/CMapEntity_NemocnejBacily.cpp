#include "world/kinds/CMapEntity_NemocnejBacily.h"

CMapEntity_NemocnejBacily::CMapEntity_NemocnejBacily(const CMapEntity_NemocnejBacily &o)
    : CMapEntity_Game(o), word(o.word), source(o.source) {}
