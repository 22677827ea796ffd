#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The world map's pictures: hospitals, river, boats, animals, flags, the walking staff, the
// plane, the clouds and the star. They only show their frameset; the plane, the clouds and the
// star move or act through the behaviour bound to their name.
template <class Derived> class CMapEntity_MapDecoration : public CCloneable<Derived, CMapEntity_Game> {
public:
  using CCloneable<Derived, CMapEntity_Game>::CCloneable;
};

#define TOB_MAP_DECORATION(Name)                                                                                       \
  class Name : public CMapEntity_MapDecoration<Name> {                                                                 \
  public:                                                                                                              \
    using CMapEntity_MapDecoration::CMapEntity_MapDecoration;                                                          \
  }

TOB_MAP_DECORATION(CMapEntity_MapHospital1);
TOB_MAP_DECORATION(CMapEntity_MapHospital2);
TOB_MAP_DECORATION(CMapEntity_MapHospital3);
TOB_MAP_DECORATION(CMapEntity_MapHospital4);
TOB_MAP_DECORATION(CMapEntity_MapMadOver);
TOB_MAP_DECORATION(CMapEntity_MapVlny);
TOB_MAP_DECORATION(CMapEntity_MapRiver1);
TOB_MAP_DECORATION(CMapEntity_MapRiver2);
TOB_MAP_DECORATION(CMapEntity_MapRiverStone);
TOB_MAP_DECORATION(CMapEntity_MapLodky);
TOB_MAP_DECORATION(CMapEntity_MapAligator);
TOB_MAP_DECORATION(CMapEntity_MapOpice);
TOB_MAP_DECORATION(CMapEntity_MapBirds);
TOB_MAP_DECORATION(CMapEntity_MapEyes);
TOB_MAP_DECORATION(CMapEntity_MapWindow);
TOB_MAP_DECORATION(CMapEntity_MapAuticka);
TOB_MAP_DECORATION(CMapEntity_MapVlajka1);
TOB_MAP_DECORATION(CMapEntity_MapVlajka2);
TOB_MAP_DECORATION(CMapEntity_MapVlajka3);
TOB_MAP_DECORATION(CMapEntity_MapVlajka4);
TOB_MAP_DECORATION(CMapEntity_MapKolecko1);
TOB_MAP_DECORATION(CMapEntity_MapKolecko2);
TOB_MAP_DECORATION(CMapEntity_MapaDoktor);
TOB_MAP_DECORATION(CMapEntity_MapaSestra1);
TOB_MAP_DECORATION(CMapEntity_MapaSestra2);
TOB_MAP_DECORATION(CMapEntity_MapaPacient);
TOB_MAP_DECORATION(CMapEntity_MapaLetadlo);
TOB_MAP_DECORATION(CMapEntity_MapPeriskop);
TOB_MAP_DECORATION(CMapEntity_MapPlane);
TOB_MAP_DECORATION(CMapEntity_MapCloud1);
TOB_MAP_DECORATION(CMapEntity_MapCloud2);
TOB_MAP_DECORATION(CMapEntity_MapCloud3);
TOB_MAP_DECORATION(CMapEntity_MapStar);

#undef TOB_MAP_DECORATION
