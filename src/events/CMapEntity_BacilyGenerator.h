#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The invisible germ generators of a day, one per species; their behaviours raise the alarm and
// release the germs.
class CMapEntity_BacilyGenerator : public CCloneable<CMapEntity_BacilyGenerator, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

class CMapEntity_Bacily2Generator
    : public CCloneable<CMapEntity_Bacily2Generator, CMapEntity_BacilyGenerator> { using CCloneable::CCloneable; };
class CMapEntity_Bacily3Generator
    : public CCloneable<CMapEntity_Bacily3Generator, CMapEntity_BacilyGenerator> { using CCloneable::CCloneable; };
class CMapEntity_Bacily4Generator
    : public CCloneable<CMapEntity_Bacily4Generator, CMapEntity_BacilyGenerator> { using CCloneable::CCloneable; };
class CMapEntity_Bacily5Generator
    : public CCloneable<CMapEntity_Bacily5Generator, CMapEntity_BacilyGenerator> { using CCloneable::CCloneable; };
