#include "world/kinds/CMapEntity_PostelClass.h"

#include <string>

#include "media/GameGlobals.h"

namespace {
const unsigned kPaletaSize = sizeof(paleta) / sizeof(paleta[0]);

void tint(CMapEntity *part, uint16_t colour) {
  // A colour past the table leaves the part as it is rather than reading beyond it.
  if (!part || colour >= kPaletaSize) return;
  part->setRGB(paleta[colour][0], paleta[colour][1], paleta[colour][2], false);
}
} // namespace

CMapEntity_PostelClass::CMapEntity_PostelClass(unsigned short x, unsigned short y, bool solid)
    : CCloneable(x, y, solid) {
  setEntityClassID(13);
}

CMapEntity_PostelClass::CMapEntity_PostelClass(const CMapEntity_PostelClass &o)
    : CCloneable(o), colour(o.colour), variantValue(o.variantValue), bonusMultiplier(o.bonusMultiplier),
      occupied(o.occupied), madeUp(o.madeUp), recoveryFactor(o.recoveryFactor), bedNumber(o.bedNumber) {}

void CMapEntity_PostelClass::dress(CMapEntity *part, const char *frameset, bool withTint) {
  if (!part) return;
  part->changeFrameset(frameset);
  if (withTint) tint(part, colour);
}

void CMapEntity_PostelClass::setBarva(uint16_t c) {
  colour = c;
  tint(getContainedEntityClass(kBlanketClass), colour);
  tint(getContainedEntityClass(kPillowClass), colour);
}

void CMapEntity_PostelClass::setObsazeno(bool b) {
  occupied = b ? 1 : 0;
  const char *fs = b ? "OBSAZENE" : "FRAMESET1";
  dress(getContainedEntityClass(kBlanketClass), fs, true);
  dress(getContainedEntityClass(kPillowClass), fs, false);
}

void CMapEntity_PostelClass::setUklizeno(bool b) {
  madeUp = b ? 1 : 0;
  refresh();
}

void CMapEntity_PostelClass::refresh() {
  const char *fs = madeUp ? "FRAMESET1" : "ROZHAZENE";
  dress(getContainedEntityClass(kBlanketClass), fs, true);
  dress(getContainedEntityClass(kPillowClass), fs, true);
}

uint16_t CMapEntity_PostelClass::ulozPacienta(CMapEntity_Game *patient, uint16_t patientColour) {
  if (!patient || getOccupant() || occupied || locked || !madeUp) return 0;
  addEntity(patient, false, false);
  if (CMapEntity *blanket = getContainedEntityClass(kBlanketClass)) {
    float bx = blanket->getX(), by = blanket->getY();
    patient->addEntity(blanket, false, false);
    blanket->setXOffset(bx - patient->getX(), false);
    blanket->setYOffset(by - patient->getY(), false);
    blanket->syncWithParentPosition();
  }
  occupant = patient;
  if (patientColour == colour) {
    ++bonusMultiplier;
    if (bonusMultiplier > 5) bonusMultiplier = 2;
  } else {
    bonusMultiplier = 1;
  }
  setBarva(patientColour);
  setUklizeno(madeUp != 0);
  setObsazeno(true);
  // The blanket now lies over the patient; it shows the occupied picture in the bed's colour.
  if (CMapEntity *blanket = patient->getContainedEntityClass(kBlanketClass)) dress(blanket, "OBSAZENE", true);
  return bonusMultiplier;
}

void CMapEntity_PostelClass::vylozPacienta() {
  if (CMapEntity_Game *patient = getOccupant()) {
    if (CMapEntity *blanket = patient->getContainedEntityClass(kBlanketClass)) {
      addEntity(blanket, false, false);
      blanket->setXOffset(0, false);
      blanket->setYOffset(50.0f, false);
      blanket->syncWithParentPosition();
    }
    dropEntity(patient);
  }
  occupant.clear();
  setObsazeno(false);
  setUklizeno(false);
}

void CMapEntity_PostelClass::takeBack(CMapEntity_Game *patient) {
  if (!patient) return;
  if (!carrying().carries(patient)) addEntity(patient, false, true);
  occupant = patient;
  setObsazeno(true);
}

CMapEntity_Game *CMapEntity_PostelClass::getOccupant() {
  CMapEntity_Game *o = occupant.among(carrying().getContainedList());
  if (o && !o->getKill()) return o;
  if (!occupant.empty()) forgetOccupant();
  return nullptr;
}

void CMapEntity_PostelClass::forgetOccupant() {
  // A dying patient takes the blanket with it; the bed gets a fresh one so it can be used again.
  if (CMapEntity_Game *o = occupant.among(carrying().getContainedList())) {
    if (CMapEntity *blanket = o->getContainedEntityClass(kBlanketClass)) {
      addEntity(blanket, false, false);
      blanket->setXOffset(0, false);
      blanket->setYOffset(50.0f, false);
      blanket->syncWithParentPosition();
    }
  }
  occupant.clear();
  if (!getContainedEntityClass(kBlanketClass) && links().clonePrototype) {
    CMapEntity *blanket = links().clonePrototype(name + "PRIKRYVKA");
    if (blanket) {
      addEntity(blanket, true, true);
      blanket->setYOffset(50.0f, false);
      blanket->syncWithParentPosition();
    }
  }
  setObsazeno(false);
  setUklizeno(false);
}

uint16_t bedColourRange(int maxColors) { return maxColors < 0 ? (uint16_t)3 : (uint16_t)maxColors; }
