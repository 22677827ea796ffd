#include "core/CPlayerNotices.h"

#include "core/CSafeFile.h"

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

void CPlayerNotices::unwritten(const std::string &what, const std::string &why, const std::string &path) {
  const std::string text =
      what + " could not be saved:|" + why + ".|Folder: " + CSafeFile::shortPath(path.substr(0, path.rfind('/')));
  std::string &last = lastFailure[what];
  if (text != last) post(text);
  last = text;
}
