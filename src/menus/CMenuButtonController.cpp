#include "menus/CMenuButtonController.h"

#include "core/CAudioOptions.h"
#include "core/CEngine.h"
#include "core/CPlayer.h"
#include "core/CProfiles.h"
#include "core/CVideoOptions.h"
#include "engine/KEvent.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/Timer.h"
#include "menus/CMapEntity_Credits.h"
#include "menus/CMapEntity_MenuButton.h"
#include "menus/CMapEntity_MenuInputbox.h"
#include "menus/CMapEntity_MenuQuestionWindow.h"
#include "menus/CMenuQuestionWindowController.h"
#include "menus/MenuKit.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/CMapEntity_TextBox.h"

using namespace menukit;

void CMenuButtonController::update() { hover(collection, entity, hovered); }

void CMenuButtonController::specificHandleMessages(KEvent *ev) {
  if (ev->type != K_EVENT_MOUSEDOWN || ev->button != 1) return;
  if (!underCursor(collection, entity)) return;
  CLogger::instance()->log("BUTTON KLIK");
  playSound("CLICK_BUTTON");
  action();
}

void CMenuButtonContinueController::action() {
  if (engine) engine->progression().setLoadGamePending(true);
}

void CMenuButtonNewGameController::onBind() {
  CMapEntity *panel = entity ? entity->carrying().getParent() : nullptr;
  if (panel && panel->getEntityID() == kIngameMenuID)
    if (auto *b = dynamic_cast<CMapEntity_MenuButton *>(entity)) b->label = "MAIN MENU";
}

void CMenuButtonNewGameController::action() {
  // During a day the hero choice has no place: leaving is always asked.
  if (engine && (engine->saveExists() || engine->getSoucasnyLevel() != 0)) {
    openModal(collection, "MENUQUESTIONWINDOWNEWGAME", 261.0f, 200.0f);
    return;
  }
  closeIfOpen(collection, kPlayerMenuID);
  closeIfOpen(collection, kProfilesID);
  closeIfOpen(collection, kOptionsID);
  open(collection, "PLAYERMENU", 340.0f, 140.0f);
}

void CMenuButtonOptionsController::action() {
  closeIfOpen(collection, kPlayerMenuID);
  closeIfOpen(collection, kProfilesID);
  if (CMapEntity_Game *options = collection->getEntityByID(kOptionsID))
    options->setKill(true);
  else
    open(collection, "OPTIONSMENU", 340.0f, 140.0f);
}

void CMenuButtonProfilesController::action() {
  for (unsigned int id : {kPlayerMenuID, kSoundID, kVideoID, kOptionsID}) closeIfOpen(collection, id);
  if (CMapEntity_Game *profiles = collection->getEntityByID(kProfilesID))
    profiles->setKill(true);
  else
    open(collection, "PROFILESMENU", 340.0f, 53.0f);
}

void CMenuButtonQuitController::action() { openModal(collection, "MENUQUESTIONWINDOWQUIT", 261.0f, 200.0f); }

void CMenuButtonCreditsController::action() {
  CMapEntity_Game *e = CMapEntitiesFactory::instance()->cloneEntity("CREDITS");
  if (!e) return;
  if (auto *credits = dynamic_cast<CMapEntity_Credits *>(e)) credits->fromMenu = 1;
  e->looks().setSprite("MENUBW");
  e->setXY(0.0f, 0.0f);
  collection->addEntity(e);
  collection->focus(e, nullptr);
}

namespace {
void startWithHero(CEngine *engine, int sex) {
  if (!engine) return;
  if (engine->getPlayer()) engine->getPlayer()->setPohlavi(sex);
  if (engine->getLevel()) engine->getLevel()->setLevelOver(true);
}
} // namespace

void CMenuButtonMaleController::action() { startWithHero(engine, 1); }
void CMenuButtonFemaleController::action() { startWithHero(engine, 0); }

void CMenuButtonNewGameBackController::action() {
  closeIfOpen(collection, kPlayerMenuID);
  collection->unfocus(nullptr);
}

void CMenuButtonProfileController::action() {
  auto *button = dynamic_cast<CMapEntity_MenuButtonProfile *>(entity);
  CMapEntity *panel = entity->carrying().getParent();
  CProfiles *profiles = engine ? engine->built().getProfiles() : CProfiles::getCurrent();
  if (!button || !panel || !profiles || button->slot < 0) return;
  // One set of rename widgets at a time: those of an earlier click go.
  killCarried(panel, kNameBoxID);
  killCarried(panel, kResetProfileID);
  killCarried(panel, kCaptionID);

  if (auto *caption = dynamic_cast<CMapEntity_TextBox *>(carry(panel, "TEXTBOX", 24.0f, 382.0f))) {
    caption->text = "Change name to:";
    caption->fontName = "gamefont";
  }
  auto *box = dynamic_cast<CMapEntity_MenuInputboxName *>(carry(panel, "MENUINPUTBOXNAME", 45.0f, 400.0f));
  carry(panel, "MENUBUTTONRESETPROFILE", 45.0f, 450.0f);

  profiles->setAktivniProfil(button->slot);
  closeIfOpen(collection, kMainMenuID);
  open(collection, "MAINMENU", 0.0f, 140.0f);

  if (box) {
    box->text = box->previousText = profiles->getNames()[(size_t)button->slot];
    box->slot = button->slot;
  }
}

void CMenuButtonResetProfileController::action() {
  openModal(collection, "MENUQUESTIONWINDOWREMPROFILE", 250.0f, 200.0f);
}

void CMenuButtonAudioController::action() {
  closeIfOpen(collection, kOptionsID);
  open(collection, "SOUNDMENU", 250.0f, 0.0f);
}

void CMenuButtonVideoController::action() {
  closeIfOpen(collection, kOptionsID);
  open(collection, "VIDEOMENU", 250.0f, 0.0f);
}

void CMenuButtonAudioBackController::action() {
  closeIfOpen(collection, kSoundID);
  open(collection, "OPTIONSMENU", 250.0f, 0.0f);
  CAudioOptions::instance()->aplikuj();
  CAudioOptions::instance()->uloz();
}

// Closes its own panel: the options panel or the video panel, whichever carries it.
void CMenuButtonVideoBackController::action() {
  if (CMapEntity *panel = entity->carrying().getParent())
    panel->setKill(true);
  else
    closeIfOpen(collection, kOptionsID);
  CVideoOptions::instance()->aplikuj();
  CAudioOptions::instance()->aplikuj();
  CVideoOptions::instance()->uloz();
  CAudioOptions::instance()->uloz();
}

void CMenuButtonQYesController::action() {
  CMapEntity *window = entity->carrying().getParent();
  if (!window) return;
  if (auto *kind = dynamic_cast<CMenuQuestionWindowController *>(window->getController())) kind->action();
}

void CMenuButtonQNoController::action() {
  if (!entity->carrying().getParent()) return;
  closing = 1;
  closeTimer.reset();
}

void CMenuButtonQNoController::update() {
  CMenuButtonController::update();
  if (!closing || !closeTimer.udalost()) return;
  CMapEntity *window = entity->carrying().getParent();
  if (auto *modal = dynamic_cast<CMenuModal *>(window))
    modal->dismiss(collection);
  else if (window) {
    window->setKill(true);
    collection->unfocus(nullptr);
  }
}

void CMenuButtonContinueIngameController::action() {
  collection->unfocus(nullptr);
  if (auto *panel = static_cast<CMapEntity_Game *>(entity->carrying().getParent())) panel->closing = 1;
  playSound("PANEL_DISAPPEAR");
  CGlobals::instance()->paused = false;
  CEngine::setWinFocus(true);
}

void CMenuButtonRestartController::action() {
  openModal(collection, "MENUQUESTIONWINDOWRESTART", 261.0f, 200.0f);
}

// The day stays paused while its options are shown.
void CMenuButtonOptionsIngameController::action() {
  closeIfOpen(collection, kIngameMenuID);
  open(collection, "OPTIONSINGAMEMENU", 260.0f, 100.0f);
}

void CMenuButtonTomainController::action() {
  if (CMapEntity *panel = entity->carrying().getParent()) panel->setKill(true);
  open(collection, "INGAMEMENU", 260.0f, 100.0f);
  CVideoOptions::instance()->aplikuj();
  CVideoOptions::instance()->uloz();
  CAudioOptions::instance()->aplikuj();
  CAudioOptions::instance()->uloz();
}
