#pragma once
#include <cstdint>
#include <vector>

#include "media/Rect.h"
#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class CMapEntitiesCollection;

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

  // The medicine places on the counter, one for each bed number.
  static const int kPlaces = 8;
  // Where the medicine for that bed number goes.
  TMedSlot placeFor(int bedNumber) const;
  // The part of the counter a press on which is for that place: a bottle's click box there,
  // widened midway to the next places' and, on the ward's counter, to its ends and down to its foot.
  Rect placeShare(int bedNumber, const Rect &bottleBox) const;

  int32_t medOffsetX = 0;
  int32_t medOffsetY = 0;
  int32_t productionTime = 4000;
  std::vector<TMedSlot> medSlots;
};

// What a press of the cursor on the counter where no click target lies is for: the place whose
// share holds it (0 for none), of which cabinet, and the bottle standing there (null for none).
struct TCounterPress {
  CMapEntity_LekarnaClass *cabinet = nullptr;
  int place = 0;
  CMapEntity_Game *bottle = nullptr;
};
TCounterPress counterPressAt(CMapEntitiesCollection *ward, CMapEntity_Game *cursor);

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
