#pragma once
#include <string>

#include "core/CLoadingScreen.h"
#include "engine/KMiscTools.h"
#include "game/CStartupTables.h"
#include "media/CSurface.h"
#include "support/FakePicture.h"
#include "media/ZSpriteFactory.h"
#include "world/CMapEntitiesFactory.h"

// What registering the game's prototypes needs: the game's own generated sprite collection, with
// recording pictures that are never decoded, and an empty prototype registry.
inline void useGameSprites(const std::string &applicationFolder) {
  KMiscTools::setApplicationFolder(applicationFolder.c_str());
  CSurfaceManager::destroyInstance();
  FakePicture::clear();
  CSurface::setPictureFactory(FakePicture::make);
  CMapEntitiesFactory::destroyInstance();
  spriteFactory = new ZSpriteFactory("kolekce");
  spriteFactory->nahrajXML(TOB_BINARY_DIR "/data/gfx/sprites.xml");
}

inline void dropGameSprites() {
  CMapEntitiesFactory::destroyInstance();
  delete spriteFactory;
  spriteFactory = nullptr;
  CSurfaceManager::destroyInstance();
  CSurface::setPictureFactory(nullptr);
  CLoadingScreen::destroyInstance();
  KMiscTools::setApplicationFolder(nullptr);
}
