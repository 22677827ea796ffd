// The settings files ("audio.cfg", "video.cfg", "game.cfg", "controls.cfg"): "KEY value" lines.
#include <string>

#include "FuzzSupport.h"
#include "core/CControlOptions.h"
#include "core/CSettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);
  for (const TSettingLine &line : CSettingsFile::parse(text))
    if (line.key.empty()) __builtin_trap();
  // The one settings reader that takes its file by path, through to the values it keeps.
  CControlOptions::instance()->nahraj(fuzz::asFile(data, size, ".cfg"));
  CControlOptions::destroyInstance();
  return 0;
}
