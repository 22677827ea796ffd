#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class ZSprite;

// The notebook of the day's introduction. When the day introduces a new patient a side bar shows
// beside it, where the window places the newcomer.
class CMapEntity_Sesit : public CCloneable<CMapEntity_Sesit, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // Every copy has a side bar of its own; the prototype has none.
  CMapEntity_Sesit(const CMapEntity_Sesit &other);
  CMapEntity_Sesit &operator=(const CMapEntity_Sesit &) = delete;
  ~CMapEntity_Sesit() override;

  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  void collectPictures(std::vector<unsigned int> &out) const override;

  bool getShown() const { return shown != 0; }
  void setShown(bool on) { shown = on ? 1 : 0; }
  ZSprite *getSidebar() const { return sidebar; }

private:
  ZSprite *sidebar = nullptr;
  int32_t shown = 0;
};
