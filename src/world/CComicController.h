#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_Fader;

// A comic page: a fader uncovers it, it stays until the left button is down, the fader covers it
// again and the level ends, so the level change takes over.
class CComicController : public CCloneable<CComicController, CEntityController> {
public:
  using CCloneable::CCloneable;
  // A copy finds its own fader when bound.
  CComicController(const CComicController &other) : CCloneable(other) {}

  void onBind() override;
  void update() override;

  // Lives in the level's collection, not owned.
  CMapEntity_Fader *fader = nullptr;
};
