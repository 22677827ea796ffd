#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_FrontaAkci;

// A new prescription or waste item flashes once, with what it carries, when it appears.
class CFlashObjektController : public CCloneable<CFlashObjektController, CEntityController> {
public:
  using CCloneable::CCloneable;
  // A copy finds its own queue when bound.
  CFlashObjektController(const CFlashObjektController &other) : CCloneable(other) {}

  // A level without the action queue ends the process.
  void onBind() override;
  void update() override;

  CMapEntity_FrontaAkci *fronta = nullptr;
};
