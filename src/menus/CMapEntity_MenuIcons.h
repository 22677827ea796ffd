#pragma once

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// Entities that lead into or out of the menus; what they do lies in the behaviour bound to their
// name.

// Invisible on every working day: Space and Escape open and close the in-game menu.
class CMapEntity_KeysIngame : public CCloneable<CMapEntity_KeysIngame, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// The menu button on the status bar.
class CMapEntity_StatusMenu : public CCloneable<CMapEntity_StatusMenu, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// The world map's way on to the next day.
class CMapEntity_PlayButton : public CCloneable<CMapEntity_PlayButton, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};

// The world map's way back to the title screen.
class CMapEntity_MainMenuButton : public CCloneable<CMapEntity_MainMenuButton, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
};
