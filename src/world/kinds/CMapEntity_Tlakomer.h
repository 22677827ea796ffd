#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// The blood-pressure gauge beside an examination chair. A patient starts it (start) and resets
// it (setStav(0)); its behaviour fills it. It carries its mercury column (`kColumnID`) and red lamp
// (`kLampID`).
class CMapEntity_Tlakomer : public CCloneable<CMapEntity_Tlakomer, CMapEntity_Game> {
public:
  static const uint16_t kColumnID = 251;
  static const uint16_t kLampID = 248;

  CMapEntity_Tlakomer(unsigned short x, unsigned short y, bool solid) : CCloneable(x, y, solid) {}
  // A copy carries a new column and a hidden lamp and shows the copied value.
  CMapEntity_Tlakomer(const CMapEntity_Tlakomer &other);

  // Sets the value and the display; above 1.0 the gauge is full, at exactly 0.0 it is reset.
  void setStav(float v);
  // A new measurement at the patient's rise rate: empty, lamp hidden, rising.
  void start(float rate);
  // One frame of the rise at the given frame factor (only while running), then the lamp pulse.
  void step(float factor);

  int32_t running = 0;
  int32_t full = 0;
  float value = 0.0f;
  float rate = 0.012f;

private:
  void display();
  void overflow();
};
