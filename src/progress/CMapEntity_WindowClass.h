#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

// A window that opens over the ward on a dark screen with a notebook and a text box; a click
// closes it (CHelpWindowController). The window itself draws nothing.
class CMapEntity_WindowClass : public CMapEntity_Game {
public:
  using CMapEntity_Game::CMapEntity_Game;

  // Whether closing the window also ends the level; the opener sets it.
  bool getEndLevel() const { return endLevel != 0; }
  void setEndLevel(bool on) { endLevel = on ? 1 : 0; }

protected:
  // Carries a fresh copy of the named prototype at the offset.
  CMapEntity_Game *carry(const char *prototype, float dx, float dy);
  // Carries a text box with the wrap width and font.
  void carryTextBox(float dx, float dy, int wrapWidth);

  int32_t endLevel = 0;
};

// The day's introduction: the notebook "SESIT" and its text box.
class CMapEntity_HelpWindow : public CCloneable<CMapEntity_HelpWindow, CMapEntity_WindowClass> {
public:
  using CCloneable::CCloneable;
  CMapEntity_HelpWindow(const CMapEntity_HelpWindow &other);
};

// The day summary: the notebook "SUMMARYSESIT" and the closing text.
class CMapEntity_SummaryWindow : public CCloneable<CMapEntity_SummaryWindow, CMapEntity_WindowClass> {
public:
  using CCloneable::CCloneable;
  CMapEntity_SummaryWindow(const CMapEntity_SummaryWindow &other);
};
