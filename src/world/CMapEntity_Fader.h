#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class CMapEntitiesCollection;
class KGraphic;

// The stepping both faders share: a black cover whose opacity moves towards its end value by the
// average frame time over the fade's length each step.
struct TFade {
  int32_t smer = 0; // 1 darkens (0 -> 1), 0 brightens (1 -> 0)
  float alpha = 1.0f;
  float step = 0.01f;
  int32_t complete = 0;
  uint32_t timeLimit = 1000;

  void setSmer(bool darken);
  // 0 keeps the old length.
  void setTimeLimit(unsigned int ms);
  // One step by the average frame time of CGlobals, counted as 1 ms while the game is paused.
  void fade();
  // Fills the screen picture with black at the cover's opacity.
  void drawCover() const;
};

// Full-screen fade entity ("FADER"): the owner clones it, sets the direction and length, calls
// fade() once a frame and acts when it is complete. A complete fader keeps its cover at the end
// value until it is removed.
class CMapEntity_Fader : public CCloneable<CMapEntity_Fader, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  // A clone of "FADER" over the whole screen, added to the level, that darkens (or brightens) over
  // ms; one that is no fader ends the process.
  static CMapEntity_Fader *open(CMapEntitiesCollection *c, bool darken, unsigned int ms);

  void renderAdditional(KGraphic *g) override;

  void setSmer(bool darken) { f.setSmer(darken); }
  bool getSmer() const { return f.smer != 0; }
  bool isComplete() const { return f.complete != 0; }
  void setTimeLimit(unsigned int ms) { f.setTimeLimit(ms); }
  unsigned int getTimeLimit() const { return f.timeLimit; }
  void fade() { f.fade(); }
  float getCoverAlpha() const { return f.alpha; }
  float getStep() const { return f.step; }

private:
  TFade f;
};

// The same fade without an entity; its fade() draws the cover before it steps.
class CFader {
public:
  CFader() {}

  void setSmer(bool darken) { f.setSmer(darken); }
  bool getSmer() const { return f.smer != 0; }
  bool isComplete() const { return f.complete != 0; }
  void setTimeLimit(unsigned int ms) { f.setTimeLimit(ms); }
  unsigned int getTimeLimit() const { return f.timeLimit; }
  void fade() {
    f.drawCover();
    f.fade();
  }
  float getCoverAlpha() const { return f.alpha; }
  float getStep() const { return f.step; }

private:
  TFade f;
};
