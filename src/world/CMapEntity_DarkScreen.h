#pragma once

#include "world/CMapEntity_Game.h"

class KGraphic;

// A translucent cover over the whole screen behind an open window, carried by the window so it
// follows the window's fades; it never gets darker than its maximum alpha.
class CMapEntity_DarkScreen : public CMapEntity_Game {
public:
  CMapEntity_DarkScreen(unsigned short x, unsigned short y, bool solid);
  // Every copy is black with maximum alpha 0.35, whatever the source holds.
  CMapEntity_DarkScreen(const CMapEntity_DarkScreen &other);

  void useMethod() override {}
  void renderAdditional(KGraphic *g) override;
  CMapEntity_DarkScreen *clone() override;
  void doAction() override {}
  ~CMapEntity_DarkScreen() override;

  float coverRed;
  float coverGreen;
  float coverBlue;
  float maxAlpha;
};
