#include <gtest/gtest.h>

#include "core/CPlayer.h"
#include "core/CShopOffer.h"
#include "support/LevelTestSupport.h"

// What the map offers: a perk for the coming day, an upgrade the bank affords.

namespace {

class ShopOfferTest : public LevelTest {};

TEST_F(ShopOfferTest, APerkIsOfferedOnlyOnAPerkMapOnceAndWhileOneIsStillMissing) {
  CPlayer *p = engineObj.getPlayer();
  writeLevel("plain", "time=\"0\" moneyLimit=\"0\"");
  writeLevel("perks", "time=\"0\" moneyLimit=\"0\" perks=\"1\"");
  loadLevel("plain");
  EXPECT_FALSE(CShopOffer::canBuyPerk(&engineObj)) << "no perks attribute";
  loadLevel("perks");
  EXPECT_TRUE(CShopOffer::canBuyPerk(&engineObj));
  p->setPerkBought(true);
  EXPECT_FALSE(CShopOffer::canBuyPerk(&engineObj));
  p->setPerkBought(false);
  p->addPerkLevel(engineObj.getSoucasnyLevel());
  EXPECT_FALSE(CShopOffer::canBuyPerk(&engineObj)) << "a perk was had on this level";
  p->getPerkLevels().clear();

  // With all four perks owned the shop would show an empty perk area and the map could never
  // be left: nothing is on offer then.
  for (int i = 0; i < 3; ++i) p->getBasket().push_back({CShopOffer::kPerkIDs[i], 0});
  EXPECT_TRUE(CShopOffer::canBuyPerk(&engineObj));
  p->getBasket().push_back({CShopOffer::kPerkIDs[3], 0});
  EXPECT_FALSE(CShopOffer::canBuyPerk(&engineObj));
}

TEST_F(ShopOfferTest, AnUpgradeCountsWhenItsNextStarOrAMissingBaseUpgradeIsAffordable) {
  CPlayer p;
  p.setMoney(700);
  EXPECT_TRUE(CShopOffer::canBuyUpgrade(&p)) << "empty basket, 700";
  p.setMoney(699);
  EXPECT_FALSE(CShopOffer::canBuyUpgrade(&p));

  // All four base upgrades full: no next star, and money alone opens nothing; a perk never
  // counts. Then three of four stars of one: the fourth, 8000, is element starIndex + 2.
  p.clearBasket();
  for (unsigned id : {904u, 67u, 902u, 905u}) p.getBasket().push_back({id, 3});
  p.getBasket().push_back({270, 0});
  p.setMoney(100000);
  EXPECT_FALSE(CShopOffer::canBuyUpgrade(&p));
  p.getBasket()[1].starIndex = 2;
  p.setMoney(7999);
  EXPECT_FALSE(CShopOffer::canBuyUpgrade(&p));
  p.setMoney(8000);
  EXPECT_TRUE(CShopOffer::canBuyUpgrade(&p));
}

} // namespace
