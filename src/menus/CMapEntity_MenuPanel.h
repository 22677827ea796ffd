#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class KGraphic;

// The menu panels: a background that carries its widgets at fixed offsets, built anew by every
// copy so a panel always shows the settings and names of the moment it opened.
class CMapEntity_MenuPanel : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;
  CMapEntity_MenuPanel(const CMapEntity_MenuPanel &other) : CMapEntity_Game(other) {}

  void renderAdditional(KGraphic *) override {}

protected:
  // The panel's title in its colour, drawn twice a pixel apart to thicken it.
  void drawTitle(const char *title);
};

// The main menu of the title screen: continue (with a saved game), new game, options, change
// player and quit, and a greeting for the active profile.
class CMapEntity_MainMenu : public CCloneable<CMapEntity_MainMenu, CMapEntity_MenuPanel> {
public:
  using CCloneable::CCloneable;
  CMapEntity_MainMenu(const CMapEntity_MainMenu &other);
  void renderAdditional(KGraphic *g) override;
};

class CMapEntity_OptionsMenu : public CCloneable<CMapEntity_OptionsMenu, CMapEntity_MenuPanel> {
public:
  using CCloneable::CCloneable;
  CMapEntity_OptionsMenu(const CMapEntity_OptionsMenu &other);
  void renderAdditional(KGraphic *g) override;
};

class CMapEntity_SoundMenu : public CCloneable<CMapEntity_SoundMenu, CMapEntity_MenuPanel> {
public:
  using CCloneable::CCloneable;
  CMapEntity_SoundMenu(const CMapEntity_SoundMenu &other);
};

class CMapEntity_VideoMenu : public CCloneable<CMapEntity_VideoMenu, CMapEntity_MenuPanel> {
public:
  using CCloneable::CCloneable;
  CMapEntity_VideoMenu(const CMapEntity_VideoMenu &other);
};

// One button per profile name, each knowing its slot.
class CMapEntity_ProfilesMenu : public CCloneable<CMapEntity_ProfilesMenu, CMapEntity_MenuPanel> {
public:
  using CCloneable::CCloneable;
  CMapEntity_ProfilesMenu(const CMapEntity_ProfilesMenu &other);
  void renderAdditional(KGraphic *g) override;
};

// The hero choice that starts a new game.
class CMapEntity_PlayerMenu : public CCloneable<CMapEntity_PlayerMenu, CMapEntity_MenuPanel> {
public:
  using CCloneable::CCloneable;
  CMapEntity_PlayerMenu(const CMapEntity_PlayerMenu &other);
  void renderAdditional(KGraphic *g) override;
};

// The in-game menu over a darkened day: continue, restart the day, back to the main menu,
// options and quit, under a plaque reading "menu". It fades in and out; the close word of
// CMapEntity_Game starts the fade out.
class CMapEntity_IngameMenu : public CCloneable<CMapEntity_IngameMenu, CMapEntity_MenuPanel> {
public:
  using CCloneable::CCloneable;
  CMapEntity_IngameMenu(const CMapEntity_IngameMenu &other);
};

// The day's own options: full screen, music and sound, and GO BACK to the in-game menu.
class CMapEntity_OptionsIngameMenu : public CCloneable<CMapEntity_OptionsIngameMenu, CMapEntity_MenuPanel> {
public:
  using CCloneable::CCloneable;
  CMapEntity_OptionsIngameMenu(const CMapEntity_OptionsIngameMenu &other);
};
