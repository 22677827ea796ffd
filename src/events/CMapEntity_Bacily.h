#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/kinds/CMapEntity_BacilyClass.h"

// A germ (`kGermClass`) of one of the five species; its state lives here so that a bred copy starts
// from the breeder's.
class CMapEntity_Bacily : public CCloneable<CMapEntity_Bacily, CMapEntity_BacilyClass> {
public:
  using CCloneable::CCloneable;

  static constexpr uint16_t kSeeking = 0;
  static constexpr uint16_t kFlying = 1;
  static constexpr uint16_t kFeeding = 2;

  uint16_t stav = kSeeking;
};

class CMapEntity_Bacily2 : public CCloneable<CMapEntity_Bacily2, CMapEntity_Bacily> { using CCloneable::CCloneable; };
class CMapEntity_Bacily3 : public CCloneable<CMapEntity_Bacily3, CMapEntity_Bacily> { using CCloneable::CCloneable; };
class CMapEntity_Bacily4 : public CCloneable<CMapEntity_Bacily4, CMapEntity_Bacily> { using CCloneable::CCloneable; };
class CMapEntity_Bacily5 : public CCloneable<CMapEntity_Bacily5, CMapEntity_Bacily> { using CCloneable::CCloneable; };
