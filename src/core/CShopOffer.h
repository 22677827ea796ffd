#pragma once

class CEngine;
class CMapEntitiesCollection;
class CPlayer;

// What the map can still sell: the tests that the play button, the star and the shop icon ask.
class CShopOffer {
public:
  // The four perks a day can be played with; the status bar shows one icon for each held.
  static const unsigned short kPerkIDs[4];

  // A perk is on offer for the coming day: the map level offers perks, none was bought on it or
  // had on this level before, and the player still lacks at least one of the four (a player
  // owning them all would otherwise be sent back to an empty shop for ever).
  static bool canBuyPerk(CEngine *engine);
  // The bank affords something: the next star of an owned upgrade, or, while one of the four
  // base upgrades is still missing, money above 699.
  static bool canBuyUpgrade(CPlayer *player);

  // The map's ways on (the play button, the star) while a perk is on offer: the first press
  // opens the shop with the choose-a-perk reminder; a press while the shop stands open says at
  // (x, y) that a perk must be chosen first and brings the reminder back if it has gone.
  static void askForPerk(CMapEntitiesCollection *c, float x, float y, bool freshPress);
};
