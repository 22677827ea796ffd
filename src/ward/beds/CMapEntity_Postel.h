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
  // Wears out: its rail shows the wear, and it blinks red while broken (health 0).
  bool wears;
};

// The nine beds ("POSTEL1" ... "POSTEL5C"). A copy carries its pillow, blanket and front rail,
// takes the level's next bed number, its aura (hidden, as highlight), a colour and two hidden lamps.
class CMapEntity_Postel : public CCloneable<CMapEntity_Postel, CMapEntity_PostelClass> {
public:
  using CCloneable::CCloneable;
  CMapEntity_Postel(const CMapEntity_Postel &other);

  void animateAdditional() override;
  bool wears() const override;

  static const TPostelVariant *variantOf(const std::string &name);
  // 0 for a whole bed, then 1 to 3 as its health falls to 75, 50 and 25; the rail shows it.
  static int wearStage(unsigned short health);

  // Game ms that drive the blinking of a broken or nearly broken bed.
  float warningMs = 0.0f;
  // The aura blinks while the bed is broken; it is hidden again once the bed is mended.
  int32_t auraWarning = 0;

private:
  void showWear(CMapEntity *rail);
  void blinkBroken(CMapEntity *rail);
};
