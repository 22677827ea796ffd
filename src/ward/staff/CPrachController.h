#pragma once
#include "world/CCloneable.h"
#include <string>

#include "world/CEntityController.h"
#include "world/kinds/Links.h"

class Timer;

// Life of a puff: after 1000 ms of game time it starts to fade, and it grows all the while.
// The dust and spray smoke share the rates; the sleep "Z" has its own.
class CPrachController : public CCloneable<CPrachController, CEntityController> {
public:
  struct TRates {
    uint32_t driftingID;
    float fade;
    float growth;
  };

  CPrachController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine, std::string bindTo);
  CPrachController(const CPrachController &other);
  ~CPrachController() override;

  void update() override;

  float speed;
  Timer *fadeTimer;
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
  COdpadkyGeneratorController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                              std::string bindTo);
  COdpadkyGeneratorController(const COdpadkyGeneratorController &other);
  ~COdpadkyGeneratorController() override;

  void update() override;

  Timer *scan;
  // The last cell found, -1 before any.
  int lastCell = -1;
};

// How the home's chimney gives its dust puffs their drift.
class CPuffDrift : public CChimneyDriftLink {
public:
  void setDrift(CMapEntity_Game *puff, float driftX, float driftY) override;
};
