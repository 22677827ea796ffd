#pragma once

#include "world/CCloneable.h"
#include "world/kinds/CMapEntity_GaucClass.h"

// The waiting couches; "GAUC1B" has six seats, "GAUCCOLORS" four of its five places.
class CMapEntity_Gauc1 : public CCloneable<CMapEntity_Gauc1, CMapEntity_GaucClass> { using CCloneable::CCloneable; };
class CMapEntity_Gauc1b : public CCloneable<CMapEntity_Gauc1b, CMapEntity_GaucClass> {
public:
  CMapEntity_Gauc1b(unsigned short x, unsigned short y, bool solid) : CCloneable(x, y, solid) { setSeats(6); }
};
class CMapEntity_Gauc2 : public CCloneable<CMapEntity_Gauc2, CMapEntity_GaucClass> { using CCloneable::CCloneable; };
class CMapEntity_Gauc3 : public CCloneable<CMapEntity_Gauc3, CMapEntity_GaucClass> { using CCloneable::CCloneable; };
class CMapEntity_Gauc4 : public CCloneable<CMapEntity_Gauc4, CMapEntity_GaucClass> { using CCloneable::CCloneable; };
class CMapEntity_GaucColors : public CCloneable<CMapEntity_GaucColors, CMapEntity_GaucColorsClass> {
public:
  CMapEntity_GaucColors(unsigned short x, unsigned short y, bool solid) : CCloneable(x, y, solid) {
    seatCount = 4;
    occupants.resize(4);
  }
};
