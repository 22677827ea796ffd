#pragma once
#include <cstdint>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A shelf place of a cabinet, in screen pixels.
struct TMedSlot {
  int32_t x;
  int32_t y;
};

// A medicine cabinet (`kCabinetClass`). A copy carries its aura as highlight and takes its
// variant's shelf places; a medicine for bed n lies on place n - 1, or on the row beside the
// cabinet when the cabinet has no such place.
class CMapEntity_LekarnaClass : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  // The numbers only: the shelf places and the aura belong to the variant's copy.
  CMapEntity_LekarnaClass(const CMapEntity_LekarnaClass &other);

  CMapEntity_Game *clone() override;

  // Where the medicine for that bed number goes.
  TMedSlot placeFor(int bedNumber) const;

  int32_t medOffsetX = 0;
  int32_t medOffsetY = 0;
  int32_t productionTime = 4000;
  std::vector<TMedSlot> medSlots;
};

// A cabinet's aura; a dying aura unhooks itself from its cabinet.
class CMapEntity_LekarnaAura : public CCloneable<CMapEntity_LekarnaAura, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  ~CMapEntity_LekarnaAura() override;
};

// The four cabinets' own values, by prototype name; null for another name.
struct TLekarnaVariant {
  const char *name;
  const char *aura;
  int32_t offsetX, offsetY;
  float auraX, auraY;
  bool slots;
  TMedSlot slot[8];
};
const TLekarnaVariant *lekarnaVariant(const std::string &name);
// Sets a prototype's numbers from its variant.
void makeLekarnaPrototype(CMapEntity_Game *e);
