#pragma once
#include <cstdint>
#include <string>

#include "world/CCloneable.h"
#include "world/CMapEntity_Game.h"

class CFontSeznam;
class KGraphic;
class KText;

// A block of text drawn after the entity's sprite: broken into lines at '|' and at blanks once a
// line is wider than the box, each line centred in the box, in a named font of the engine's font
// list. Users write the fields directly after cloning.
class CMapEntity_TextBox : public CCloneable<CMapEntity_TextBox, CMapEntity_Game> {
public:
  using CCloneable::CCloneable;
  // Takes the source's box, text, font and alpha, then draws opaque in dark teal.
  CMapEntity_TextBox(const CMapEntity_TextBox &other);

  void renderAdditional(KGraphic *g) override;

  // The drawing itself, on the given font list; afterwards the active font is black and
  // `smallFont` white, both opaque. Without a font list, or with no font in it, nothing happens.
  void drawText(CFontSeznam *fonts, KText *smallFont);
  // The part of the screen its lines cover as drawText draws them; false without words or font.
  bool wordsArea(CFontSeznam *fonts, float &x0, float &y0, float &x1, float &y1);

  // Longest text that is laid out; the rest of a longer one is not drawn.
  static constexpr size_t kMaxChars = 65535;

  int32_t boxWidth = 0;
  // Kept and copied only.
  int32_t boxHeight = 0;
  std::string text;
  std::string fontName;
  int32_t spacing = 0;
  // A line breaks before the word that would run past the box, so a panel's text stays on it.
  bool fitWords = false;

protected:
  // Gathers the next line of the text, from `pos` on, into lineBuffer and moves `pos` past it;
  // false once the text is used up. A line ends at '|' (not kept), at the end of the text, or
  // at the first blank (kept) after the line has grown wider than the box measured in `font`
  // (with `fitWords`, at the last blank before it): a word is never split.
  bool nextLine(KText *font, size_t &pos);

  // Integer part of a screen position; values no long holds are pinned.
  static long screenCoordinate(float v);

  // Reused from frame to frame so that drawing does not allocate.
  std::string lineBuffer;
};

// What a floating caption says, each kind in its own tint: money in pink, news about a patient in
// blue, a refused order or click in red, a thing made or matched in green, anything else in white.
enum class TCaptionKind { Plain, Cash, Diagnosis, Blocked, Ready };

// A short floating caption: wrapped like a text box but drawn left-aligned in the "bonus" font,
// in its own colour and the entity's alpha.
class CMapEntity_BonusText : public CCloneable<CMapEntity_BonusText, CMapEntity_TextBox> {
public:
  using CCloneable::CCloneable;

  void renderAdditional(KGraphic *g) override;

  // The font name field is not used; afterwards the active font is white and opaque.
  void drawCaption(CFontSeznam *fonts);

  float textRed = 1.0f;
  float textGreen = 1.0f;
  float textBlue = 1.0f;
  // What it says, set where it is made: captions are told apart by it, not by their tint.
  TCaptionKind kind = TCaptionKind::Plain;
  // Said plainly, as a refusal is: read at a glance in the bigger font, and held longer before it
  // fades.
  bool warning = false;
  // Said first, in its own colour, on the same line: a run's length before its bonus ("2x").
  std::string lead;
  float leadRGB[3] = {1.0f, 1.0f, 1.0f};
  // Its size on the screen, lead and all, as `measure` found it when it was placed (0 before).
  float width = 0.0f;
  float height = 0.0f;

  // Finds the size its lines take in its font; without fonts, a size from the letters' count.
  void measure(CFontSeznam *fonts);
  // What its lead takes before the words, the gap after it included (0 without a lead).
  float leadWidth(KText *font) const;

  static constexpr long kScreenWidth = 800;
  static constexpr long kScreenHeight = 600;
  // What it keeps clear of the window's edges.
  static constexpr long kMargin = 8;
};
