#pragma once
#include <cstdint>

// Extra pay for the same kind of work done several times in a row: a chain runs 1..5 and then
// starts again; another kind breaks it.
class CChainBonus {
public:
  enum : uint16_t { kExamination = 1, kMedicine = 2, kLinen = 3, kSentHome = 5 };

  // One more work of this kind on the day of that level index: the count it reached, the
  // chain sound to play (null for none) and the money it pays (0 for none).
  struct TStep {
    uint16_t count;
    const char *sound;
    unsigned amount;
  };
  TStep step(uint16_t kind, uint16_t levelIndex);

  uint16_t kind = 0;
  uint16_t count = 0;
};
