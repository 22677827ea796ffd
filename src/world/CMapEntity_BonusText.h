#pragma once

#include "world/CMapEntity_TextBox.h"

// A short floating caption: wrapped like a text box but drawn left-aligned in the "bonus" font,
// in its own colour and the entity's alpha.
class CMapEntity_BonusText : public CMapEntity_TextBox {
public:
  CMapEntity_BonusText(unsigned short x, unsigned short y, bool solid);
  CMapEntity_BonusText(const CMapEntity_BonusText &other);

  void renderAdditional(KGraphic *g) override;
  CMapEntity_BonusText *clone() override;
  void doAction() override {}
  ~CMapEntity_BonusText() override;

  // The font name field is not used; afterwards the active font is white and opaque.
  void drawCaption(CFontSeznam *fonts);

  float textRed;
  float textGreen;
  float textBlue;
};
