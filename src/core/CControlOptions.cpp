#include "core/CControlOptions.h"

#include <vector>

#include "core/CSafeFile.h"
#include "core/CSettingsFile.h"
#include "media/makeString.h"

void CControlOptions::nahraj(const std::string &path) {
  std::vector<TSettingLine> lines;
  if (!CSettingsFile::read(path, lines)) {
    up = 38;
    down = 40;
    left = 37;
    right = 39;
    shoot = 32;
    return;
  }
  for (const TSettingLine &l : lines) {
    if (!l.hasValue) continue;
    uint16_t code = (uint16_t)(l.value & 0xFFFF);
    if (l.key == "LEFT") left = code;
    else if (l.key == "RIGHT") right = code;
    else if (l.key == "UP") up = code;
    else if (l.key == "DOWN") down = code;
    else if (l.key == "SHOOT") shoot = code;
  }
}

bool CControlOptions::uloz(const std::string &path) {
  std::string text = "LEFT " + makeString(left) + "\n" + "RIGHT " + makeString(right) + "\n" + "UP " +
                     makeString(up) + "\n" + "DOWN " + makeString(down) + "\n" + "SHOOT " + makeString(shoot);
  return CSafeFile::write(path, text);
}
