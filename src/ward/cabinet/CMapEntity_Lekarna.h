#pragma once
#include <cstdint>
#include <vector>

#include "media/Rect.h"
#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

class CMapEntitiesCollection;
class CMapEntity_LekarnaClass;

// A shelf place of a cabinet, in screen pixels.
struct TMedSlot {
  int32_t x;
  int32_t y;
};

// What a press on a cabinet's counter is for: the place whose share of the counter holds it (0 for
// none), of which cabinet, and the medicine lying on that place (null for none).
struct TCounterPress {
  CMapEntity_LekarnaClass *cabinet = nullptr;
  int place = 0;
  CMapEntity_Game *bottle = nullptr;
};

// A medicine cabinet (`kCabinetClass`). A copy carries its aura as highlight and takes its
// variant's shelf places; a medicine for bed n lies on place n - 1, or on the row beside the
// cabinet when the cabinet has no such place. The cabinet answers for its places on the counter
// the ward's background paints (its edges are exported variables; none given, no counter): a
// press on a place's share of it is a press on the medicine lying there.
class CMapEntity_LekarnaClass : public CMapEntity_Game {
public:
  CMapEntity_LekarnaClass(unsigned short x, unsigned short y, bool solid);
  // The numbers only: the shelf places and the aura belong to the variant's copy, and nothing lies
  // out on a new one.
  CMapEntity_LekarnaClass(const CMapEntity_LekarnaClass &other);

  CMapEntity_Game *clone() override;

  // The medicine places on the counter, one for each bed number.
  static const int kPlaces = 8;
  // Where the medicine for that bed number goes.
  TMedSlot placeFor(int bedNumber) const;
  // Lays a medicine out on the place for its bed.
  void layOut(const CMapEntitiesCollection *ward, CMapEntity_Game *medicine, int bedNumber);
  // What a press at (x, y) is for; nothing outside its places' shares.
  TCounterPress pressAt(const CMapEntitiesCollection *ward, float x, float y);

  int32_t medOffsetX = 0;
  int32_t medOffsetY = 0;
  int32_t productionTime = 4000;
  std::vector<TMedSlot> medSlots;
  // The counter's ends, its top and the foot of its drawers.
  int32_t counterLeft = 0, counterTop = 0, counterRight = 0, counterBase = 0;

private:
  // The part of the counter a press on which is for that place: a bottle's click box there,
  // widened midway to the next places' and, on the counter, to its ends and down to its foot.
  Rect placeShare(int bedNumber, const Rect &bottleBox) const;

  struct TLaid {
    int place;
    TEntityRef<CMapEntity_Game> medicine;
  };
  static CMapEntity_Game *lying(const CMapEntitiesCollection *ward, const TLaid &l);
  std::vector<TLaid> laid;
};

// What a press of the cursor where no click target lies is for, on the ward's counters.
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
