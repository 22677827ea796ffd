#pragma once
#include <string>
#include <vector>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"
#include "world/TEntityRef.h"

class CMapEntitiesCollection;
class CMapEntity_TextBox;

// A small modal window with a text: it remembers which panels held the input when it opened, so
// dismissing it gives the input back to them and to nothing else.
class CMenuModal : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  CMenuModal(const CMenuModal &other);

  void renderAdditional(KGraphic *) override {}
  // Window and text box both take the text.
  void setText(const std::string &t);
  const std::string &getText() const { return text; }
  CMapEntity_TextBox *getTextBox() const { return textBox; }
  // Marks the window killed and gives the input back.
  void dismiss(CMapEntitiesCollection *c);

  std::vector<TEntityRef<CMapEntity>> focusBefore;

protected:
  void carryTextBox(const std::string &t);

  std::string text;
  // Carried by the window, so it goes with it.
  CMapEntity_TextBox *textBox = nullptr;
};

// A yes/no question; what Yes does is its behaviour's, one kind per question.
class CMapEntity_MenuQuestionWindow : public CCloneable<CMapEntity_MenuQuestionWindow, CMenuModal> {
public:
  using CCloneable::CCloneable;
  CMapEntity_MenuQuestionWindow(const CMapEntity_MenuQuestionWindow &other);
  ~CMapEntity_MenuQuestionWindow() override;
};

template <class Kind> class TQuestionKind : public CCloneable<Kind, CMapEntity_MenuQuestionWindow> {
public:
  using CCloneable<Kind, CMapEntity_MenuQuestionWindow>::CCloneable;
  CMapEntity_MenuQuestionWindow *clone() override {
    Kind *k = new Kind(static_cast<const Kind &>(*this));
    k->setText(Kind::kQuestion);
    return k;
  }
};

#define TOB_QUESTION(Name, Text)                                                                             \
  class Name : public TQuestionKind<Name> {                                                                  \
  public:                                                                                                    \
    using TQuestionKind::TQuestionKind;                                                                      \
    static constexpr const char *kQuestion = Text;                                                           \
  };

TOB_QUESTION(CMapEntity_MenuQuestionWindowNewGame, "Are you sure? Your progress| will be lost!")
TOB_QUESTION(CMapEntity_MenuQuestionWindowQuit, "Are you sure you want to quit?")
TOB_QUESTION(CMapEntity_MenuQuestionWindowRemProfile, "Really reset profile?|Your progress will be lost!")
TOB_QUESTION(CMapEntity_MenuQuestionWindowRestart, "Restart this day? Your progress| will be lost!")
TOB_QUESTION(CMapEntity_MenuQuestionWindowBuyUpgrades, "There are upgrades you can |buy - proceed anyway?")

#undef TOB_QUESTION

// A notice with one OK button.
class CMapEntity_MenuMessageWindow : public CCloneable<CMapEntity_MenuMessageWindow, CMenuModal> {
public:
  using CCloneable::CCloneable;
  CMapEntity_MenuMessageWindow(const CMapEntity_MenuMessageWindow &other);
  ~CMapEntity_MenuMessageWindow() override;
};
