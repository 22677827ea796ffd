#include "core/CPlayer.h"

#include <algorithm>
#include <unordered_map>

CPlayer::CPlayer() {}

CPlayer::~CPlayer() { clearBasket(); }

void CPlayer::changeMoney(int amount) {
  // Widened so that a large bank plus a large amount cannot wrap into a negative one.
  int64_t sum = (int64_t)money + amount;
  if (sum < 0) sum = 0;
  if (sum > INT32_MAX) sum = INT32_MAX;
  money = (int32_t)sum;
}

void CPlayer::addLevelDone(int level, int goal) {
  for (TLevelStruct &l : levelsDone) {
    if (l.level == level) {
      // A replay won at a lower rating keeps the better one: the expert bonus is paid once.
      l.goal = std::max(l.goal, (int32_t)goal);
      return;
    }
  }
  levelsDone.push_back({level, goal});
}

void CPlayer::addLevelsDone(const std::vector<TLevelStruct> &records) {
  // A saved game may hold very many days: one look-up each instead of a scan of the list.
  std::unordered_map<int32_t, size_t> at;
  at.reserve(levelsDone.size() + records.size());
  for (size_t i = 0; i < levelsDone.size(); ++i) at.emplace(levelsDone[i].level, i);
  for (const TLevelStruct &r : records) {
    auto found = at.emplace(r.level, levelsDone.size());
    if (found.second) levelsDone.push_back(r);
    else levelsDone[found.first->second].goal = std::max(levelsDone[found.first->second].goal, r.goal);
  }
}

int CPlayer::wasLevelDone(int level) const {
  int goal = -1;
  for (const TLevelStruct &l : levelsDone)
    if (l.level == level) goal = l.goal;
  return goal;
}

int CPlayer::getLevelIndex(int n) const {
  if ((unsigned)n >= levelsDone.size()) return -1;
  return levelsDone[(unsigned)n].level;
}

int CPlayer::getGoal(int n) const {
  if ((unsigned)n >= levelsDone.size()) return -1;
  return levelsDone[(unsigned)n].goal;
}

void CPlayer::addPerkLevel(int level) {
  if (!bylPerkLevel(level)) perkLevels.push_back(level);
}

bool CPlayer::bylPerkLevel(int level) const {
  return std::find(perkLevels.begin(), perkLevels.end(), level) != perkLevels.end();
}

void CPlayer::addCelebritiesSeen(int id) { celebritiesSeen.push_back(id); }

bool CPlayer::wasCelebritySeen(int id) const {
  return std::find(celebritiesSeen.begin(), celebritiesSeen.end(), id) != celebritiesSeen.end();
}

TBasketItem *CPlayer::basketContains(unsigned short id) {
  for (TBasketItem &item : basket)
    if ((unsigned short)item.entityID == id) return &item;
  return nullptr;
}

int CPlayer::starsOwned(unsigned short id) const {
  for (const TBasketItem &item : basket)
    if ((unsigned short)item.entityID == id) return (int)item.starIndex + 1;
  return 0;
}

void CPlayer::deleteFromBasket(unsigned short id) {
  basket.erase(std::remove_if(basket.begin(), basket.end(),
                              [id](const TBasketItem &item) { return (unsigned short)item.entityID == id; }),
               basket.end());
}

void CPlayer::clearBasket() { basket.clear(); }
