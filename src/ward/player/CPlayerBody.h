#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ward/player/CChainBonus.h"
#include "world/CCaption.h"
#include "world/TEntityRef.h"

class CEntityController;
class CLevel_Game;
class CMapEntity;
class CMapEntitiesCollection;
class CMapEntity_Game;
class CMapEntity_Player;

// All the two halves of her work see of the doctor's behaviour, as verbs: what her hands hold,
// take and give, her pose and the examination's, her sounds and captions, the chain bonus of her
// work, whether she stands at a thing's work point, and the ward she works in. Her figure and the
// ward's list stay inside.
class CPlayerBody {
public:
  void bind(CMapEntity_Player *figure, CEntityController *behaviour);

  // The middle of her foot box: where she stands on the tile grid.
  void foot(float &x, float &y) const;
  // Her foot within 15 px of the entity's work point on both axes.
  bool atWorkSpot(const CMapEntity_Game *e) const;
  // Standing still, facing the player.
  void restOnDown() const;
  // Where she stands (her picture's place).
  void position(float &x, float &y) const;
  // Bent over a patient at (x, y), hands hidden; up again at (x, y).
  void startExamination(float x, float y) const;
  void keepExamining() const;
  void endExamination(float x, float y) const;
  // What her hands hold: a thing of that ID or class, null for none; a hand free.
  CMapEntity *held(unsigned short id) const;
  CMapEntity *heldOfClass(unsigned short cls) const;
  bool handFree() const;
  // Into her first free hand, from the ward's list unless `fromWard` is false; a new one of a
  // prototype.
  void take(CMapEntity *item, bool fromWard = true) const;
  CMapEntity *takeNew(const std::string &prototype) const;
  // Out of her hand to another, false when it would not take it.
  bool give(CMapEntity *item, CMapEntity *to, bool syncFrames) const;
  // Out of her hand onto nothing, false when no hand held it.
  bool putDown(CMapEntity *item) const;
  // Her walking speed and the factor the floor she stands on gives it.
  void walkSpeed(float &speed, float &factor) const;

  // The ward she works in: what is in it, one thing by its ID, a new thing placed in it, and a
  // thing kept from an earlier frame while it is there and not dying.
  const std::vector<CMapEntity_Game *> &entities() const;
  CMapEntity_Game *byID(uint32_t id) const;
  void place(CMapEntity_Game *e) const;
  template <class T> T *find(const TEntityRef<T> &kept) const {
    T *e = kept.in(ward());
    return e && !e->getKill() ? e : nullptr;
  }
  // A heart rising beside a patient; a payment with its caption at (x, y).
  void heartBeside(const CMapEntity *patient) const;
  void pay(float x, float y, const char *label, int amount) const;
  // Money earned with no caption of its own (a step whose bonus a later caption stands for).
  void earn(int amount) const;
  void playSound(const char *key) const;
  void caption(float x, float y, const std::string &text, TCaptionKind kind) const;
  // An order that cannot be done: the refusing sound and a caption that says why, at (x, y) or
  // over her head.
  void refuse(float x, float y, const std::string &why) const;
  void refuseHere(const std::string &why) const;
  // A caption centred over her head.
  void sayHere(const std::string &text) const;

  // One step of the work chain: its sound, and the bonus it earns (most kinds earn from the
  // second step on); chainBonus pays a step's bonus, with its captions, at (x, y).
  unsigned chainStep(uint16_t kind);
  void chainBonus(uint16_t kind, float x, float y, const char *label, TCaptionKind captionKind = TCaptionKind::Plain);
  // Pays `amount` with its caption at (x, y) and the chain's length beside it, from its first step.
  void payChain(float x, float y, const char *label, unsigned amount, TCaptionKind captionKind = TCaptionKind::Plain);
  const CChainBonus &chain() const { return chainNow; }

private:
  CMapEntitiesCollection *ward() const;
  CLevel_Game *level() const;
  // A caption centred over her head, with the refusing sound when refused.
  void overHead(const std::string &text, bool refused) const;

  // Plain pointers, not handles: the behaviour owns this body, so it lives exactly as long; and
  // the figure is the entity that behaviour is bound to, whose death unbinds the behaviour, which
  // the behaviour list then deletes without running it again.
  CMapEntity_Player *player = nullptr;
  CEntityController *behaviour = nullptr;
  CChainBonus chainNow;
};
