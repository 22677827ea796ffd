#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

// Bed (`kBedClass`): the state that patients, the player figure and the tutorial read and change
// through the operations below. The bed carries its pillow (35), blanket (14), front rail (34),
// aura (12) and lamps; the operations here only re-dress and tint the blanket and pillow.
class CMapEntity_PostelClass : public CCloneable<CMapEntity_PostelClass, CMapEntity_Game> {
public:
  static const uint16_t kPillowClass = 35;
  static const uint16_t kBlanketClass = 14;
  static const uint16_t kRailClass = 34;

  CMapEntity_PostelClass(unsigned short x, unsigned short y, bool solid);
  // Copies the state; the variants add the parts. The occupant is never copied: a new bed is free.
  CMapEntity_PostelClass(const CMapEntity_PostelClass &other);

  void setBarva(uint16_t colour);
  void setObsazeno(bool occupied);
  void setUklizeno(bool madeUp);
  // Re-dresses the parts from the stored made-up state.
  void refresh();

  // Lays the patient into the bed: the bed carries the patient, the patient takes the blanket,
  // the colour chain runs against the bed's colour and the bed then takes the patient's colour.
  // Returns the new multiplier. Refused (0) while the bed is taken, locked or unmade.
  uint16_t ulozPacienta(CMapEntity_Game *patient, uint16_t patientColour);
  // The patient gets up: the blanket comes back, the sheets are rumpled, the bed is free.
  void vylozPacienta();
  // The patient climbs out: the blanket comes back, the bed is free and unmade and forgets its
  // occupant, while the patient may stay carried for its way out.
  void releaseOccupant() { forgetOccupant(); }
  // A runaway is back in its own bed: carried, the occupant again, the bed occupied.
  void takeBack(CMapEntity_Game *patient);
  // The patient in the bed, or null. A patient that is dying or no longer lies here is
  // forgotten first, so callers never follow the link to an entity on its way out.
  CMapEntity_Game *getOccupant();

  uint16_t getColour() const { return colour; }
  // Colour multiplier; the rail shows "x" and the value when it is not 1.
  uint16_t getBonusMultiplier() const { return bonusMultiplier; }
  bool isOccupied() const { return occupied != 0; }
  bool isMadeUp() const { return madeUp != 0; }
  // A locked bed takes no patient (the tutorial keeps one shut while it teaches).
  bool isLocked() const { return locked != 0; }
  void lock(bool on) { locked = on ? 1 : 0; }
  float getRecoveryFactor() const { return recoveryFactor; }
  // Wears out under its patients and breaks (health 0) until it is mended; the variants say which.
  virtual bool wears() const { return false; }
  uint16_t getBedNumber() const { return bedNumber; }
  void setBedNumber(uint16_t number) { bedNumber = number; }

protected:
  // The variant's own value (Postel3b draws its colour from 0 to it) and how fast its patient heals.
  void setVariant(uint16_t value, float healing) {
    variantValue = value;
    recoveryFactor = healing;
  }
  uint16_t getVariantValue() const { return variantValue; }

private:
  friend struct TPatientState;
  // Only through lock and isLocked.
  using CMapEntity_Game::locked;

  void dress(CMapEntity *part, const char *frameset, bool tint);
  void forgetOccupant();

  uint16_t colour = 1;
  uint16_t variantValue = 1;
  uint16_t bonusMultiplier = 1;
  int32_t occupied = 0;
  int32_t madeUp = 1;
  float recoveryFactor = 1.0f;
  uint16_t bedNumber = 0;
  // Found again among what the bed carries.
  TEntityRef<CMapEntity_Game> occupant;
};

// The bed colour the level allows: from 0 to the level's "maxcolors", which is 3 when missing
// or negative.
uint16_t bedColourRange(int maxColors);
