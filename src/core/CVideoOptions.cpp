#include "core/CVideoOptions.h"

#include <vector>

#include "core/CProfiles.h"
#include "core/CSafeFile.h"
#include "core/CSettingsFile.h"
#include "engine/KMiscTools.h"
#include "media/CFatal.h"

namespace {
CVideoOptions::ScreenModeSink g_sink = nullptr;
} // namespace

void CVideoOptions::setScreenModeSink(ScreenModeSink sink) { g_sink = sink; }

std::string CVideoOptions::path() {
  CProfiles *profiles = CProfiles::getCurrent();
  if (!profiles) fatalError("AktiviProfil not found:(", 0);
  return CProfiles::slotFile(profiles->getAktivniProfilStr(), "video.cfg");
}

void CVideoOptions::nahraj() {
  std::vector<TSettingLine> lines;
  if (!CSettingsFile::read(KMiscTools::makeFilePath(path().c_str()), lines)) {
    fullScreen = 1;
    return;
  }
  for (const TSettingLine &l : lines)
    if (l.hasValue && l.key == "FULLSCREEN") fullScreen = l.value != 0;
}

bool CVideoOptions::uloz() {
  std::string text = std::string("FULLSCREEN ") + (fullScreen ? "1" : "0") + "\n";
  return CSafeFile::write(KMiscTools::makeFilePath(path().c_str()), text);
}

void CVideoOptions::aplikuj() {
  if (g_sink) g_sink(fullScreen != 0);
}
