#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Furniture and decoration without behaviours of their own; the game finds those with a role
// (the trapdoor, the dirty linen) by entity ID.
class CMapEntity_Fixture : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
};

class CMapEntity_Hospital1Stul : public CCloneable<CMapEntity_Hospital1Stul, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Hospital2Stul : public CCloneable<CMapEntity_Hospital2Stul, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Hospital3Stul : public CCloneable<CMapEntity_Hospital3Stul, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Hospital4Stul : public CCloneable<CMapEntity_Hospital4Stul, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Plant1 : public CCloneable<CMapEntity_Plant1, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Balcony : public CCloneable<CMapEntity_Balcony, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Kukatko : public CCloneable<CMapEntity_Kukatko, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Magnet : public CCloneable<CMapEntity_Magnet, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Propadlina : public CCloneable<CMapEntity_Propadlina, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Odpad : public CCloneable<CMapEntity_Odpad, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Bar : public CCloneable<CMapEntity_Bar, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_BarPozadi : public CCloneable<CMapEntity_BarPozadi, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_Puntik : public CCloneable<CMapEntity_Puntik, CMapEntity_Fixture> { using CCloneable::CCloneable; };

// Staff figures: the walking doctor and the three nurses that other behaviours switch.
class CMapEntity_Doktorka : public CCloneable<CMapEntity_Doktorka, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_SestraDiagnoza : public CCloneable<CMapEntity_SestraDiagnoza, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_SestraPult : public CCloneable<CMapEntity_SestraPult, CMapEntity_Fixture> { using CCloneable::CCloneable; };
class CMapEntity_SestraLekarnaSmall : public CCloneable<CMapEntity_SestraLekarnaSmall, CMapEntity_Fixture> { using CCloneable::CCloneable; };

// The gauge's mercury column, cut to the gauge's value.
class CMapEntity_TlakomerFull : public CCloneable<CMapEntity_TlakomerFull, CMapEntity_Fixture> { using CCloneable::CCloneable; };
