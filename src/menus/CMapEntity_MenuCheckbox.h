#pragma once
#include <cstdint>
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class KGraphic;

// An on/off box with a label; every change of state goes through setState, so the picture, the
// log line and the kind's action always follow it.
class CMapEntity_MenuCheckbox : public CCloneable<CMapEntity_MenuCheckbox, CMapEntity_Game> {
public:
  CMapEntity_MenuCheckbox(unsigned short x, unsigned short y, bool solid);
  // A placed box carries two magnets; it keeps the source's state without applying it again.
  CMapEntity_MenuCheckbox(const CMapEntity_MenuCheckbox &other);
  ~CMapEntity_MenuCheckbox() override;

  void renderAdditional(KGraphic *g) override;
  void setState(bool on);
  bool getState() const { return checked != 0; }
  // Applies the state to what the kind controls.
  virtual void action() {}

  std::string label = "Empty";

protected:
  int32_t checked = 0;
};

class CMapEntity_MenuCheckboxTest : public CCloneable<CMapEntity_MenuCheckboxTest, CMapEntity_MenuCheckbox> {
public:
  using CCloneable::CCloneable;
  CMapEntity_MenuCheckbox *clone() override;
};

// Full screen or window: shows the video settings' choice and stores a click in them; a back
// button applies and writes it.
class CMapEntity_MenuCheckboxFullscreen
    : public CCloneable<CMapEntity_MenuCheckboxFullscreen, CMapEntity_MenuCheckbox> {
public:
  using CCloneable::CCloneable;
  CMapEntity_MenuCheckbox *clone() override;
  void action() override;
};
