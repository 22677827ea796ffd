#include "core/CPlayerNotices.h"

void CPlayerNotices::post(const std::string &text) {
  // The same fault met twice before the player saw it is told once.
  for (const std::string &w : waiting)
    if (w == text) return;
  waiting.push_back(text);
}

std::string CPlayerNotices::take() {
  if (waiting.empty()) return std::string();
  std::string text = waiting.front();
  waiting.pop_front();
  return text;
}
