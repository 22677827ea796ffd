#pragma once
#include <cstdint>
#include <string>

#include "engine/KFont.h"

class KGraphic;
class KBatch;

// Cursor of the line breaker: the line is text[start] up to, not including, text[end].
struct sStringInfo {
  int start;
  int end;
};

// Text drawn with a bitmap font: one picture holding every glyph and a glyph table (KFont.h)
// telling where each character lies in it and how far the pen moves after it. Texts are read as
// UTF-8 (KUtf8): a character the table holds draws its glyph (Latin-1 letters under their 8-bit
// codes), every kind of space the space's, an invisible character nothing, and a letter past
// ASCII the table lacks the table's '?'; an ASCII character without a glyph is skipped.
class KText {
public:
  KText();
  // The file name is used as given: resolve it first (KMiscTools::makeFilePath).
  KText(char const *pictureFile, KFont *table);
  ~KText();

  KText(const KText &) = delete;
  KText &operator=(const KText &) = delete;

  // Loads the font picture unless the text already has one (then nothing happens: false).
  bool loadFontBitmap(char const *file);
  void setFontTable(KFont *table);
  // The text deletes the picture it holds at destruction; a replaced picture stays the caller's.
  void setKGraphic(KGraphic *picture);
  KGraphic *getKGraphicPtr();
  // Added to the pen once more for every space drawn by drawStringFromLeft.
  void setSpaceAdjustment(float adjustment);
  // Added to the line height between the lines of the multi-line layouts.
  void setYSpacing(float spacing);
  void setColor(float red, float green, float blue, float alpha);

  // Index of the first record for c; -1 without picture, table or record.
  long getCharIndex(char c);

  // y is the top of the glyphs; spacing is added after every glyph's advance.
  void drawStringFromLeft(char const *text, long x, long y, float spacing);
  void drawStringFromRight(char const *text, long x, long y, float spacing);
  void drawStringCentered(char const *text, long x1, long x2, long y, float spacing);
  void drawNCharFromLeft(char const *text, long count, long x, long y, float spacing);
  void drawStringFromLeft(long value, long x, long y, float spacing);
  void drawStringFromRight(long value, long x, long y, float spacing);
  void drawStringCentered(long value, long x1, long x2, long y, float spacing);

  // Widths count the spacing after every glyph, the last one included, and never the space
  // adjustment; -1.0 without picture or table, or for an empty text.
  float getStringWidth(char const *text, float spacing);
  float getNCharWidth(char const *text, long count, float spacing);

  // Lines broken at spaces (or inside a word too long for the box) between x1 and x2,
  // from y down. Style 0 left, 1 right, 2 centred, 3 justified, others only measure.
  // Returns the y below the last line. Texts and lines of any length are accepted.
  long drawMultiline(char const *text, long x1, long x2, long y, long style, float spacing);
  long drawJustifiedMultilineText(char const *text, long x1, long x2, long y, float spacing);

  // Finds the line that starts at info->start in text (turning a newline that ends it into a
  // space) and sets info->end; true when that line ends the text.
  bool findStringMatchWidth(char *text, long maxWidth, sStringInfo *info, float spacing);
  bool movePosToNextChar(char *text, sStringInfo *info);
  long getSpaceCount(char *text);

  // It has its picture and glyph table: it can draw.
  bool drawable() const { return picture_ && table_ && !unloaded_; }

private:
  const KFont *findGlyph(char c) const;
  // The glyph a character of the text shows with: see the header of the class.
  const KFont *glyphOf(uint32_t c) const;
  float charWidth(uint32_t c, float spacing) const;
  float rangeWidth(char const *text, size_t length, float spacing) const;
  void applyColor();
  void drawRangeFromLeft(char const *text, size_t length, long x, long y, float spacing);
  void drawRangeFromRight(char const *text, size_t length, long x, long y, float spacing);
  void drawRangeCentered(char const *text, size_t length, long x1, long x2, long y, float spacing);
  bool breakLine(char *text, int length, long maxWidth, sStringInfo *info, float spacing);
  long layoutLines(char const *text, long x1, long x2, long y, long style, float spacing);

  KBatch *batch_;
  KGraphic *picture_;
  // Its own picture did not load.
  bool unloaded_ = false;
  KFont *table_;
  float spaceAdjustment_;
  float ySpacing_;
  float alpha_;
  float red_;
  float green_;
  float blue_;
  // Writable copy of the text being laid out; kept so that redrawing the same box each
  // frame does not allocate.
  std::string layout_;
};
