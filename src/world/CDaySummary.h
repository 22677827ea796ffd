#pragma once
#include <cstdint>
#include <string>

class CMapEntity_Game;

// What the day summary's notebook page shows.
struct TSummaryPage {
  int32_t money = 0;
  std::string title;
  int32_t cured = 0;
  int32_t lost = 0;
  int32_t bonus = 0;
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
  // The summary's window, notebook pages and status bar are classes of the day panels, built
  // above the level; they install these so that the overlay can fill them. Unset ones do nothing.
  struct Panels {
    // The window's ends-level flag: closing the window then ends the level.
    void (*setEndLevel)(CMapEntity_Game *window, bool endLevel) = nullptr;
    // The help window's notebook shows its second page (a new patient is introduced).
    void (*showSecondPage)(CMapEntity_Game *sesit) = nullptr;
    void (*fillPage)(CMapEntity_Game *summarySesit, const TSummaryPage &page) = nullptr;
    // The status bar's expert mark: its flag on and its mark sprite on the frameset "EXPERT".
    void (*showExpertMark)(CMapEntity_Game *statusBar) = nullptr;
  };
  static Panels &panels();

  // previous: what the player's progress holds for this day (-1 never finished, 0 plain goal,
  // 1 expert goal). The tutorial pays but is never recorded. A bonus never takes money away.
  static TDayRating rate(int money, int moneyLimit, int expertMoney, int goalBonus, int expertBonus, int previous,
                         bool tutorial, int cured, int lost);
};
