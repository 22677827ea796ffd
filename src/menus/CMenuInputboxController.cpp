#include "menus/CMenuInputboxController.h"

#include "core/CEngine.h"
#include "core/CProfiles.h"
#include "engine/KEvent.h"
#include "engine/KInput.h"
#include "engine/KUtf8.h"
#include "menus/CMapEntity_MenuInputbox.h"
#include "menus/CMapEntity_MenuQuestionWindow.h"
#include "menus/MenuKit.h"
#include "world/CMapEntitiesCollection.h"

using namespace menukit;

bool CMenuInputboxController::acceptsCharacter(unsigned char c) {
  return (c >= 0x40 && c <= 0x5A) || (c >= 0x61 && c <= 0x7A) || (c >= 0x2F && c <= 0x39);
}

void CMenuInputboxController::update() { hover(collection, entity, hovered); }

void CMenuInputboxController::specificHandleMessages(KEvent *ev) {
  auto *box = dynamic_cast<CMapEntity_MenuInputbox *>(entity);
  if (!box) return;
  if (ev->type == K_EVENT_MOUSEDOWN && ev->button == 1 && underCursor(collection, box)) {
    playSound("CLICK_BUTTON");
    collection->defocus();
    collection->focusAdd(box, nullptr);
    box->editing = 1;
    if (CMapEntity *panel = box->carrying().getParent())
      if (CMapEntity *close = panel->getContainedEntity(kCloseBoxID))
        collection->focusAdd(static_cast<CMapEntity_Game *>(close), nullptr);
    return;
  }
  if (!box->editing) return;
  if (ev->type == K_EVENT_KEYDOWN) {
    // Letters, as a name read from the file may hold some of more than one byte.
    if (acceptsCharacter(ev->character) && KUtf8::count(box->text.data(), box->text.size()) + 1 < box->maxLength)
      box->text += (char)ev->character;
  } else if (ev->type == K_EVENT_KEYDOWN_FIRST) {
    if (ev->ptkKey == K_VK_BACK && !box->text.empty())
      box->text.resize(KUtf8::backspace(box->text.data(), box->text.size()));
    if (ev->ptkKey == K_VK_RETURN) {
      box->editing = 0;
      collection->unfocus(nullptr);
      action();
    }
    if (ev->ptkKey == K_VK_ESCAPE) {
      box->editing = 0;
      collection->unfocus(nullptr);
      escapeAction();
    }
  }
}

void CMenuInputboxNameController::refuse(const char *message) {
  auto *box = dynamic_cast<CMapEntity_MenuInputboxName *>(entity);
  box->text = box->previousText;
  openMessage(collection, message);
}

void CMenuInputboxNameController::action() {
  auto *box = dynamic_cast<CMapEntity_MenuInputboxName *>(entity);
  CProfiles *profiles = engine ? engine->built().getProfiles() : CProfiles::getCurrent();
  if (!box || !profiles) return;
  for (const std::string &name : profiles->getNames()) {
    if (name == box->text) {
      refuse("This name already exists,| please pick another.");
      return;
    }
  }
  // An empty name could not be found again in the profile file at the next start.
  if (box->slot < 0 || !profiles->rename((size_t)box->slot, box->text)) {
    refuse("A name needs at least|one letter or digit.");
    return;
  }
  profiles->save();
  closeIfOpen(collection, kProfilesID);
  open(collection, "PROFILESMENU", 340.0f, 53.0f);
}

void CMenuInputboxNameController::escapeAction() {
  if (auto *box = dynamic_cast<CMapEntity_MenuInputboxName *>(entity)) box->text = box->previousText;
}
