#pragma once

class CEngine;
class CMapEntity;
class CMapEntitiesCollection;
class CMapEntity_Game;
class CMapEntity_PacientClass;

// How the charisma upgrade softens what germs and the monkey do to patients and strengthens what
// the entertainers do for them.
class CCharisma {
public:
  enum TEffect { kMonkeyHarm, kMonkeyReward, kJesterGain, kBandGain };

  // Stars bought on the charisma upgrade, 0 without the upgrade or past the table.
  static int level(CEngine *engine);
  // The loss divisor of a level: 1.0 at level 0.
  static float divisor(int level);
  static float amount(TEffect effect, int level);
  // Read afresh on every call, so stars bought during a day count at once.
  static float amount(TEffect effect, CEngine *engine) { return amount(effect, level(engine)); }

  // The patient (`kPatientClass`) behind an entity, or null when it is not one or has given up and
  // walks out.
  static CMapEntity_PacientClass *livePatient(CMapEntity_Game *e);

  // The frameset a patient's head shows ("" when none).
  static const char *faceOf(CMapEntity *head);

  // An entertainer's cheer: every live patient of the ward gains the mood, a heart rising over
  // each; with `lightFaces` the faces that are not ill (nor asleep) light up too. Nothing while paused.
  static void cheerAll(CMapEntitiesCollection *collection, float gain, bool lightFaces);
};
