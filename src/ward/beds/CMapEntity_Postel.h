#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/kinds/CMapEntity_PostelClass.h"

// What sets one bed variant apart; the variant is found by the bed's prototype name.
struct TPostelVariant {
  const char *name;
  const char *aura;
  uint16_t kind;
  float recoveryFactor;
  bool lamps;
  float lampX, lampY;
  // The colour comes from 0 to kind rather than from the level's colours.
  bool ownColours;
  // Pulses red while broken (health 0).
  bool pulsesBroken;
};

// The nine beds ("POSTEL1" ... "POSTEL5C"). A copy carries its pillow, blanket and front rail,
// takes the level's next bed number, its aura (hidden, as highlight), a colour and two hidden lamps.
class CMapEntity_Postel : public CCloneable<CMapEntity_Postel, CMapEntity_PostelClass> {
public:
  using CCloneable::CCloneable;
  CMapEntity_Postel(const CMapEntity_Postel &other);

  void animateAdditional() override;

  static const TPostelVariant *variantOf(const std::string &name);

  int32_t brokenPulseRising = 1;
  float brokenPulse = 0.0f;
};
