#include "menus/CMenuQuestionWindowController.h"

#include "core/CEngine.h"
#include "core/CProfiles.h"
#include "media/CGlobals.h"
#include "menus/CMapEntity_MenuInputbox.h"
#include "menus/CMapEntity_MenuQuestionWindow.h"
#include "menus/CMapButtonController.h"
#include "menus/MenuKit.h"
#include "world/CMapEntity_Fader.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CLevelList.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"

using namespace menukit;

void CMenuQuestionWindowNewGameController::onBind() {
  if (engine && engine->getSoucasnyLevel() != 0)
    if (auto *w = dynamic_cast<CMenuModal *>(entity)) w->setText("Return to main menu?|Your progress will be lost!");
}

void CMenuQuestionWindowNewGameController::action() {
  collection->unfocus(nullptr);
  killEntity();
  closeIfOpen(collection, kOptionsID);
  closeIfOpen(collection, kProfilesID);
  if (!engine || engine->getSoucasnyLevel() == 0) {
    // One hero choice at a time.
    closeIfOpen(collection, kPlayerMenuID);
    open(collection, "PLAYERMENU", 340.0f, 140.0f);
    return;
  }
  if (engine->getLevel()) engine->getLevel()->setLevelOver(true);
  engine->resetPlayer();
  engine->setMaxLevel(CEngine::kNoMaxLevel);
  // Straight to the title screen: the day's money must not lead on, nor the fresh record be saved.
  engine->progression().requestLevel(0, false);
  CGlobals::instance()->paused = false;
}

void CMenuQuestionWindowQuitController::action() {
  if (!engine) return;
  CLevelList *list = engine->progression().getLevelList();
  const unsigned short size = list ? list->getSize() : 0;
  engine->setSkipToLevel(size);
}

void CMenuQuestionWindowRemProfileController::action() {
  CProfiles *profiles = engine ? engine->built().getProfiles() : CProfiles::getCurrent();
  CMapEntity_Game *panel = collection->getEntityByID(kProfilesID);
  auto *box = panel ? dynamic_cast<CMapEntity_MenuInputboxName *>(panel->getContainedEntity(kNameBoxID)) : nullptr;
  if (profiles && box && box->slot >= 0) {
    profiles->resetSlot((size_t)box->slot);
    profiles->save();
  }
  closeIfOpen(collection, kMainMenuID);
  open(collection, "MAINMENU", 0.0f, 140.0f);
  collection->unfocus(nullptr);
  if (panel) panel->setKill(true);
  open(collection, "PROFILESMENU", 340.0f, 53.0f);
  killEntity();
}

void CMenuQuestionWindowRestartController::action() {
  collection->unfocus(nullptr);
  killEntity();
  if (engine) {
    if (engine->getLevel()) engine->getLevel()->setLevelOver(true);
    engine->progression().requestLevel(engine->getSoucasnyLevel(), true);
  }
  CGlobals::instance()->paused = false;
}

void CMenuQuestionWindowBuyUpgradesController::action() {
  CMapEntity_Fader *fader = CMapEntity_Fader::open(collection, true, 1000);
  if (CMapEntity_Game *play = collection->getEntityByID(CPlayButtonController::kPlayButtonID))
    if (auto *button = dynamic_cast<CPlayButtonController *>(play->getController())) button->setFader(fader);
  collection->unfocus(nullptr);
  killEntity();
}
