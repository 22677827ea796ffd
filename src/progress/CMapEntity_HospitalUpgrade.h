#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Furniture a level places to show a better-equipped ward; it takes no input.
class CMapEntity_HospitalUpgrade : public CCloneable<CMapEntity_HospitalUpgrade, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

#define TOB_HOSPITAL_UPGRADE(Name)                                                                 \
  class Name : public CCloneable<Name, CMapEntity_HospitalUpgrade> {                               \
    using CCloneable::CCloneable;                                                                  \
  }
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital1Upgrade1);
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital1Upgrade2);
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital1Upgrade3);
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital2Upgrade1);
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital2Upgrade2);
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital3Upgrade1);
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital3Upgrade2);
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital3Upgrade3);
TOB_HOSPITAL_UPGRADE(CMapEntity_Hospital4Upgrade1);
#undef TOB_HOSPITAL_UPGRADE

// The piece that lights up once each time a visiting parent comes in (the parents' generator sets
// flashRequest).
class CMapEntity_Hospital2Upgrade3 : public CCloneable<CMapEntity_Hospital2Upgrade3, CMapEntity_HospitalUpgrade> {
public:
  using CCloneable::CCloneable;
  int32_t flashRequest = 0;
};
