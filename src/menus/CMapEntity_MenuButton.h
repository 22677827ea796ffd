#pragma once
#include <cstdint>
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class KGraphic;

// A labelled menu button: the button picture, its label across it and two magnets holding it
// to the panel. Its behaviour (named after the prototype) decides what a click does.
class CMapEntity_MenuButton : public CCloneable<CMapEntity_MenuButton, CMapEntity_Game> {
public:
  CMapEntity_MenuButton(unsigned short x, unsigned short y, bool solid);
  // Every placed button carries two fresh magnets; the prototype carries none.
  CMapEntity_MenuButton(const CMapEntity_MenuButton &other);
  ~CMapEntity_MenuButton() override;

  void renderAdditional(KGraphic *g) override;

  std::string label = "Empty";
};

// A kind of button: a clone takes the kind's own label.
template <class Kind> class TMenuButtonKind : public CCloneable<Kind, CMapEntity_MenuButton> {
public:
  using CCloneable<Kind, CMapEntity_MenuButton>::CCloneable;
  CMapEntity_MenuButton *clone() override {
    Kind *k = new Kind(static_cast<const Kind &>(*this));
    k->label = Kind::kLabel;
    return k;
  }
};

#define TOB_MENU_BUTTON(Name, Text)                                                                          \
  class Name : public TMenuButtonKind<Name> {                                                                \
  public:                                                                                                    \
    using TMenuButtonKind::TMenuButtonKind;                                                                  \
    static constexpr const char *kLabel = Text;                                                              \
  };

TOB_MENU_BUTTON(CMapEntity_MenuButtonContinue, "CONTINUE GAME")
TOB_MENU_BUTTON(CMapEntity_MenuButtonNewGame, "NEW GAME")
TOB_MENU_BUTTON(CMapEntity_MenuButtonOptions, "OPTIONS")
TOB_MENU_BUTTON(CMapEntity_MenuButtonProfiles, "CHANGE PLAYER")
TOB_MENU_BUTTON(CMapEntity_MenuButtonQuit, "QUIT")
TOB_MENU_BUTTON(CMapEntity_MenuButtonCredits, "CREDITS")
TOB_MENU_BUTTON(CMapEntity_MenuButtonNewGameBack, "BACK")
TOB_MENU_BUTTON(CMapEntity_MenuButtonResetProfile, "RESET PROFILE")
TOB_MENU_BUTTON(CMapEntity_MenuButtonVideoBack, "BACK")
TOB_MENU_BUTTON(CMapEntity_MenuButtonAudioBack, "BACK")
TOB_MENU_BUTTON(CMapEntity_MenuButtonAudio, "AUDIO")
TOB_MENU_BUTTON(CMapEntity_MenuButtonVideo, "VIDEO")
TOB_MENU_BUTTON(CMapEntity_MenuButtonQYes, "Yes")
TOB_MENU_BUTTON(CMapEntity_MenuButtonQNo, "No")
TOB_MENU_BUTTON(CMapEntity_MenuButtonContinueIngame, "CONTINUE GAME")
TOB_MENU_BUTTON(CMapEntity_MenuButtonRestart, "RESTART DAY")
TOB_MENU_BUTTON(CMapEntity_MenuButtonOptionsIngame, "OPTIONS")
TOB_MENU_BUTTON(CMapEntity_MenuButtonTomain, "GO BACK")

#undef TOB_MENU_BUTTON

// One profile slot of the profiles panel: its label is the slot's name, and what it acts on is
// the slot itself, since two slots may come to share a name.
class CMapEntity_MenuButtonProfile : public TMenuButtonKind<CMapEntity_MenuButtonProfile> {
public:
  using TMenuButtonKind::TMenuButtonKind;
  static constexpr const char *kLabel = "Profile";

  int32_t slot = -1;
};

// The hero buttons show the hero's portrait with the name below it and no magnets.
class CMapEntity_MenuButtonHero : public CMapEntity_MenuButton {
public:
  using CMapEntity_MenuButton::CMapEntity_MenuButton;
  void renderAdditional(KGraphic *g) override;

protected:
  // The width the name is centred in: the portrait's.
  virtual float labelWidth() const = 0;
  void dropMagnets();
};

class CMapEntity_MenuButtonMale : public CCloneable<CMapEntity_MenuButtonMale, CMapEntity_MenuButtonHero> {
public:
  using CCloneable::CCloneable;
  CMapEntity_MenuButtonHero *clone() override;

protected:
  float labelWidth() const override { return 53.0f; }
};

class CMapEntity_MenuButtonFemale : public CCloneable<CMapEntity_MenuButtonFemale, CMapEntity_MenuButtonHero> {
public:
  using CCloneable::CCloneable;
  CMapEntity_MenuButtonHero *clone() override;

protected:
  float labelWidth() const override { return 65.0f; }
};
