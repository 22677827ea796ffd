#pragma once
#include <string>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/CMapEntity_Game.h"

// Invisible carriers of equipment that arrives during the day's first seconds or leaves.
class CMapEntity_Adder : public CCloneable<CMapEntity_Adder, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

class CMapEntity_DeAdder : public CCloneable<CMapEntity_DeAdder, CMapEntity_Adder> { using CCloneable::CCloneable; };

// Fades its pieces in, flashes the first, then puts working copies in their place and goes.
class CAdderController : public CCloneable<CAdderController, CEntityController> {
public:
  using CCloneable::CCloneable;

  void onBind() override;
  void update() override;

  float alpha = 0.0f;
  Timer wait{2000, false};
  int32_t done = 0;

private:
  void replacePieces();
};

// Fades its pieces out and goes with them.
class CDeAdderController : public CCloneable<CDeAdderController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CDeAdderController(const CDeAdderController &other) : CCloneable(other), alpha(1.0f) {}
  void onBind() override;
  void update() override;

  float alpha = 0.0f;
};
