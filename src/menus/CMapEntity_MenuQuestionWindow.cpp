#include "menus/CMapEntity_MenuQuestionWindow.h"

#include "media/CLogger.h"
#include "menus/CMapEntity_MenuButton.h"
#include "menus/MenuKit.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntity_TextBox.h"

CMenuModal::CMenuModal(const CMenuModal &o) : CMapEntity_Game(o), text(o.text) {}

void CMenuModal::setText(const std::string &t) {
  text = t;
  if (textBox) textBox->text = t;
}

void CMenuModal::carryTextBox(const std::string &t) {
  textBox = static_cast<CMapEntity_TextBox *>(menukit::carry(this, "TEXTBOX", 8.0f, 68.0f));
  if (textBox) {
    textBox->boxWidth = 300;
    textBox->fontName = "gamefont";
    textBox->fitWords = true;
  }
  setText(t);
}

void CMenuModal::dismiss(CMapEntitiesCollection *c) {
  setKill(true);
  menukit::restoreFocus(c, focusBefore);
}

CMapEntity_MenuQuestionWindow::CMapEntity_MenuQuestionWindow(const CMapEntity_MenuQuestionWindow &o)
    : CCloneable(o) {
  menukit::carry(this, "MENUBUTTONQYES", 50.0f, 115.0f);
  menukit::carry(this, "MENUBUTTONQNO", 50.0f, 165.0f);
  carryTextBox("Are you sure?");
  menukit::carry(this, "MENUCLOSE", 272.0f, 10.0f);
}

CMapEntity_MenuQuestionWindow::~CMapEntity_MenuQuestionWindow() {
  CLogger::instance()->log("MENU QuestionWindow DESTRUCTOR");
}

CMapEntity_MenuMessageWindow::CMapEntity_MenuMessageWindow(const CMapEntity_MenuMessageWindow &o) : CCloneable(o) {
  if (auto *ok = dynamic_cast<CMapEntity_MenuButton *>(menukit::carry(this, "MENUBUTTONQNO", 50.0f, 138.0f)))
    ok->label = "OK";
  carryTextBox("Message here");
  menukit::carry(this, "MENUCLOSE", 272.0f, 10.0f);
}

CMapEntity_MenuMessageWindow::~CMapEntity_MenuMessageWindow() {
  CLogger::instance()->log("MENU MessageWindow DESTRUCTOR");
}
