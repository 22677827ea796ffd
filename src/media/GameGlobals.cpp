#include "media/GameGlobals.h"

#include <sys/stat.h>

#include <cstring>

#include "engine/KMiscTools.h"
#include "media/CLogger.h"

float paleta[256][3];
float paletaVyrazna[256][3];
int32_t displayABoxes = 0;
int32_t displayBBoxes = 0;
int32_t totalVidMem = 0;
float vramUsed = 0.0f;
int32_t loading = 0;
int32_t bylKlik = 0;
bool winFocus = true;
KGraphic *backbuffer = nullptr;

namespace {
const float kSoft[kPaletteColours][3] = {
    {0.94f, 0.31f, 0.17f}, {0.36f, 0.89f, 0.18f}, {0.99f, 0.99f, 0.0f}, {0.24f, 0.63f, 0.87f},
    {0.75f, 0.45f, 0.84f}, {0.61f, 0.32f, 0.05f}, {1.0f, 0.7f, 0.0f},   {1.0f, 1.0f, 1.0f},
    {0.0f, 1.0f, 1.0f},    {0.35f, 0.35f, 0.35f}, {0.8f, 1.0f, 0.8f},   {1.0f, 0.8f, 0.8f},
};
const float kStrong[kPaletteColours][3] = {
    {0.99f, 0.0f, 0.0f}, {0.0f, 0.99f, 0.0f}, {0.99f, 0.99f, 0.0f}, {0.0f, 0.0f, 0.99f},
    {0.99f, 0.0f, 0.99f}, {0.0f, 0.3f, 0.0f}, {0.99f, 0.5f, 0.0f},  {1.0f, 1.0f, 1.0f},
    {0.0f, 1.0f, 1.0f},  {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f},   {0.0f, 0.0f, 0.0f},
};
} // namespace

void fillPalettes() {
  std::memset(paleta, 0, sizeof(paleta));
  std::memset(paletaVyrazna, 0, sizeof(paletaVyrazna));
  std::memcpy(paleta, kSoft, sizeof(kSoft));
  std::memcpy(paletaVyrazna, kStrong, sizeof(kStrong));
}

void resetProcessValues() {
  debug = 0;
  displayABoxes = 0;
  displayBBoxes = 0;
  totalVidMem = 0;
  vramUsed = 0.0f;
  fillPalettes();
}

bool makeDirectory(const std::string &path) {
  return mkdir(KMiscTools::makeFilePath(path.c_str()), 0777) == 0;
}
