#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class KGraphic;
class ZSprite;

// The pyjama hand a patient carries (`CMapEntity_PacientClass::kHandClass`, `kHandID`), with a skin
// overlay drawn over it in step with its frames. The hand owns its overlay; a copy starts without
// one.
class CMapEntity_PyzamoRuka : public CCloneable<CMapEntity_PyzamoRuka, CMapEntity_Game> {
public:
  CMapEntity_PyzamoRuka(unsigned short x, unsigned short y, bool solid);
  CMapEntity_PyzamoRuka(const CMapEntity_PyzamoRuka &other);
  ~CMapEntity_PyzamoRuka() override;

  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  void collectPictures(std::vector<unsigned int> &out) const override;
  void zapniAnimace() override;

  // Takes the overlay, deleting the one it had.
  void setSkin(ZSprite *skin);
  ZSprite *getSkin() const { return skin; }

private:
  ZSprite *skin = nullptr;
};

// Keeps an overlay on the body's frameset and frame (once a frame), and draws it at the body's
// pixel position.
void followSkinOverlay(CMapEntity &body, ZSprite *skin);
void drawSkinOverlay(KGraphic *g, CMapEntity &body, ZSprite *skin, bool onlyWithFrameset);
