#include "menus/CMapEntity_SliderBase.h"

#include "core/CAudioOptions.h"
#include "media/CSoundEngine.h"
#include "menus/MenuKit.h"
#include "world/CWorldEngine.h"

namespace {
CSoundEngine *sounds() {
  CWorldEngine *host = CWorldEngine::running();
  return host ? host->getSoundEngine() : nullptr;
}
} // namespace

CMapEntity_SliderBase::CMapEntity_SliderBase(const CMapEntity_SliderBase &o) : CCloneable(o), label(o.label) {
  menukit::carry(this, "SLIDERDRAG", 0.0f, 15.0f);
  value = 0.0f;
  placeKnob();
  setAlpha(1.0f, true);
}

int CMapEntity_SliderBase::volumeOf(float v) {
  // Truncation, as a dragged 0.999 is 99; the small margin only absorbs the float's error.
  return (int)((double)v * 100.0 + 1e-3);
}

void CMapEntity_SliderBase::placeKnob() {
  if (CMapEntity *knob = getContainedEntity(menukit::kSliderKnobID)) knob->setXOffset(value * kKnobTravel, false);
}

void CMapEntity_SliderBase::setValue(float v) {
  value = v;
  action();
  placeKnob();
}

void CMapEntity_SliderBase::renderAdditional(KGraphic *) {
  menukit::drawCentred("gamefont", label, x, x + 220.0f, y, 0.36f, 0.30f, 0.23f, looks().getAlpha());
}

CMapEntity_SliderBase *CMapEntity_MusicSliderBase::clone() {
  auto *s = new CMapEntity_MusicSliderBase(*this);
  s->label = "music volume";
  s->setValue((float)CAudioOptions::instance()->getMusicVolume() / 100.0f);
  return s;
}

void CMapEntity_MusicSliderBase::action() {
  const int volume = volumeOf(value);
  if (CSoundEngine *s = sounds()) s->setMusicVolume(volume);
  CAudioOptions::instance()->setMusicVolume(volume);
}

CMapEntity_SliderBase *CMapEntity_SoundSliderBase::clone() {
  auto *s = new CMapEntity_SoundSliderBase(*this);
  s->label = "sound volume";
  s->setValue((float)CAudioOptions::instance()->getSoundVolume() / 100.0f);
  return s;
}

void CMapEntity_SoundSliderBase::action() {
  const int volume = volumeOf(value);
  if (CSoundEngine *s = sounds()) s->setSoundVolume(volume);
  CAudioOptions::instance()->setSoundVolume(volume);
}

CMapEntity_SliderBase *CMapEntity_VideoSliderBase::clone() {
  auto *s = new CMapEntity_VideoSliderBase(*this);
  s->label = "VIDEO SLIDER";
  return s;
}
