#include "world/kinds/CMapEntity_Tlakomer.h"

#include <cmath>

CMapEntity_Tlakomer::CMapEntity_Tlakomer(const CMapEntity_Tlakomer &o) : CCloneable(o) {
  if (links().clonePrototype) {
    CMapEntity *column = links().clonePrototype("TLAKOMERFULL");
    addEntity(column, true, true);
    column->setXOffset(19.0f, false);
    CMapEntity *lamp = links().clonePrototype("REDLIGHT");
    addEntity(lamp, true, true);
    lamp->setXOffset(-6.0f, false);
    lamp->setYOffset(-29.0f, false);
    lamp->setAlpha(0.0f, true);
  }
  running = o.running;
  full = o.full;
  value = o.value;
  display();
  rate = o.rate;
}

void CMapEntity_Tlakomer::display() {
  if (CMapEntity *column = getContainedEntity(kColumnID)) {
    short cut = (short)std::trunc(std::fma(-67.0f, value, 67.0f));
    column->looks().setVyrezPercent(-1, -1, -1, cut);
  }
  if (value <= 0.5f)
    changeFrameset("FRAMESET1");
  else if (value < 0.9f)
    changeFrameset("FRAMESET2");
  else if (value <= 1.0f)
    changeFrameset("FRAMESET3");
}

void CMapEntity_Tlakomer::overflow() {
  if (value <= 1.0f) return;
  value = 1.0f;
  full = 1;
  if (CMapEntity *lamp = getContainedEntity(kLampID)) lamp->setAlpha(1.0f, true);
  running = 0;
}

void CMapEntity_Tlakomer::setStav(float v) {
  value = v;
  display();
  overflow();
  if (value == 0.0f) {
    full = 0;
    if (CMapEntity *lamp = getContainedEntity(kLampID)) lamp->setAlpha(0.0f, true);
    running = 0;
  }
}

void CMapEntity_Tlakomer::start(float r) {
  running = 1;
  full = 0;
  value = 0.0f;
  if (CMapEntity *lamp = getContainedEntity(kLampID)) lamp->setAlpha(0.0f, true);
  rate = r;
}

void CMapEntity_Tlakomer::step(float factor) {
  if (running) {
    value += rate * factor;
    display();
    overflow();
  }
  if (full)
    if (CMapEntity *lamp = getContainedEntity(kLampID)) lamp->effectPulse(0.6f, -1);
}
