#include "engine/KGraphic.h"

#include "engine/KTextureReady.h"

bool KGraphic::loadPictureReady(const char *path, KTextureReady *ready, bool sizedFormat, bool useAlpha) {
  delete ready;
  return loadPicture(path, sizedFormat, useAlpha);
}
