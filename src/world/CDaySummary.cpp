#include "world/CDaySummary.h"

TDayRating CDaySummary::rate(int money, int moneyLimit, int expertMoney, int goalBonus, int expertBonus, int previous,
                             bool tutorial, int cured, int lost, int famousExtra,
                             const std::vector<std::string> &famousCures) {
  TDayRating r;
  r.page.money = money;
  r.page.goal = moneyLimit;
  r.page.cured = cured;
  r.page.lost = lost;
  r.page.bonus = 0;
  r.goal = money >= moneyLimit;
  // Whose first cure the extra was for, as the day's patients were diagnosed.
  std::string whose;
  for (size_t i = 0; i < famousCures.size(); ++i)
    whose += (i == 0 ? "" : i + 1 == famousCures.size() ? " and " : ", ") + famousCures[i];
  const std::string extra =
      "$" + std::to_string(famousExtra) + " extra for your first " + whose + (famousCures.size() > 1 ? " cures" : " cure");
  if (!r.goal) {
    r.page.title = "TRY AGAIN";
    r.page.bankNote = "Meet the goal for a bonus.";
    if (famousExtra > 0) r.page.famousNote = "The " + extra + " is lost.";
    return r;
  }
  r.page.title = "EXCELLENT WORK, DOCTOR!";
  if (money >= expertMoney) {
    r.page.expert = true;
    if (previous == -1)
      r.page.bonus = expertBonus;
    else if (previous == 0)
      r.page.bonus = expertBonus - goalBonus;
    r.payBonus = true;
    r.record = tutorial ? -1 : 1;
    r.sound = "LEVEL_GOOD";
  } else {
    if (previous == -1) {
      r.page.bonus = goalBonus;
      r.payBonus = true;
    }
    r.record = tutorial ? -1 : 0;
    r.sound = "LEVEL_NORMAL";
  }
  // An expert bonus set below the plain one would otherwise take money back.
  if (r.page.bonus < 0) r.page.bonus = 0;
  r.page.bankNote = r.page.bonus > 0 ? "Added to your bank." : "No new bonus: won before.";
  if (famousExtra > 0) {
    r.page.bonus += famousExtra;
    r.payBonus = true;
    r.page.bankNote = "Added to your bank.";
    r.page.famousNote = "Includes " + extra + ".";
  }
  return r;
}
