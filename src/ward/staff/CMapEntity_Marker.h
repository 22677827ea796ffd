#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Small signal pictures: the click marker, the day's closed sign, the lamps and the state sign.
class CMapEntity_Marker : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
};

class CMapEntity_OK : public CCloneable<CMapEntity_OK, CMapEntity_Marker> { using CCloneable::CCloneable; };
class CMapEntity_Closed : public CCloneable<CMapEntity_Closed, CMapEntity_Marker> { using CCloneable::CCloneable; };
class CMapEntity_RedLight : public CCloneable<CMapEntity_RedLight, CMapEntity_Marker> { using CCloneable::CCloneable; };
class CMapEntity_GreenLight : public CCloneable<CMapEntity_GreenLight, CMapEntity_Marker> { using CCloneable::CCloneable; };
class CMapEntity_CedulkaStavy : public CCloneable<CMapEntity_CedulkaStavy, CMapEntity_Marker> { using CCloneable::CCloneable; };

// The germ alarm lamp; a copy carries its own hidden red light. The germs switch it.
class CMapEntity_Hlasic : public CCloneable<CMapEntity_Hlasic, CMapEntity_Marker> {
public:
  using CCloneable::CCloneable;
  CMapEntity_Hlasic(const CMapEntity_Hlasic &other);

  void setOn(bool b);

  int32_t on = 0;
};
