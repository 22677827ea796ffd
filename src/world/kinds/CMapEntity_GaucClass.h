#pragma once
#include <cstdint>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

struct TSeatOffset {
  int32_t x;
  int32_t y;
};

// Waiting couch: seats in a row, each holding at most one patient. The patient behaviour seats a
// patient in the first free seat (lowest index) and frees the seat when it gets up.
class CMapEntity_GaucClass : public CCloneable<CMapEntity_GaucClass, CMapEntity_Game> {
public:
  CMapEntity_GaucClass(unsigned short x, unsigned short y, bool solid);
  // A copy has the same seats, all free: occupants are never copied.
  CMapEntity_GaucClass(const CMapEntity_GaucClass &other);

  // Seat count seats at 55 pixels apart, all free.
  void setSeats(int count);
  // The first free seat, or -1 when all seat-count seats are taken.
  int freeSeat() const;

  std::vector<TEntityRef<CMapEntity>> occupants;
  std::vector<TSeatOffset> seatOffsets;
  int32_t seatCount = 0;
};

// The colour couch keeps the same seats under `kBenchClass`.
class CMapEntity_GaucColorsClass : public CCloneable<CMapEntity_GaucColorsClass, CMapEntity_GaucClass> {
public:
  CMapEntity_GaucColorsClass(unsigned short x, unsigned short y, bool solid);
};
