#pragma once
#include <cstdint>
#include <string>

#include "world/CMapEntity_Game.h"

class CFontSeznam;
class KGraphic;
class KText;

// A block of text drawn after the entity's sprite: broken into lines at '|' and at blanks once a
// line is wider than the box, each line centred in the box, in a named font of the engine's font
// list. Users write the fields directly after cloning.
class CMapEntity_TextBox : public CMapEntity_Game {
public:
  CMapEntity_TextBox(unsigned short x, unsigned short y, bool solid);
  // Takes the source's box, text, font and alpha, then draws opaque in dark teal.
  CMapEntity_TextBox(const CMapEntity_TextBox &other);

  void useMethod() override {}
  void renderAdditional(KGraphic *g) override;
  CMapEntity_TextBox *clone() override;
  void doAction() override {}
  ~CMapEntity_TextBox() override;

  // The drawing itself, on the given font list; afterwards the active font is black and
  // `smallFont` white, both opaque. Without a font list, or with no font in it, nothing happens.
  void drawText(CFontSeznam *fonts, KText *smallFont);

  // Longest text that is laid out; the rest of a longer one is not drawn.
  static constexpr size_t kMaxChars = 65535;

  int32_t boxWidth;
  // Kept and copied only.
  int32_t boxHeight;
  std::string text;
  std::string fontName;
  int32_t spacing;

protected:
  // Gathers the next line of the text, from `pos` on, into lineBuffer and moves `pos` past it;
  // false once the text is used up. A line ends at '|' (not kept), at the end of the text, or
  // at the first blank (kept) after the line has grown wider than the box measured in `font`:
  // a word is never split.
  bool nextLine(KText *font, size_t &pos);

  // Integer part of a screen position; values no long holds are pinned.
  static long screenCoordinate(float v);

  // Reused from frame to frame so that drawing does not allocate.
  std::string lineBuffer;
};
