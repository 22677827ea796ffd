#include "core/CGameOptions.h"

#include <vector>

#include "core/CSafeFile.h"
#include "core/CSettingsFile.h"
#include "engine/KMiscTools.h"
#include "media/CGlobals.h"
#include "media/makeString.h"

std::string CGameOptions::path() { return userFilePath("\\hospital\\game.cfg"); }

void CGameOptions::nastavObtiznost(unsigned char d) {
  static const char *const jmena[] = {"easy", "medium", "hard"};
  obtiznost = d;
  if (d <= 2) obtiznostString = jmena[d];
}

void CGameOptions::nahraj() {
  std::vector<TSettingLine> lines;
  if (!CSettingsFile::read(path(), lines)) {
    nastavObtiznost(1);
    CGlobals::instance()->hints = true;
    return;
  }
  for (const TSettingLine &l : lines) {
    if (!l.hasValue) continue;
    if (l.key == "DIF") nastavObtiznost((unsigned char)(l.value & 0xFF));
    else if (l.key == "HINTS") CGlobals::instance()->hints = l.value > 0;
  }
}

bool CGameOptions::uloz() {
  std::string text = "DIF " + makeString((int)obtiznost) + "\n" + "HINTS " +
                     makeString(CGlobals::instance()->hints ? 1 : 0) + "\n";
  return CSafeFile::write(path(), text);
}
