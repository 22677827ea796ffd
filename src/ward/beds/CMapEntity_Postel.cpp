#include "ward/beds/CMapEntity_Postel.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "media/CGlobals.h"
#include "media/CRandom.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
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

// Health at or below which each stage of wear shows: a bed loses 2 health every 1.5 s of its
// patient's stay, so the last stage comes 18 s before the break.
const unsigned short kWearLimits[] = {75, 50, 25};
const char *const kWearFramesets[] = {"FRAMESET1", "WORN1", "WORN2", "WORN3"};
// The broken bed blinks twice in this time; the last stage glows once.
const int kWarningCycleMs = 1200;

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
    : CCloneable(o), warningMs(o.warningMs), auraWarning(0) {
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

int CMapEntity_Postel::wearStage(unsigned short health) {
  int stage = 0;
  for (unsigned short limit : kWearLimits) stage += health <= limit;
  return stage;
}

bool CMapEntity_Postel::wears() const {
  const TPostelVariant *v = variantOf(name);
  return v && v->wears;
}

void CMapEntity_Postel::animateAdditional() {
  CMapEntity_PostelClass::animateAdditional();
  if (!wears()) return;
  warningMs = std::fmod(warningMs + 20.0f * CGlobals::instance()->deltaFactor, (float)kWarningCycleMs);
  CMapEntity *rail = getContainedEntityClass(kRailClass);
  if (health == 0) blinkBroken(rail);
  else showWear(rail);
}

// The rail follows the health until the bed breaks (the broken look stays until the repair ends);
// in the last stage it glows amber, slowly, so the coming break shows across the ward.
void CMapEntity_Postel::showWear(CMapEntity *rail) {
  setRGB(1.0f, 1.0f, 1.0f, false);
  if (auraWarning) {
    auraWarning = 0;
    if (CMapEntity *aura = getHighlight())
      if (!getHighlightOn()) aura->setAlpha(0.0f, true);
  }
  if (!rail) return;
  Frameset *shown = rail->looks().getSprite() ? rail->looks().getSprite()->getAktivniFrameset() : nullptr;
  const std::string now = shown ? shown->getID() : "";
  if (now == "BROKEN") {
    rail->setRGB(1.0f, 1.0f, 1.0f, false);
    return;
  }
  const int stage = wearStage(health);
  if (now != kWearFramesets[stage]) rail->changeFrameset(kWearFramesets[stage]);
  float glow = 0.0f;
  if (stage == 3) glow = 1.0f - std::fabs(2.0f * warningMs / (float)kWarningCycleMs - 1.0f);
  rail->setRGB(1.0f, 1.0f - 0.2f * glow, 1.0f - 0.75f * glow, false);
}

// Broken: bed, rail and the aura around them blink red, hard, until the repair begins.
void CMapEntity_Postel::blinkBroken(CMapEntity *rail) {
  const bool lit = std::fmod(warningMs, (float)kWarningCycleMs / 2.0f) < (float)kWarningCycleMs / 4.0f;
  const float gb = lit ? 0.25f : 1.0f;
  setRGB(1.0f, gb, gb, false);
  if (rail) rail->setRGB(1.0f, gb, gb, false);
  CMapEntity *aura = getHighlight();
  if (!aura || getHighlightOn()) return;
  auraWarning = 1;
  aura->looks().setVisible(true);
  aura->setAlpha(lit ? 1.0f : 0.35f, true);
}
