#include "ward/player/CChainBonus.h"

CChainBonus::TStep CChainBonus::step(uint16_t workKind, uint16_t levelIndex) {
  uint16_t c = 0;
  if (workKind == kind)
    c = count == 5 ? 0 : count;
  else
    kind = workKind;
  count = (uint16_t)(c + 1);
  const char *sound = count == 2 ? "CHAIN2" : count == 3 ? "CHAIN3" : count >= 4 ? "CHAIN4" : nullptr;
  // Linen pays from the first; the rest from the second in a row.
  if (count == 1 && workKind != kLinen) return TStep{count, sound, 0};
  unsigned amount = ((unsigned)(levelIndex >> 1) * 3u + 25u) * count;
  return TStep{count, sound, amount};
}
