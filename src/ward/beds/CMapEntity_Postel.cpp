#include "ward/beds/CMapEntity_Postel.h"

#include <cstdlib>
#include <string>

#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CWorldEngine.h"

namespace {
const TPostelVariant kVariants[] = {
    {"POSTEL1", "POSTEL1AURA", 1, 1.0f, true, 58, 24, false, false},
    {"POSTEL2", "POSTEL1AURA", 2, 1.5f, true, 58, 24, false, false},
    {"POSTEL3", "POSTEL3AURA", 4, 1.0f, true, 58, 24, false, false},
    {"POSTEL3B", "POSTEL3AURA", 4, 1.5f, true, 58, 24, true, false},
    {"POSTEL4", "POSTEL4AURA", 8, 1.5f, true, 58, 30, false, true},
    {"POSTEL4B", "POSTEL4BAURA", 8, 1.5f, true, 58, 30, false, false},
    {"POSTEL5", "POSTEL5AURA", 6, 1.0f, true, 62, 26, false, false},
    {"POSTEL5B", "POSTEL5BAURA", 6, 1.7f, true, 62, 26, false, false},
    {"POSTEL5C", "POSTEL5CAURA", 2, 1.7f, false, 0, 0, false, false},
};

int levelMaxColors() {
  CWorldEngine *host = CWorldEngine::running();
  CLevel_Game *level = host ? host->getLevel() : nullptr;
  return level ? level->getMaxColors() : -1;
}

CMapEntity *carryClone(CMapEntity *bed, const std::string &prototype) {
  CMapEntity *part = CMapEntity::links().clonePrototype(prototype);
  bed->addEntity(part, true, true);
  return part;
}
} // namespace

const TPostelVariant *CMapEntity_Postel::variantOf(const std::string &name) {
  for (const TPostelVariant &v : kVariants)
    if (name == v.name) return &v;
  return nullptr;
}

CMapEntity_Postel::CMapEntity_Postel(const CMapEntity_Postel &o)
    : CCloneable(o), brokenPulseRising(o.brokenPulseRising), brokenPulse(o.brokenPulse) {
  const TPostelVariant *v = variantOf(name);
  if (!v || !links().clonePrototype) return;
  carryClone(this, name + "POLSTAR")->setYOffset(10.0f, false);
  carryClone(this, name + "PRIKRYVKA")->setYOffset(50.0f, false);
  carryClone(this, name + "DOLNIMRIZ");
  setVariant(v->kind, v->recoveryFactor);
  setBedNumber(++poradi);

  CMapEntity *aura = carryClone(this, v->aura);
  aura->setAlpha(0.0f, true);
  setHighlight(aura);

  uint16_t range = v->ownColours ? getVariantValue() : bedColourRange(levelMaxColors());
  setBarva((uint16_t)(CRandom::draw() % (range + 1)));

  if (v->lamps) {
    for (const char *lampName : {"REDLIGHT", "GREENLIGHT"}) {
      CMapEntity *lamp = carryClone(this, lampName);
      lamp->setXOffset(v->lampX, false);
      lamp->setYOffset(v->lampY, false);
      lamp->setAlpha(0.0f, true);
      lamp->setSortZ(7, false);
    }
  }
}

void CMapEntity_Postel::animateAdditional() {
  CMapEntity_PostelClass::animateAdditional();
  const TPostelVariant *v = variantOf(name);
  if (!v || !v->pulsesBroken) return;
  CMapEntity *rail = getContainedEntity(79);
  if (health == 0) {
    float step = 0.02f * CGlobals::instance()->deltaFactor;
    if (brokenPulseRising) {
      brokenPulse += step;
      if (brokenPulse > 1.0f) {
        brokenPulse = 1.0f;
        brokenPulseRising = 0;
      }
    } else {
      brokenPulse -= step;
      if (brokenPulse < 0.3f) {
        brokenPulse = 0.3f;
        brokenPulseRising = 1;
      }
    }
    setRGB(brokenPulse, 1.0f, 1.0f, false);
    if (rail) rail->setRGB(brokenPulse, 1.0f, 1.0f, false);
  } else {
    setRGB(1.0f, 1.0f, 1.0f, false);
    if (rail) rail->setRGB(1.0f, 1.0f, 1.0f, false);
  }
}
