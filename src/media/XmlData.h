#pragma once
#include <cstdint>
#include <string>

class TiXmlDocument;
class TiXmlElement;

// The game's XML data files are read through these, so every reader takes numbers the same way
// and every broken file ends the run naming the file and the row.

// Decimal text as atoi reads it (leading blanks, a sign, the leading digits, none gives 0), kept to
// the low 32 bits so that an over-long number wraps instead of overflowing; the caller keeps the
// bits its field holds.
uint32_t readDecimalBits(const char *text);

// Loads the file, or ends the run saying whether it is missing, cannot be read or does not parse
// (then with the parser's reason and row).
void loadDataFile(TiXmlDocument &doc, const std::string &path);

// The same reading for a file the game can do without: false when it is missing, cannot be read or
// does not parse; the document then holds the reason.
bool readDataFile(TiXmlDocument &doc, const std::string &path);

// The attribute's text, or the end of the run with the message, the file and the element's row.
const char *requiredAttribute(TiXmlElement *e, const char *attribute, const char *message, const std::string &path);

// The attribute, when the element has it, as a whole decimal number from lo to hi into field, and
// true; false, with field untouched, when it is absent. Any other text (letters, a fraction,
// blanks, nothing) or a number outside the range ends the run naming the attribute, the file and
// the element's row.
bool readWholeNumber(TiXmlElement *e, const char *attribute, int32_t lo, int32_t hi, int32_t &field,
                     const std::string &path);
