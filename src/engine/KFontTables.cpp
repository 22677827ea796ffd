#include "engine/KFont.h"

// Stand-in tables until the font generator writes the real ones with the pictures: each
// holds only its font's space glyph, with the font's line height in the first record.
KFont bigFontTable[] = {{' ', 284, 96, 291, 127, 7, 31}, {0, 0, 0, 0, 0, 0, 0}};
KFont smallFontTable[] = {{' ', 173, 72, 184, 107, 11, 35}, {0, 0, 0, 0, 0, 0, 0}};
KFont small2FontTable[] = {{' ', 0, 0, 0, 0, 4, 11}, {0, 0, 0, 0, 0, 0, 0}};
KFont bedFontTable[] = {{' ', 224, 88, 229, 109, 5, 15}, {0, 0, 0, 0, 0, 0, 0}};
KFont bonusFontTable[] = {{' ', 430, 48, 436, 71, 14, 19}, {0, 0, 0, 0, 0, 0, 0}};
KFont gameFontTable[] = {{' ', 0, 0, 0, 0, 8, 10}, {0, 0, 0, 0, 0, 0, 0}};
