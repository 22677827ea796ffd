#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// One of the figure's two hand holders (`kLeftHandID`, `kRightHandID`): shows the hand empty
// ("...DOWN") or holding ("...UP") and keeps its one item on the hand's point for the figure's
// direction.
class CMapEntity_PlayerHand : public CCloneable<CMapEntity_PlayerHand, CMapEntity_Game> {
public:
  struct TPoint {
    int32_t x;
    int32_t y;
  };

  CMapEntity_PlayerHand(unsigned short x, unsigned short y, bool solid, bool left);
  // A copy dresses in the player's skin (uniform upgrade and hero's sex).
  CMapEntity_PlayerHand(const CMapEntity_PlayerHand &other);

  // A carried hand lets the figure remove the item, so the figure can reset the hand's picture.
  void removeEntity(CMapEntity *e) override;
  void changeFrameset(std::string name) override;
  void collectPictures(std::vector<unsigned int> &out) const override;

  // Shows the empty or the holding hand of the current skin, frameset "DOWN".
  void showHolding(bool holding);
  bool isLeft() const { return left; }

  std::string skin = "PLAYER1";
  std::vector<TPoint> points;

private:
  bool left;
};

// The raised hands exist only as prototypes ("PLAYERLEFTUP", "PLAYERRIGHTUP").
class CMapEntity_PlayerHandUp : public CCloneable<CMapEntity_PlayerHandUp, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// The skin for the player's record: "PLAYER1".."PLAYER5" by the uniform upgrade, "M" in front for
// the male hero. The same rule names the shoes and the stethoscope from their own upgrades.
std::string playerSkinName(const char *base, unsigned short upgradeID);
