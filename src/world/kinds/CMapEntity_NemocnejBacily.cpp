#include "world/kinds/CMapEntity_NemocnejBacily.h"

CMapEntity_NemocnejBacily::CMapEntity_NemocnejBacily(const CMapEntity_NemocnejBacily &o)
    : CCloneable(o), word(o.word), source(o.source) {}
