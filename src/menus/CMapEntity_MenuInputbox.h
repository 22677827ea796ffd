#pragma once
#include <cstdint>
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class KGraphic;

// A one-line text field; its behaviour does the typing. A character is taken while the text has
// fewer than maxLength - 1 letters.
class CMapEntity_MenuInputbox : public CCloneable<CMapEntity_MenuInputbox, CMapEntity_Game> {
public:
  CMapEntity_MenuInputbox(unsigned short x, unsigned short y, bool solid);
  // A placed box carries two magnets.
  CMapEntity_MenuInputbox(const CMapEntity_MenuInputbox &other);
  ~CMapEntity_MenuInputbox() override;

  void renderAdditional(KGraphic *g) override;

  std::string text = "Empty";
  uint32_t maxLength = 8;
  // 1 while the box has the keyboard; a caret follows the text.
  int32_t editing = 0;
};

// The profile name box: the slot it renames and the name the slot had, for Escape and for a
// refused name.
class CMapEntity_MenuInputboxName : public CCloneable<CMapEntity_MenuInputboxName, CMapEntity_MenuInputbox> {
public:
  // Takes as many characters as a profile name may hold.
  CMapEntity_MenuInputboxName(unsigned short x, unsigned short y, bool solid);
  CMapEntity_MenuInputboxName(const CMapEntity_MenuInputboxName &other) = default;

  std::string previousText = "Empty";
  int32_t slot = -1;
};

// The cross that closes the panel or window carrying it; its behaviour decides what closing means.
class CMapEntity_MenuClose : public CCloneable<CMapEntity_MenuClose, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // A placed box is opaque, so it takes clicks at once.
  CMapEntity_MenuClose(const CMapEntity_MenuClose &other) : CCloneable(other) { setAlpha(1.0f, true); }
};
