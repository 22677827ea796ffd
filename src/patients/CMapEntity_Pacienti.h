#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/kinds/CMapEntity_PacientClass.h"

// What one species fixes: its prototype, sprite and tunable defaults, and what each copy gets.
struct TSpecies {
  const char *name;
  const char *sprite;
  uint32_t id;
  uint16_t kind;
  float money;
  float recoverySpeed;
  float patience;
  // Negative: the base's value stays.
  float pressureSpeed;
  int32_t celebrity;
  int32_t runsAway;
  // Null: the base's "Disease" stays.
  const char *diseaseName;
  // Per copy; 0 keeps what the copy was given.
  int32_t coughKind;
  int32_t coughPeriod;
  int32_t runAwayPeriod;
  float headYOffset;
  bool fullMeter;
};

// One patient species: its constructor builds the prototype from the row, its clone writes the
// row's per-copy values. Species are told apart by their row.
template <const TSpecies &S> class CMapEntity_Species : public CMapEntity_PacientClass {
public:
  CMapEntity_Species(unsigned short x, unsigned short y, bool solid) : CMapEntity_PacientClass(x, y, solid) {
    applySpeciesTo(*this, S);
  }
  CMapEntity_Species(const CMapEntity_Species &other) = default;

  CMapEntity_Game *clone() override {
    CMapEntity_Species *copy = new CMapEntity_Species(*this);
    applyCopySettingsTo(*copy, S);
    return copy;
  }
};

// A species' constructor and clone steps, shared by every species.
void applySpeciesTo(CMapEntity_PacientClass &patient, const TSpecies &s);
void applyCopySettingsTo(CMapEntity_PacientClass &patient, const TSpecies &s);

// A patient's head (`kHeadClass`): shows the mood faces; no behaviour of its own.
class CMapEntity_PacientHlava : public CCloneable<CMapEntity_PacientHlava, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// The species table, in registration order; finding a row by prototype name.
extern const TSpecies kPacient1, kPacient2, kPacient3, kPacient4, kPacient5, kPacient9, kPacient10, kPacient11,
    kPacient12, kPacient13, kPacientStarosta, kPacientSaman, kNemocnej1, kBlazen1, kBlazen2, kBlazen3, kBlazen4,
    kBlazenCelebrita, kDitePacient1, kDitePacient2, kDitePacient3, kDitePacient4, kDiteHelmut;
const TSpecies *findSpecies(const char *name);

typedef CMapEntity_Species<kPacient1> CMapEntity_Pacient1;
typedef CMapEntity_Species<kPacient2> CMapEntity_Pacient2;
typedef CMapEntity_Species<kPacient3> CMapEntity_Pacient3;
typedef CMapEntity_Species<kPacient4> CMapEntity_Pacient4;
typedef CMapEntity_Species<kPacient5> CMapEntity_Pacient5;
typedef CMapEntity_Species<kPacient9> CMapEntity_Pacient9;
typedef CMapEntity_Species<kPacient10> CMapEntity_Pacient10;
typedef CMapEntity_Species<kPacient11> CMapEntity_Pacient11;
typedef CMapEntity_Species<kPacient12> CMapEntity_Pacient12;
typedef CMapEntity_Species<kPacient13> CMapEntity_Pacient13;
typedef CMapEntity_Species<kPacientStarosta> CMapEntity_PacientStarosta;
typedef CMapEntity_Species<kPacientSaman> CMapEntity_PacientSaman;
typedef CMapEntity_Species<kNemocnej1> CMapEntity_Nemocnej1;
typedef CMapEntity_Species<kBlazen1> CMapEntity_Blazen1;
typedef CMapEntity_Species<kBlazen2> CMapEntity_Blazen2;
typedef CMapEntity_Species<kBlazen3> CMapEntity_Blazen3;
typedef CMapEntity_Species<kBlazen4> CMapEntity_Blazen4;
typedef CMapEntity_Species<kBlazenCelebrita> CMapEntity_BlazenCelebrita;
typedef CMapEntity_Species<kDitePacient1> CMapEntity_DitePacient1;
typedef CMapEntity_Species<kDitePacient2> CMapEntity_DitePacient2;
typedef CMapEntity_Species<kDitePacient3> CMapEntity_DitePacient3;
typedef CMapEntity_Species<kDitePacient4> CMapEntity_DitePacient4;
typedef CMapEntity_Species<kDiteHelmut> CMapEntity_DiteHelmut;
