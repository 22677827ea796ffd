#include <climits>

#include <gtest/gtest.h>

#include "core/CPlayer.h"

namespace {

TEST(PlayerTest, MoneyAndFinishedDays) {
  CPlayer p;
  p.setMoney(200);
  p.changeMoney(-500);
  EXPECT_EQ(p.getMoney(), 0);
  p.setMoney(-5);
  EXPECT_EQ(p.getMoney(), -5);
  p.setMoney(INT_MAX - 1);
  p.changeMoney(10); // no wrap into a negative bank
  EXPECT_EQ(p.getMoney(), INT_MAX);

  EXPECT_EQ(p.getGoal(0), -1);
  EXPECT_EQ(p.getLevelIndex(-1), -1);
  p.addLevelDone(3, 0);
  p.addLevelDone(3, 1);
  ASSERT_EQ(p.getLevelsDone().size(), 1u);
  EXPECT_EQ(p.wasLevelDone(3), 1);
  EXPECT_EQ(p.wasLevelDone(4), -1);
  EXPECT_EQ(p.getLevelIndex(0), 3);
  EXPECT_EQ(p.getGoal(1), -1);
}

TEST(PlayerTest, PerksCelebritiesAndBasket) {
  CPlayer p;
  p.addPerkLevel(5);
  p.addPerkLevel(5);
  EXPECT_EQ(p.getPerkLevels().size(), 1u);
  EXPECT_TRUE(p.bylPerkLevel(5));
  p.addCelebritiesSeen(7);
  p.addCelebritiesSeen(7);
  EXPECT_EQ(p.getCelebritiesSeen().size(), 2u);
  EXPECT_TRUE(p.wasCelebritySeen(7));
  EXPECT_FALSE(p.wasCelebritySeen(8));

  EXPECT_EQ(p.basketContains(902), nullptr);
  p.getBasket().push_back({902, 1});
  p.getBasket().push_back({902, 3});
  p.getBasket().push_back({903, 0});
  EXPECT_EQ(p.basketContains(902)->stars, 1u); // the first bought
  p.deleteFromBasket(902);
  EXPECT_EQ(p.basketContains(902), nullptr);
  EXPECT_EQ(p.getBasket().size(), 1u);
  p.clearBasket();
  EXPECT_EQ(p.basketContains(903), nullptr);
  EXPECT_TRUE(p.getBasket().empty());
}

} // namespace
