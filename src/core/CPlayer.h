#pragma once
#include <cstdint>
#include <vector>

// One finished day: the level index and the rating it was finished with.
struct TLevelStruct {
  int32_t level;
  int32_t goal;
};

// A bought upgrade as the saved game keeps it: the upgrade's entity ID and its star index, the
// number of stars owned minus 1 (0: one star; a perk always 0).
struct TBasketItem {
  uint32_t entityID;
  uint32_t starIndex;
};

// The progress of the active profile's player, saved with the game. Touches no file itself.
class CPlayer {
public:
  CPlayer();
  ~CPlayer();

  int getMoney() const { return money; }
  void setMoney(int v) { money = v; }
  // Adds a signed amount; the bank never goes below 0 this way.
  void changeMoney(int amount);

  int getPohlavi() const { return pohlavi; }
  void setPohlavi(int v) { pohlavi = v; }
  int getVirusHint() const { return virusHint; }
  void setVirusHint(int v) { virusHint = v; }
  int getShopHint() const { return shopHint; }
  void setShopHint(int v) { shopHint = v; }
  int getClownHint() const { return clownHint; }
  void setClownHint(int v) { clownHint = v; }
  int getPerkHint() const { return perkHint; }
  void setPerkHint(int v) { perkHint = v; }
  int getPressureRemind() const { return pressureRemind; }
  void setPressureRemind(int v) { pressureRemind = v; }
  bool getPerkBought() const { return perkBought != 0; }
  void setPerkBought(bool v) { perkBought = v ? 1 : 0; }
  bool getPerkSelected() const { return perkSelected != 0; }
  void setPerkSelected(bool v) { perkSelected = v ? 1 : 0; }

  std::vector<TBasketItem> &getBasket() { return basket; }
  const std::vector<TBasketItem> &getBasket() const { return basket; }
  std::vector<TLevelStruct> &getLevelsDone() { return levelsDone; }
  const std::vector<TLevelStruct> &getLevelsDone() const { return levelsDone; }
  std::vector<int32_t> &getPerkLevels() { return perkLevels; }
  const std::vector<int32_t> &getPerkLevels() const { return perkLevels; }
  std::vector<int32_t> &getCelebritiesSeen() { return celebritiesSeen; }
  const std::vector<int32_t> &getCelebritiesSeen() const { return celebritiesSeen; }

  // Raises the goal of a day already recorded to this one when it is better, else appends the day.
  void addLevelDone(int level, int goal);
  // The same as addLevelDone for each record in turn, in time linear in the records.
  void addLevelsDone(const std::vector<TLevelStruct> &records);
  // The goal recorded for the day (the last entry wins), or -1.
  int wasLevelDone(int level) const;
  // Level index / goal of the n-th finished day, or -1 past the end (negative n included).
  int getLevelIndex(int n) const;
  int getGoal(int n) const;

  void addPerkLevel(int level);
  bool bylPerkLevel(int level) const;
  void addCelebritiesSeen(int id);
  bool wasCelebritySeen(int id) const;

  // First bought upgrade whose entity ID, as a 16-bit number, is id; null when none.
  TBasketItem *basketContains(unsigned short id);
  // Stars owned of the upgrade (its star index + 1), 0 when it is not in the basket. Tables kept
  // per star count read this; tables kept by index read starsOwned - 1.
  int starsOwned(unsigned short id) const;
  // Drops every upgrade with that entity ID (16-bit, as basketContains compares).
  void deleteFromBasket(unsigned short id);
  void clearBasket();

private:
  std::vector<TBasketItem> basket;
  int32_t money = 0;
  int32_t pohlavi = 0;
  int32_t virusHint = 0;
  int32_t shopHint = 0;
  int32_t clownHint = 0;
  int32_t perkHint = 0;
  int32_t pressureRemind = 0;
  int32_t perkBought = 0;
  int32_t perkSelected = 0;
  std::vector<TLevelStruct> levelsDone;
  std::vector<int32_t> perkLevels;
  std::vector<int32_t> celebritiesSeen;
};
