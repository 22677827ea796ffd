#pragma once
#include <cstdint>
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class CMapEntity_PlayerHand;
class ZSprite;

// The figure the player steers (`kPlayerID`). It carries its two hands (`kLeftHandID`,
// `kRightHandID`); every take and give goes to the left hand first, then the right, one item a
// hand. Shoes and stethoscope are drawn over the body frame by frame.
class CMapEntity_Player : public CCloneable<CMapEntity_Player, CMapEntity_Game> {
public:
  CMapEntity_Player(unsigned short x, unsigned short y, bool solid);
  // The level's figure: gets its hands and the skins of the player's upgrades and sex.
  CMapEntity_Player(const CMapEntity_Player &other);
  ~CMapEntity_Player() override;

  bool containedFull() override;
  void removeEntity(CMapEntity *e) override;
  CMapEntity *getContainedEntity(unsigned short id) override;
  CMapEntity *getContainedEntityClass(unsigned short cls) override;
  void renderAdditional(KGraphic *g) override;
  void animateAdditional() override;
  void collectPictures(std::vector<unsigned int> &out) const override;
  bool giveEntityTo(CMapEntity *target, unsigned short id, bool swap) override;
  bool giveEntityTo(CMapEntity *target, CMapEntity *item, bool syncFrames) override;
  bool giveFirstEntityTo(CMapEntity *target) override;
  CMapEntity *addEntity(std::string prototype) override;
  using CMapEntity::addEntity;
  // Takes an existing item into the first free hand; nothing when both are full.
  void addEntity(CMapEntity *item, bool toCollection);

  CMapEntity_PlayerHand *hand(bool left);

  ZSprite *shoes = nullptr;
  ZSprite *steto = nullptr;
  std::string spritePrefix;
  float speed = 6.0f;
  float speedFactor = 1.0f;
  // What her behaviour is doing; the values are its own.
  uint16_t workPhase = 0;
  int32_t goalX = -1;
  int32_t goalY = -1;

private:
  // After a hand let go: an emptied hand shows empty and follows the body's direction again.
  void handEmptied(CMapEntity_PlayerHand *h);
  void followOverlay(ZSprite *overlay);
  void drawOverlay(KGraphic *g, ZSprite *overlay);
};
