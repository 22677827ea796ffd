#include <climits>
#include <vector>

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

TEST(PlayerTest, FinishedDaysAddedAtOnceFollowTheOneByOneRules) {
  CPlayer one, many;
  one.addLevelDone(7, 1);
  many.addLevelDone(7, 1);
  const std::vector<TLevelStruct> days = {{5, 0}, {2, 1}, {7, 0}, {5, 1}, {9, 0}, {2, 0}};
  for (const TLevelStruct &d : days) one.addLevelDone(d.level, d.goal);
  many.addLevelsDone(days);
  ASSERT_EQ(many.getLevelsDone().size(), 4u);
  for (int n = 0; n < 4; ++n) {
    EXPECT_EQ(many.getLevelIndex(n), one.getLevelIndex(n)) << n;
    EXPECT_EQ(many.getGoal(n), one.getGoal(n)) << n;
  }
  EXPECT_EQ(many.getLevelIndex(0), 7);
  EXPECT_EQ(many.wasLevelDone(7), 1) << "a later lower rating keeps the better";
  EXPECT_EQ(many.wasLevelDone(5), 1);
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
  EXPECT_EQ(p.basketContains(902)->starIndex, 1u); // the first bought
  EXPECT_EQ(p.starsOwned(902), 2);
  EXPECT_EQ(p.starsOwned(903), 1);
  EXPECT_EQ(p.starsOwned(904), 0);
  p.deleteFromBasket(902);
  EXPECT_EQ(p.basketContains(902), nullptr);
  EXPECT_EQ(p.getBasket().size(), 1u);
  p.clearBasket();
  EXPECT_EQ(p.basketContains(903), nullptr);
  EXPECT_TRUE(p.getBasket().empty());
}

} // namespace
