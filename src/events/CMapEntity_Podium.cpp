#include "events/CMapEntity_Podium.h"

#include <string>

#include "media/CFatal.h"

namespace {
CMapEntity *carry(CMapEntity *carrier, const std::string &prototype, float xOffset, float yOffset) {
  if (!CMapEntity::links().clonePrototype)
    fatalError("Entity prototype " + prototype + " cannot be cloned without the registry", -1);
  CMapEntity *part = CMapEntity::links().clonePrototype(prototype);
  carrier->addEntity(part, true, true);
  part->setXOffset(xOffset, false);
  part->setYOffset(yOffset, false);
  part->syncWithParentPosition();
  return part;
}
} // namespace

CMapEntity_Podium::CMapEntity_Podium(const CMapEntity_Podium &o) : CCloneable(o), ready(o.ready) {
  carry(this, "HUDEBNIK1", 60.0f, -95.0f);
  carry(this, "HUDEBNIK2", 120.0f, -72.0f);
}

void CMapEntity_Hudebnik::carryAura(const char *prototype, float xOffset, float yOffset) {
  CMapEntity *aura = carry(this, prototype, xOffset, yOffset);
  aura->setAlpha(0.0f, true);
  setHighlight(aura);
}

CMapEntity_Hudebnik1::CMapEntity_Hudebnik1(const CMapEntity_Hudebnik1 &o) : CCloneable(o) {
  carryAura("HUDEBNIK1AURA", -5.0f, 0.0f);
}

CMapEntity_Hudebnik2::CMapEntity_Hudebnik2(const CMapEntity_Hudebnik2 &o) : CCloneable(o) {
  carryAura("HUDEBNIK2AURA", -5.0f, -5.0f);
}

CMapEntity_HudebnikAura::~CMapEntity_HudebnikAura() {
  // A carrier that is itself being deleted is no longer a game entity here, and is left alone.
  if (CMapEntity_Game *musician = dynamic_cast<CMapEntity_Game *>(carrying().getParent()))
    if (musician->getHighlight() == this) musician->setHighlight(nullptr);
}
