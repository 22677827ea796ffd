#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A comfort item (`kComfortItemClass`): drink, banana, toy or book, told apart by entity ID.
// Dispensers put them out, the figure carries them to patients, patients use them up.
class CMapEntity_DrinkClass : public CCloneable<CMapEntity_DrinkClass, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;

  // The sound of taking the item and of handing it over; null for an ID no item has.
  static const char *pickupSound(uint32_t entityID);
  static const char *deliverSound(uint32_t entityID);
  // What a player calls it: "drink", "banana", "book" or "toy".
  static const char *name(uint32_t entityID);
};

// The cupboard: a fixture the figure walks up to, with no behaviour.
class CMapEntity_Skrinka : public CCloneable<CMapEntity_Skrinka, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
