#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

// An examination chair: glows while the pointer is over it and stands its gauge beside itself
// once it is in the ward (not while it is still arriving).
class CDiagnosticToolController : public CCloneable<CDiagnosticToolController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;

  int32_t flashStarted = 0;

private:
  void placeGauge();
};

// The pressure gauge fills while a measurement runs and pulses its lamp when full.
class CTlakomerController : public CCloneable<CTlakomerController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void update() override;
  virtual void action() {}
};
