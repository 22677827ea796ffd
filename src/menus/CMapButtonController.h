#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/CMapEntity_Fader.h"
#include "world/TEntityRef.h"

// The buttons of the world map: they glow once a pointer has been over them.
class CMapButtonController : public CCloneable<CMapButtonController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void update() override;

protected:
  // The main pointer or, when `second`, the laboratory's second one touches the button.
  bool pointed(bool second) const;
  void glow(bool second);

  int hovered = 0;
};

// The play button: on to the next day with a fade, unless a perk for it is still to be chosen,
// which opens the shop with the perk tip instead. It also opens or closes the map's shop icon by
// whether anything can be bought.
class CPlayButtonController : public CCloneable<CPlayButtonController, CMapButtonController> {
public:
  static constexpr unsigned int kPlayButtonID = 203;
  static constexpr unsigned int kShopIconID = 90;

  using CCloneable::CCloneable;
  void onBind() override;
  void update() override;

  bool canBuyPerk();
  bool canBuyUpgrade();
  // A fade started elsewhere (leaving although upgrades could be bought) that this button runs
  // to the end of the map.
  void setFader(CMapEntity_Fader *f) { fading = f; }
  CMapEntity_Fader *getFader() const { return fading.in(collection); }

private:
  int clicked = 0;
  // The button was pressed in the last frame: a press held on it is one press.
  bool wasDown = false;
  TEntityRef<CMapEntity_Fader> fading;
};

// The main-menu button: saves the game, starts a fresh record and goes to the title screen.
class CMainMenuButtonController : public CCloneable<CMainMenuButtonController, CMapButtonController> {
public:
  using CCloneable::CCloneable;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
};
