#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CMapEntity_Game;

// What the day summary's notebook page shows.
struct TSummaryPage {
  int32_t money = 0;
  int32_t goal = 0;
  std::string title;
  int32_t cured = 0;
  int32_t lost = 0;
  int32_t bonus = 0;
  // What the bonus line means for this day, in the player's words.
  std::string bankNote;
  // What a famous patient's first cure added to it, or lost with the goal; empty without one.
  std::string famousNote;
  bool expert = false;
};

// The rating of a finished working day: what the summary shows, what the player's bank gets and
// how the day goes into the player's progress.
struct TDayRating {
  TSummaryPage page;
  bool goal = false;
  // Whether the bonus is paid into the bank (a 0 bonus may still be "paid").
  bool payBonus = false;
  // The goal recorded for the day: -1 nothing, 0 the plain goal, 1 the expert goal.
  int record = -1;
  // "LEVEL_GOOD", "LEVEL_NORMAL" or "LEVEL_BAD".
  const char *sound = "LEVEL_BAD";
};

class CDaySummary {
public:
  // previous: what the player's progress holds for this day (-1 never finished, 0 plain goal,
  // 1 expert goal). The tutorial pays but is never recorded. A bonus never takes money away.
  // famousExtra, the first cures of famous patients (their diseases in famousCures), is paid with
  // any won day, as often as the day is played.
  static TDayRating rate(int money, int moneyLimit, int expertMoney, int goalBonus, int expertBonus, int previous,
                         bool tutorial, int cured, int lost, int famousExtra = 0,
                         const std::vector<std::string> &famousCures = {});
};
