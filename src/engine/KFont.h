#pragma once

// One glyph of a bitmap font. A glyph table is a plain array of these records, searched in
// order; the first record whose character is 0 ends the table.
//
// Record layout, in declaration order (aggregate-initialisable, e.g.
// `{'!', 0, 0, 12, 31, 12, 31}`):
//   signed char c;        character code, compared as a signed 8-bit value; 0 ends the table;
//                         a Latin-1 letter stands under its 8-bit code (KText reads UTF-8)
//   short x1, y1;         top-left pixel of the glyph's rectangle in the font picture
//   short x2, y2;         bottom-right pixel of that rectangle, inclusive
//   short advance;        pixels the pen moves right after the glyph (before letter spacing);
//                         need not equal the rectangle's width
//   short height;         glyph height; only the first record's height is read: it is the
//                         line height of the multi-line layouts
//
// A table should hold each character once (the lookup takes the first match) and must end
// with a record whose character is 0.
struct KFont {
  signed char c;
  short x1;
  short y1;
  short x2;
  short y2;
  short advance;
  short height;
};

// The six compiled-in glyph tables, each terminated by a zero record. Defined in
// KFontTables.cpp, which the font generator writes into the build folder with the font pictures.
extern KFont bigFontTable[];
extern KFont smallFontTable[];
extern KFont small2FontTable[];
extern KFont bedFontTable[];
extern KFont bonusFontTable[];
extern KFont gameFontTable[];
