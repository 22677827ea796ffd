#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/CMapEntity_Fader.h"
#include "world/TEntityRef.h"

// A comic page: a fader uncovers it, it stays until the left button is down, the fader covers it
// again and the level ends, so the level change takes over.
class CComicController : public CCloneable<CComicController, CEntityController> {
public:
  using CCloneable::CCloneable;
  // A copy finds its own fader when bound.
  CComicController(const CComicController &other) : CCloneable(other) {}

  void onBind() override;
  void update() override;

  // The page's fader while the level holds it.
  CMapEntity_Fader *getFader() const { return fading.in(collection); }

private:
  TEntityRef<CMapEntity_Fader> fading;
};
