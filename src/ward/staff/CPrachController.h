#pragma once
#include <string>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/kinds/Links.h"

// Life of a puff: after 1000 ms of game time it starts to fade, and it grows all the while.
// The dust and spray smoke share the rates; the sleep "Z" has its own.
class CPrachController : public CCloneable<CPrachController, CEntityController> {
public:
  struct TRates {
    uint32_t driftingID;
    float fade;
    float growth;
  };

  using CCloneable::CCloneable;
  CPrachController(const CPrachController &other);

  void update() override;

  float speed = 0.0f;
  Timer fadeTimer{1000, false};
  int32_t fading = 0;

protected:
  virtual TRates rates() const { return {64, 0.02f, 0.02f}; }
};

class CZController : public CCloneable<CZController, CPrachController> {
public:
  using CCloneable::CCloneable;
  void onBind() override;

protected:
  TRates rates() const override { return {380, 0.03f, 0.006f}; }
};

// Looks for a free spot on the ward floor every 15 s of game time.
class COdpadkyGeneratorController : public CCloneable<COdpadkyGeneratorController, CEntityController> {
public:
  using CCloneable::CCloneable;
  COdpadkyGeneratorController(const COdpadkyGeneratorController &other);

  void update() override;

  Timer scan{2000, false};
  // The last cell found, -1 before any.
  int lastCell = -1;
};

// How the home's chimney gives its dust puffs their drift.
class CPuffDrift : public CChimneyDriftLink {
public:
  void setDrift(CMapEntity_Game *puff, float driftX, float driftY) override;
};
