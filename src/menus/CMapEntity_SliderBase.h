#pragma once
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class KGraphic;

// A slider's track: holds a value from 0 to 1 and carries the knob that sets it; the kinds apply
// the value through action().
class CMapEntity_SliderBase : public CCloneable<CMapEntity_SliderBase, CMapEntity_Game> {
public:
  static constexpr float kKnobTravel = 209.0f;

  using CCloneable::CCloneable;
  // A placed track carries its knob at 0.
  CMapEntity_SliderBase(const CMapEntity_SliderBase &other);

  void renderAdditional(KGraphic *g) override;
  virtual void action() {}
  // Sets the value, applies it and moves the knob to it.
  void setValue(float v);
  float getValue() const { return value; }

  // The volume a value stands for. A value made from a whole volume gives that volume back,
  // though the float falls a hair below it (0.53 x 100 is 52.99...).
  static int volumeOf(float value);

  std::string label = "Empty";

protected:
  void placeKnob();

  float value = 0.0f;
};

class CMapEntity_MusicSliderBase : public CCloneable<CMapEntity_MusicSliderBase, CMapEntity_SliderBase> {
public:
  using CCloneable::CCloneable;
  CMapEntity_SliderBase *clone() override;
  void action() override;
};

class CMapEntity_SoundSliderBase : public CCloneable<CMapEntity_SoundSliderBase, CMapEntity_SliderBase> {
public:
  using CCloneable::CCloneable;
  CMapEntity_SliderBase *clone() override;
  void action() override;
};

// Moves, and sets nothing.
class CMapEntity_VideoSliderBase : public CCloneable<CMapEntity_VideoSliderBase, CMapEntity_SliderBase> {
public:
  using CCloneable::CCloneable;
  CMapEntity_SliderBase *clone() override;
};

// The knob; its behaviour does the dragging.
class CMapEntity_SliderDrag : public CCloneable<CMapEntity_SliderDrag, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  void renderAdditional(KGraphic *) override {}
};
